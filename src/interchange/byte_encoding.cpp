#include "interchange/byte_encoding.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

// Windows-1252 at 0x80-0x9F (the rest of the upper half is Latin-1). The five
// unassigned bytes keep their Latin-1 meaning, as browsers read them.
constexpr unsigned short kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

// The continuation bytes a lead byte needs and the bounds of the first of
// them; 0 needed for a byte that cannot start a sequence.
struct Lead {
  int needed;
  unsigned char lowest;
  unsigned char highest;
};

Lead leadOf(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {1, 0x80, 0xBF};
  if (byte == 0xE0) return {2, 0xA0, 0xBF};
  if (byte == 0xED) return {2, 0x80, 0x9F};
  if (byte >= 0xE1 && byte <= 0xEF) return {2, 0x80, 0xBF};
  if (byte == 0xF0) return {3, 0x90, 0xBF};
  if (byte >= 0xF1 && byte <= 0xF3) return {3, 0x80, 0xBF};
  if (byte == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};
}

bool startsWithNoCase(std::string_view text, std::size_t at, const char* word) {
  std::size_t length = std::strlen(word);
  if (at + length > text.size()) return false;
  for (std::size_t i = 0; i < length; ++i) {
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i]) return false;
  }
  return true;
}

std::size_t findNoCase(std::string_view text, const char* word, std::size_t from = 0) {
  for (std::size_t at = from; at < text.size(); ++at) {
    if (startsWithNoCase(text, at, word)) return at;
  }
  return std::string_view::npos;
}

// The name after "key=" at `at`, quotes and blanks skipped, lower-cased.
std::string nameAfter(std::string_view text, std::size_t at) {
  while (at < text.size() && (text[at] == '"' || text[at] == '\'' || text[at] == ' '))
    ++at;
  std::string name;
  while (at < text.size() && name.size() < 40) {
    char c = text[at++];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_' && c != '.' &&
        c != ':') {
      break;
    }
    name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return name;
}

}  // namespace

void appendUtf8(unsigned cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::size_t byteOrderMark(std::string_view bytes, ByteEncoding& encoding) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    encoding = ByteEncoding::kUtf8;
    return 3;
  }
  if (bytes.substr(0, 2) == "\xFF\xFE") {
    encoding = ByteEncoding::kUtf16Le;
    return 2;
  }
  if (bytes.substr(0, 2) == "\xFE\xFF") {
    encoding = ByteEncoding::kUtf16Be;
    return 2;
  }
  return 0;
}

std::string declaredCharset(std::string_view head) {
  // Only the part before the first item: a link's URL may hold "charset=".
  std::size_t firstItem = findNoCase(head, "<dt");
  if (firstItem != std::string_view::npos) head = head.substr(0, firstItem);
  std::size_t at = findNoCase(head, "charset=");
  if (at != std::string_view::npos) return nameAfter(head, at + 8);
  if (startsWithNoCase(head, 0, "<?xml")) {
    std::size_t end = head.find("?>");
    std::size_t encoding = findNoCase(head.substr(0, end), "encoding=");
    if (encoding != std::string_view::npos) return nameAfter(head, encoding + 9);
  }
  return "";
}

ByteEncoding encodingOfCharset(const std::string& name) {
  static const char* const kUtf8Names[] = {"utf-8", "utf8", "unicode-1-1-utf-8"};
  static const char* const kWindowsNames[] = {
      "windows-1252",   "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1",
      "iso_8859-1",     "latin1", "l1",       "us-ascii",   "ascii",
      "ansi_x3.4-1968", "cp819",  "ibm819",   "iso-ir-100"};
  auto in = [&name](const auto& names) {
    return std::any_of(std::begin(names), std::end(names),
                       [&name](const char* known) { return name == known; });
  };
  if (in(kUtf8Names)) return ByteEncoding::kUtf8;
  if (in(kWindowsNames)) return ByteEncoding::kWindows1252;
  if (name == "utf-16le" || name == "utf-16") return ByteEncoding::kUtf16Le;
  if (name == "utf-16be") return ByteEncoding::kUtf16Be;
  return ByteEncoding::kNamed;
}

