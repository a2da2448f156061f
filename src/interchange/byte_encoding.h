#ifndef RAVELINK_INTERCHANGE_BYTE_ENCODING_H_
#define RAVELINK_INTERCHANGE_BYTE_ENCODING_H_

#include <cstddef>
#include <string>
#include <string_view>

// The encodings of bookmark files, and their conversion to UTF-8. The HTML
// parser is always given UTF-8 that is valid (left alone, it switches to
// Latin-1 at the first bad byte and garbles the rest), or, for a declared
// charset we do not convert ourselves, the name of that charset.

enum class ByteEncoding {
  kUnknown,      // nothing decided yet
  kUtf8,         // valid UTF-8: passed on as it is
  kUtf8Damaged,  // meant as UTF-8, with bad sequences: each becomes U+FFFD
  kWindows1252,  // also for Latin-1 and ASCII, as browsers read them
  kUtf16Le,
  kUtf16Be,
  kNamed,  // another declared charset, converted by the parser
};

/// The length of a byte order mark at the start of `bytes` (0 without one);
/// sets `encoding` when there is one.
std::size_t byteOrderMark(std::string_view bytes, ByteEncoding& encoding);

/// The charset a bookmark file declares in its first bytes (`charset=NAME`
/// in a META tag, or `encoding="NAME"` in an XML declaration), lower-cased;
/// empty when none. Looks at `head` only.
std::string declaredCharset(std::string_view head);

/// The encoding a declared charset name stands for: kUtf8 for utf-8 and
/// utf8, kWindows1252 for windows-1252, iso-8859-1, latin1 and us-ascii and
/// their aliases, kUtf16Le/Be for utf-16le/be, kNamed for any other name.
ByteEncoding encodingOfCharset(const std::string& name);

/// True for the names of UTF-16 and UTF-32 (and UCS-2, UCS-4) in any form:
/// charsets in which ASCII text is not ASCII bytes. A file that declares one
/// in readable ASCII, without a byte order mark, cannot be in it.
bool isWideCharset(const std::string& name);

/// Checks piece by piece whether a byte stream is valid UTF-8 (a sequence
/// may be split between two pieces).
class Utf8Check {
 public:
  void feed(const char* data, std::size_t size);
  /// True when every byte fed so far, to the end, was valid UTF-8.
  bool validAtEnd() const { return valid_ && pending_ == 0; }

 private:
  bool valid_ = true;
  int pending_ = 0;            // continuation bytes still expected
  unsigned char lowest_ = 0;   // bounds of the next continuation byte
  unsigned char highest_ = 0;  // (rules out overlong forms and surrogates)
};

/// Converts a byte stream, piece by piece, to valid UTF-8 from kUtf8Damaged,
/// kWindows1252, kUtf16Le or kUtf16Be; a sequence may be split between
/// pieces. A bad sequence or an unpaired surrogate becomes U+FFFD.
class Utf8Converter {
 public:
  explicit Utf8Converter(ByteEncoding from) : from_(from) {}

  /// Appends the conversion of `data` to `out`.
  void convert(const char* data, std::size_t size, std::string& out);
  /// Appends what an unfinished sequence at the end stands for.
  void finish(std::string& out);

 private:
  void convertUtf8(const char* data, std::size_t size, std::string& out);
  void convertUtf16(const char* data, std::size_t size, std::string& out);

  ByteEncoding from_;
  std::string carry_;  // the start of a sequence split between pieces
  unsigned highSurrogate_ = 0;
};

/// Appends the UTF-8 form of the code point `cp` to `out`.
void appendUtf8(unsigned cp, std::string& out);

#endif  // RAVELINK_INTERCHANGE_BYTE_ENCODING_H_
