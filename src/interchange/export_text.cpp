#include "interchange/export_text.h"

#include <cstddef>
#include <cstdint>

namespace {

bool isControl(unsigned char byte) { return byte != 0 && byte < 0x20; }
bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed UTF-8 sequence at `p` (Unicode's table 3-7:
// no overlong forms, no surrogates, nothing above U+10FFFF), or 0.
std::size_t wellFormedLength(const unsigned char* p) {
  const unsigned char lead = p[0];
  if (lead < 0x80) return 1;
  unsigned char low = 0x80, high = 0xBF;
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (p[1] < low || p[1] > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!isContinuation(p[i])) return 0;
  }
  return length;
}

bool isNoncharacter(const unsigned char* p) {
  return p[0] == 0xEF && p[1] == 0xBF && (p[2] == 0xBE || p[2] == 0xBF);
}

void appendUtf8(std::uint32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// windows-1252 bytes 0x80 to 0x9F; the five it leaves undefined map to the
// C1 control of the same number, as browsers decode them.
constexpr std::uint16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendWindows1252(const unsigned char* p, std::string& out) {
  for (; *p != 0; ++p) {
    if (isControl(*p)) continue;
    if (*p >= 0x80 && *p <= 0x9F) {
      appendUtf8(kWindows1252High[*p - 0x80], out);
    } else {
      appendUtf8(*p, out);
    }
  }
}

}  // namespace

const char* exportText(const char* field, std::string& scratch) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(field);
  // Most texts and hrefs are printable ASCII throughout.
  const unsigned char* ascii = bytes;
  while (*ascii >= 0x20 && *ascii < 0x80)
    ++ascii;
  if (*ascii == 0) return field;
  bool changes = false;
  for (const unsigned char* p = ascii; *p != 0;) {
    std::size_t length = wellFormedLength(p);
    if (length == 0) {
      scratch.clear();
      appendWindows1252(bytes, scratch);
      return scratch.c_str();
    }
    if (isControl(*p) || (length == 3 && isNoncharacter(p))) changes = true;
    p += length;
  }
  if (!changes) return field;
  scratch.clear();
  for (const unsigned char* p = bytes; *p != 0;) {
    std::size_t length = wellFormedLength(p);
    if (isControl(*p)) {
      // dropped
    } else if (length == 3 && isNoncharacter(p)) {
      scratch += "\xEF\xBF\xBD";
    } else {
      scratch.append(reinterpret_cast<const char*>(p), length);
    }
    p += length;
  }
  return scratch.c_str();
}
