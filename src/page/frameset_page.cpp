#include "page/frameset_page.h"

#include <ostream>
#include <string>

#include "page/escape.h"
#include "page/template_reader.h"

namespace {

// A file name as a relative URL: the bytes that would end the path (# and
// ?), begin an escape (%), close or break the attribute, or are blanks and
// control bytes, written as %XX. Every other byte, UTF-8 included, stays.
std::string relativeUrl(const std::string& fileName) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url;
  for (char c : fileName) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x21 || byte == '#' || byte == '?' || byte == '%' || byte == '\'' ||
        byte == '"' || byte == '<' || byte == '>') {
      url += '%';
      url += kHex[byte >> 4];
      url += kHex[byte & 0xF];
    } else {
      url += c;
    }
  }
  return url;
}

void writeFrameLine(std::ostream& out, const char* frameName, const std::string& fileName) {
  out << "<frame name=" << frameName << " src='";
  escapeAttribute(relativeUrl(fileName).c_str(), out);
  out << "'>\n";
}

}  // namespace

void writeFramesetPage(std::istream& frameTemplate, std::ostream& out, const char* title,
                       const std::string& pageName, const std::string& defaultPage) {
  TemplateReader reader(frameTemplate);
  std::string line;
  while (reader.readLine(line)) {
    if (lineBegins(line, "<title>")) {
      writeTitleLine(out, title);
    } else if (lineBegins(line, "<frame name=frame1")) {
      writeFrameLine(out, "frame1", pageName);
    } else if (!defaultPage.empty() && lineBegins(line, "<frame name=frame2")) {
      writeFrameLine(out, "frame2", defaultPage);
    } else {
      out << line << '\n';
    }
  }
}
