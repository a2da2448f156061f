#ifndef RAVELINK_INTERCHANGE_BOOKMARK_SCAN_H_
#define RAVELINK_INTERCHANGE_BOOKMARK_SCAN_H_

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

#include "interchange/byte_encoding.h"

// The first pass over a bookmark file's raw bytes, before the parser sees
// them: which encoding to read them in, and how many links they hold.

/// Counts A tags in raw bytes, fed piece by piece: "<a" followed by white
/// space, ">" or "/", in any letter case. A tag hidden from the parser (by a
/// raw <script> in a title, say) is counted here all the same.
class LinkTagCounter {
 public:
  void feed(const char* data, std::size_t size);
  std::int64_t count() const { return count_; }

 private:
  std::int64_t count_ = 0;
  int state_ = 0;  // 0: nothing, 1: after "<", 2: after "<a"
};

/// What the first pass found.
struct BookmarkBytes {
  ByteEncoding encoding = ByteEncoding::kUnknown;
  std::string charset;        // the declared name, for kNamed
  std::size_t bomLength = 0;  // bytes to skip at the start
  std::int64_t linkTags = 0;
  /// Every byte after the byte order mark is valid UTF-8 (not looked at in
  /// a UTF-16 file): how to read a file whose declared charset is unknown.
  bool validUtf8 = false;
};

/// Reads `in` to its end once: the encoding is the byte order mark's, else
/// the declared charset's, else UTF-8 when every byte is valid UTF-8, else
/// windows-1252 (kUtf8Damaged when a file declared as UTF-8 is not valid).
/// A declared UTF-16 or UTF-32 charset is ignored: the file declares it in
/// ASCII, so it is not in it.
/// Counts the link tags (in UTF-8 for a UTF-16 file).
BookmarkBytes scanBookmarkBytes(std::istream& in);

#endif  // RAVELINK_INTERCHANGE_BOOKMARK_SCAN_H_
