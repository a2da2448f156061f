#include "interchange/nul_filter.h"

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

}  // namespace

void NulFilter::release(std::string& out) {
  if (state_ == kText) return;
  out += '&';
  if (state_ != kAmpersand) out += '#';
  if (hex_) out += 'x';
  out.append(zeros_, '0');
  state_ = kText;
  hex_ = false;
  zeros_ = 0;
}

void NulFilter::feed(const char* data, std::size_t size, std::string& out) {
  std::size_t i = 0;
  while (i < size) {
    if (state_ == kText) {
      // The common case: a run with neither "&" nor NUL, copied whole.
      std::size_t run = i;
      while (run < size && data[run] != '&' && data[run] != '\0')
        ++run;
      out.append(data + i, run - i);
      if (run > i) lastWasNul_ = false;
      i = run;
      if (i == size) break;
    }
    char c = data[i];
    if (c == '\0') {
      // Invisible to a reference around it, as if never there.
      if (!lastWasNul_) ++dropped_;
      lastWasNul_ = true;
      ++i;
      continue;
    }
    lastWasNul_ = false;
    switch (state_) {
      case kText:
        state_ = kAmpersand;  // c is "&"
        ++i;
        continue;
      case kAmpersand:
        if (c == '#') {
          state_ = kHash;
          ++i;
          continue;
        }
        break;
      case kHash:
        if (c == 'x' || c == 'X') {
          state_ = kHex;
          hex_ = true;
          ++i;
          continue;
        }
        [[fallthrough]];
      case kHex:
        if (c == '0') {
          state_ = kZeros;
          zeros_ = 1;
          ++i;
          continue;
        }
        break;
      case kZeros:
        if (c == '0') {
          ++zeros_;
          ++i;
          continue;
        }
        if (hex_ ? isHexDigit(c) : isDigit(c)) break;  // a reference to another character
        // A reference to U+0000, ended by ";" (dropped with it) or by
        // anything else, as an HTML parser reads it.
        ++dropped_;
        state_ = kText;
        hex_ = false;
        zeros_ = 0;
        if (c == ';') ++i;
        continue;
    }
    release(out);  // c is looked at again as text
  }
}

void NulFilter::finish(std::string& out) {
  if (state_ == kZeros) {
    ++dropped_;
    state_ = kText;
    hex_ = false;
    zeros_ = 0;
  }
  release(out);
}
