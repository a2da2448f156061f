#include "interchange/ampersand_escaper.h"

#include <cctype>
#include <cstring>

namespace {

constexpr std::size_t kLongestReference = 64;

enum class Reference { kNot, kMaybe, kWhole };

bool nameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80; }
bool nameChar(unsigned char c) { return nameStart(c) || std::isdigit(c) || c == '.' || c == '-'; }

// What `text` (beginning with "&") is: a whole reference, the start of one,
// or not one.
Reference judge(const std::string& text) {
  std::size_t size = text.size();
  if (size == 1) return Reference::kMaybe;
  auto at = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  bool ended = at(size - 1) == ';';
  std::size_t last = ended ? size - 1 : size;  // the characters before any ';'
  std::size_t first = 1;
  bool (*allowed)(unsigned char) = nullptr;
  if (at(1) == '#') {
    first = 2;
    allowed = [](unsigned char c) { return std::isdigit(c) != 0; };
    if (size > 2 && (at(2) == 'x' || at(2) == 'X')) {
      first = 3;
      allowed = [](unsigned char c) { return std::isxdigit(c) != 0; };
    }
  } else {
    if (!nameStart(at(1))) return Reference::kNot;
    allowed = nameChar;
  }
  for (std::size_t i = first; i < last; ++i) {
    if (!allowed(at(i))) return Reference::kNot;
  }
  if (ended) return last > first ? Reference::kWhole : Reference::kNot;
  return size < kLongestReference ? Reference::kMaybe : Reference::kNot;
}

}  // namespace

void AmpersandEscaper::take(char c, std::string& out) {
  if (pending_.empty()) {
    if (c == '&') {
      pending_.push_back(c);
    } else {
      out += c;
    }
    return;
  }
  pending_ += c;
  switch (judge(pending_)) {
    case Reference::kMaybe:
      return;
    case Reference::kWhole:
      out += pending_;
      pending_.clear();
      return;
    case Reference::kNot: {
      out += "&amp;";
      ++escaped_;
      std::string rest = pending_.substr(1);  // may hold the next "&"
      pending_.clear();
      for (char next : rest)
        take(next, out);
      return;
    }
  }
}

void AmpersandEscaper::feed(const char* data, std::size_t size, std::string& out) {
  std::size_t i = 0;
  while (i < size) {
    if (pending_.empty()) {
      const void* found = std::memchr(data + i, '&', size - i);
      std::size_t end =
          found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
      out.append(data + i, end - i);
      i = end;
      if (i == size) return;
    }
    take(data[i++], out);
  }
}

void AmpersandEscaper::finish(std::string& out) {
  if (pending_.empty()) return;
  out += "&amp;";
  ++escaped_;
  out.append(pending_, 1);
  pending_.clear();
}