bool isWideCharset(const std::string& name) {
  static const char* const kPrefixes[] = {"utf-16",        "utf16",   "utf-32",   "utf32",
                                          "ucs-2",         "ucs2",    "ucs-4",    "ucs4",
                                          "iso-10646-ucs", "unicode", "csunicode"};
  if (encodingOfCharset(name) == ByteEncoding::kUtf8) return false;  // unicode-1-1-utf-8
  return std::any_of(std::begin(kPrefixes), std::end(kPrefixes),
                     [&name](const char* prefix) { return name.rfind(prefix, 0) == 0; });
}

void Utf8Check::feed(const char* data, std::size_t size) {
  if (!valid_) return;
  std::size_t i = 0;
  while (i < size) {
    auto byte = static_cast<unsigned char>(data[i]);
    if (pending_ > 0) {
      if (byte < lowest_ || byte > highest_) {
        valid_ = false;
        return;
      }
      lowest_ = 0x80;
      highest_ = 0xBF;
      --pending_;
      ++i;
      continue;
    }
    if (byte < 0x80) {
      // Runs of ASCII, eight bytes at a time.
      while (i + 8 <= size) {
        std::uint64_t word;
        std::memcpy(&word, data + i, 8);
        if ((word & 0x8080808080808080ULL) != 0) break;
        i += 8;
      }
      while (i < size && static_cast<unsigned char>(data[i]) < 0x80)
        ++i;
      continue;
    }
    Lead lead = leadOf(byte);
    if (lead.needed == 0) {
      valid_ = false;
      return;
    }
    pending_ = lead.needed;
    lowest_ = lead.lowest;
    highest_ = lead.highest;
    ++i;
  }
}

void Utf8Converter::convert(const char* data, std::size_t size, std::string& out) {
  if (from_ == ByteEncoding::kUtf16Le || from_ == ByteEncoding::kUtf16Be) {
    convertUtf16(data, size, out);
  } else if (from_ == ByteEncoding::kWindows1252) {
    std::size_t i = 0;
    while (i < size) {
      std::size_t run = i;
      while (run < size && static_cast<unsigned char>(data[run]) < 0x80)
        ++run;
      out.append(data + i, run - i);
      if (run == size) break;
      auto byte = static_cast<unsigned char>(data[run]);
      appendUtf8(byte < 0xA0 ? kWindows1252High[byte - 0x80] : byte, out);
      i = run + 1;
    }
  } else {
    convertUtf8(data, size, out);
  }
}

void Utf8Converter::convertUtf8(const char* data, std::size_t size, std::string& out) {
  for (std::size_t i = 0; i < size; ++i) {
    auto byte = static_cast<unsigned char>(data[i]);
    if (!carry_.empty()) {
      Lead lead = leadOf(static_cast<unsigned char>(carry_[0]));
      unsigned char lowest = carry_.size() == 1 ? lead.lowest : 0x80;
      unsigned char highest = carry_.size() == 1 ? lead.highest : 0xBF;
      if (byte >= lowest && byte <= highest) {
        carry_ += static_cast<char>(byte);
        if (static_cast<int>(carry_.size()) == lead.needed + 1) {
          out += carry_;
          carry_.clear();
        }
        continue;
      }
      out += kReplacement;  // a sequence cut short; this byte starts afresh
      carry_.clear();
    }
    if (byte < 0x80) {
      out += static_cast<char>(byte);
    } else if (leadOf(byte).needed > 0) {
      carry_ += static_cast<char>(byte);
    } else {
      out += kReplacement;
    }
  }
}

void Utf8Converter::convertUtf16(const char* data, std::size_t size, std::string& out) {
  for (std::size_t i = 0; i < size; ++i) {
    carry_ += data[i];
    if (carry_.size() < 2) continue;
    auto first = static_cast<unsigned char>(carry_[0]);
    auto second = static_cast<unsigned char>(carry_[1]);
    carry_.clear();
    unsigned unit = from_ == ByteEncoding::kUtf16Le ? (second << 8 | first) : (first << 8 | second);
    if (highSurrogate_ != 0) {
      if (unit >= 0xDC00 && unit <= 0xDFFF) {
        appendUtf8(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00), out);
        highSurrogate_ = 0;
        continue;
      }
      out += kReplacement;
      highSurrogate_ = 0;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF) {
      highSurrogate_ = unit;
    } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
      out += kReplacement;
    } else {
      appendUtf8(unit, out);
    }
  }
}

void Utf8Converter::finish(std::string& out) {
  if (!carry_.empty() || highSurrogate_ != 0) out += kReplacement;
  carry_.clear();
  highSurrogate_ = 0;
}
