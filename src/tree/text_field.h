#ifndef RAVELINK_TREE_TEXT_FIELD_H_
#define RAVELINK_TREE_TEXT_FIELD_H_

#include <cstddef>

/// Stores `source` into the fixed-size text field `field` of `capacity` bytes:
/// at most capacity - 1 bytes are copied and the field is always NUL-terminated.
/// Longer text is cut silently; when the cut would split a well-formed UTF-8
/// sequence, the whole sequence is left out, so a valid UTF-8 text stays valid.
/// REQUIRES: capacity >= 1, source is NUL-terminated.
void storeField(char* field, std::size_t capacity, const char* source);

/// How many bytes of `source` storeField keeps in a field of `capacity`.
std::size_t fieldLength(const char* source, std::size_t capacity);
/// The same for a source of `length` bytes that holds no NUL byte.
std::size_t fieldLength(const char* source, std::size_t length, std::size_t capacity);

/// The number of bytes of `source` (of length `length`) that fit in `limit`
/// bytes without splitting a well-formed UTF-8 sequence at the end.
std::size_t utf8CutLength(const char* source, std::size_t length, std::size_t limit);

/// A fixed-size text field of `Capacity` bytes holding at most Capacity - 1
/// bytes and a NUL; every store cuts as storeField does.
template <std::size_t Capacity>
class TextField {
 public:
  static constexpr std::size_t kCapacity = Capacity;

  TextField() { bytes_[0] = '\0'; }
  explicit TextField(const char* text) { set(text); }

  void set(const char* text) { storeField(bytes_, Capacity, text); }
  void clear() { bytes_[0] = '\0'; }
  const char* get() const { return bytes_; }
  bool empty() const { return bytes_[0] == '\0'; }

 private:
  char bytes_[Capacity];
};

#endif  // RAVELINK_TREE_TEXT_FIELD_H_
