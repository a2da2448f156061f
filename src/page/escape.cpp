#include "page/escape.h"

#include <ostream>

namespace {

bool isControl(unsigned char byte) { return byte < 0x20; }

}  // namespace

void escapeText(const char* text, std::ostream& out) {
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (isControl(byte)) continue;
    switch (byte) {
      case '>': out << "&gt;"; break;
      case '<': out << "&lt;"; break;
      case '&': out << "&amp;"; break;
      default: out.put(*p);
    }
  }
}

void escapeAttribute(const char* text, std::ostream& out) {
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte == '\n') {
      out << '\n';
      out.flush();
      continue;
    }
    if (isControl(byte)) continue;
    switch (byte) {
      case '\'': out << "&#39;"; break;
      case '&': out << "&amp;"; break;
      default: out.put(*p);
    }
  }
}

void escapeMarkup(const char* text, std::ostream& out) {
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (isControl(byte)) continue;
    switch (byte) {
      case '>': out << "&gt;"; break;
      case '<': out << "&lt;"; break;
      case '&': out << "&amp;"; break;
      case '\'': out << "&#39;"; break;
      default: out.put(*p);
    }
  }
}

void escapeStyle(const char* text, std::ostream& out) {
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte == '\n') {
      out << '\n';
    } else if (byte == '<' && p[1] == '/') {
      out << "<\\";
    } else if (!isControl(byte)) {
      out.put(*p);
    }
  }
}
