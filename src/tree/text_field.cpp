#include "tree/text_field.h"

#include <cstring>

namespace {

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the UTF-8 sequence that `lead` starts, or 0 if it starts none.
std::size_t sequenceLength(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

std::size_t utf8CutLength(const char* source, std::size_t length, std::size_t limit) {
  if (length <= limit) return length;
  const auto* bytes = reinterpret_cast<const unsigned char*>(source);
  // Only a continuation byte right after the cut can mean a split sequence.
  if (!isContinuation(bytes[limit])) return limit;
  std::size_t start = limit;
  while (start > 0 && limit - start < 3 && isContinuation(bytes[start - 1])) --start;
  if (start == 0) return limit;
  --start;  // the candidate lead byte
  std::size_t need = sequenceLength(bytes[start]);
  if (need == 0 || start + need <= limit || start + need > length) return limit;
  for (std::size_t i = start + 1; i < start + need; ++i) {
    if (!isContinuation(bytes[i])) return limit;
  }
  return start;
}

std::size_t fieldLength(const char* source, std::size_t capacity) {
  std::size_t length = strnlen(source, capacity);
  if (length < capacity) return length;
  // Look a little past the limit so a split sequence can be recognised.
  return utf8CutLength(source, strnlen(source, capacity + 3), capacity - 1);
}

std::size_t fieldLength(const char* source, std::size_t length, std::size_t capacity) {
  if (length < capacity) return length;
  return utf8CutLength(source, length < capacity + 3 ? length : capacity + 3, capacity - 1);
}

void storeField(char* field, std::size_t capacity, const char* source) {
  std::size_t keep = fieldLength(source, capacity);
  std::memmove(field, source, keep);
  field[keep] = '\0';
}
