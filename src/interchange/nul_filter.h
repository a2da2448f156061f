#ifndef RAVELINK_INTERCHANGE_NUL_FILTER_H_
#define RAVELINK_INTERCHANGE_NUL_FILTER_H_

#include <cstddef>
#include <cstdint>
#include <string>

/// Drops, piece by piece, every NUL of a bookmark file before the HTML
/// parser sees it: raw NUL bytes, and the character references that stand
/// for U+0000 ("&#0;", "&#x00;", any number of zeros, with or without the
/// ";"). libxml2's HTML parser stops at a raw NUL and hides the rest of the
/// file, and a decoded NUL in an attribute cuts the value there. A reference
/// may be split between pieces. Input and output are UTF-8 (or another
/// ASCII-compatible charset).
class NulFilter {
 public:
  /// Appends `data` without its NULs to `out`.
  void feed(const char* data, std::size_t size, std::string& out);
  /// Appends what is still held back at the end of the input.
  void finish(std::string& out);
  /// How many NULs were dropped: a run of raw NUL bytes counts once, as
  /// does each reference.
  std::int64_t dropped() const { return dropped_; }

 private:
  enum State { kText, kAmpersand, kHash, kHex, kZeros };

  /// Writes the start of a reference held back when it turned out to be
  /// something else.
  void release(std::string& out);

  State state_ = kText;
  bool hex_ = false;
  std::size_t zeros_ = 0;
  bool lastWasNul_ = false;
  std::int64_t dropped_ = 0;
};

#endif  // RAVELINK_INTERCHANGE_NUL_FILTER_H_
