#include "page/escape.h"

#include <cstring>
#include <ostream>
#include <string>

#include "base/byte_scan.h"

namespace {

bool isControl(unsigned char byte) { return byte < 0x20; }

/// What each byte becomes: nullptr keeps it, "" drops it, anything else
/// replaces it. `stops` marks the bytes that are not kept, and the NUL.
struct Replacements {
  const char* of[256];
  unsigned char lengthOf[256];
  bool stops[256];

  void replace(unsigned char byte, const char* replacement) {
    of[byte] = replacement;
    lengthOf[byte] = static_cast<unsigned char>(std::strlen(replacement));
    stops[byte] = true;
  }
};

Replacements droppingControls() {
  Replacements table{};
  table.stops[0] = true;
  for (unsigned char byte = 1; byte < 0x20; ++byte) table.replace(byte, "");
  return table;
}

const Replacements kText = [] {
  Replacements table = droppingControls();
  table.replace('<', "&lt;");
  table.replace('>', "&gt;");
  table.replace('&', "&amp;");
  return table;
}();

const Replacements kAttribute = [] {
  Replacements table = droppingControls();
  table.replace('\n', "\n");
  table.replace('\'', "&#39;");
  table.replace('&', "&amp;");
  return table;
}();

const Replacements kMarkup = [] {
  Replacements table = kText;
  table.replace('\'', "&#39;");
  return table;
}();

// Appends `text` with its bytes replaced by `table`; the runs of bytes kept
// are found by a tight scan and copied whole.
void appendEscaped(const char* text, const Replacements& table, std::string& out) {
  const char* run = text;
  for (;;) {
    const char* p = run;
    while (!table.stops[static_cast<unsigned char>(*p)]) ++p;
    out.append(run, static_cast<std::size_t>(p - run));
    if (*p == '\0') return;
    out.append(table.of[static_cast<unsigned char>(*p)]);
    run = p + 1;
  }
}

// Writes `length` bytes escaped by `table` to `out`. Most texts hold no
// byte that the page replaces or drops, and are copied whole.
char* copyEscaped(const char* text, std::size_t length, const Replacements& table, char* out) {
  if (!anyControlOrMarkup(text, length)) {
    std::memcpy(out, text, length);
    return out + length;
  }
  for (const char* end = text + length; text < end; ++text) {
    const auto byte = static_cast<unsigned char>(*text);
    if (!table.stops[byte]) {
      *out++ = *text;
    } else if (table.lengthOf[byte] != 0) {
      std::memcpy(out, table.of[byte], table.lengthOf[byte]);
      out += table.lengthOf[byte];
    }
  }
  return out;
}

void writeEscaped(const char* text, const Replacements& table, std::ostream& out) {
  std::string escaped;
  appendEscaped(text, table, escaped);
  out.write(escaped.data(), static_cast<std::streamsize>(escaped.size()));
}

}  // namespace

void escapeText(const char* text, std::string& out) { appendEscaped(text, kText, out); }

void escapeText(const char* text, std::ostream& out) { writeEscaped(text, kText, out); }

void escapeAttribute(const char* text, std::string& out) {
  appendEscaped(text, kAttribute, out);
}

void escapeAttribute(const char* text, std::ostream& out) {
  writeEscaped(text, kAttribute, out);
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p == '\n') {
      out.flush();
      break;
    }
  }
}

void escapeMarkup(const char* text, std::string& out) { appendEscaped(text, kMarkup, out); }

void escapeMarkup(const char* text, std::ostream& out) { writeEscaped(text, kMarkup, out); }

char* escapeText(const char* text, std::size_t length, char* out) {
  return copyEscaped(text, length, kText, out);
}

char* escapeAttribute(const char* text, std::size_t length, char* out) {
  return copyEscaped(text, length, kAttribute, out);
}

char* escapeMarkup(const char* text, std::size_t length, char* out) {
  return copyEscaped(text, length, kMarkup, out);
}

void escapeStyle(const char* text, std::ostream& out) {
  // The guard looks at the bytes written, not the bytes read: a control
  // byte between "<" and "/" is dropped first, so it cannot hide a "</".
  char last = '\0';
  for (const char* p = text; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (isControl(byte) && byte != '\n') continue;
    if (byte == '/' && last == '<') out << '\\';
    out.put(*p);
    last = *p;
  }
}
