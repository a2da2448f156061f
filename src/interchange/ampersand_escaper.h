#ifndef RAVELINK_INTERCHANGE_AMPERSAND_ESCAPER_H_
#define RAVELINK_INTERCHANGE_AMPERSAND_ESCAPER_H_

#include <cstddef>
#include <cstdint>
#include <string>

/// Escapes, piece by piece, every "&" that does not begin an entity or a
/// character reference ("&name;", "&#123;", "&#x1F;") as "&amp;": the most
/// common fault of OPML files, a raw "&" in a URL, made well-formed. A
/// reference may be split between pieces.
class AmpersandEscaper {
 public:
  /// Appends the escaped form of `data` to `out`.
  void feed(const char* data, std::size_t size, std::string& out);
  /// Appends what is still held back at the end of the input.
  void finish(std::string& out);
  /// The number of "&" escaped so far.
  std::int64_t escaped() const { return escaped_; }

 private:
  void take(char c, std::string& out);

  std::string pending_;  // "&" and what followed it, while undecided
  std::int64_t escaped_ = 0;
};

#endif  // RAVELINK_INTERCHANGE_AMPERSAND_ESCAPER_H_
