#include "base/byte_scan.h"

namespace {

constexpr std::size_t kGroup = 16;

// Whether `test` gives 1 for any of the sixteen bytes at `at`. The loop is
// kept whole (not unrolled into sixteen tests), so that the compiler tests
// the bytes together, at -O2 and -O3 alike.
template <typename Test>
bool anyInGroup(const unsigned char* at, Test test) {
  unsigned char found = 0;
#pragma GCC unroll 1
  for (std::size_t k = 0; k < kGroup; ++k) found |= test(at[k]);
  return found != 0;
}

// `test` gives 1 for a byte that needs a look, else 0. The bytes go in
// groups of sixteen; the last group may overlap the one before it.
template <typename Test>
bool anyByte(const char* bytes, std::size_t length, Test test) {
  const auto* at = reinterpret_cast<const unsigned char*>(bytes);
  if (length < kGroup) {
    unsigned char found = 0;
    for (std::size_t i = 0; i < length; ++i) found |= test(at[i]);
    return found != 0;
  }
  for (std::size_t i = 0; i + kGroup <= length; i += kGroup) {
    if (anyInGroup(at + i, test)) return true;
  }
  return length % kGroup != 0 && anyInGroup(at + length - kGroup, test);
}

}  // namespace

bool anyControlByte(const char* bytes, std::size_t length) {
  return anyByte(bytes, length, [](unsigned char byte) -> unsigned char { return byte < 0x20; });
}

bool anyControlOrC1Lead(const char* bytes, std::size_t length) {
  return anyByte(bytes, length, [](unsigned char byte) -> unsigned char {
    return (byte < 0x20) | (byte == 0xC2);
  });
}

bool anyControlOrMarkup(const char* bytes, std::size_t length) {
  // & and ' (0x26, 0x27) differ in the lowest bit, < and > (0x3C, 0x3E) in
  // the next: tested as two pairs, which the compiler keeps to plain
  // comparisons of all sixteen bytes (five single tests become a table
  // lookup that it cannot).
  static_assert('&' == 0x26 && '\'' == 0x27 && '<' == 0x3C && '>' == 0x3E);
  return anyByte(bytes, length, [](unsigned char byte) -> unsigned char {
    return (byte < 0x20) | ((byte & 0xFE) == 0x26) | ((byte & 0xFD) == 0x3C);
  });
}
