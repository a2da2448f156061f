#ifndef RAVELINK_TREE_TEXT_FIELD_H_
#define RAVELINK_TREE_TEXT_FIELD_H_

#include <cstddef>

/// Stores `source` into the fixed-size text field `field` of `capacity` bytes:
/// at most capacity - 1 bytes are copied and the field is always NUL-terminated.
/// Longer text is cut silently; when the cut would split a well-formed UTF-8
/// sequence, the whole sequence is left out, so a valid UTF-8 text stays valid.
/// REQUIRES: capacity >= 1, source is NUL-terminated.
void storeField(char* field, std::size_t capacity, const char* source);

/// The number of bytes of `source` (of length `length`) that fit in `limit`
/// bytes without splitting a well-formed UTF-8 sequence at the end.
std::size_t utf8CutLength(const char* source, std::size_t length, std::size_t limit);

#endif  // RAVELINK_TREE_TEXT_FIELD_H_
