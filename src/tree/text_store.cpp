#include "tree/text_store.h"

#include <cstring>
#include <new>

#include "tree/node_slots.h"

namespace text_store {

#if RAVELINK_NODE_POOL
namespace {

// A given-back piece keeps the address of the next one of its size in its
// first bytes, so pieces are never smaller than a pointer.
constexpr std::size_t kMinPiece = sizeof(char*);
constexpr std::size_t kChunkSize = std::size_t{1} << 21;

struct Store {
  char* freeBySize[kMaxPiece + 1] = {};
  char* next = nullptr;
  std::size_t left = 0;
};

// Never destroyed, like the node slots.
Store& store() {
  static Store* const theStore = new Store;
  return *theStore;
}

std::size_t pieceSize(std::size_t size) { return size < kMinPiece ? kMinPiece : size; }

}  // namespace

char* take(std::size_t size) {
  Store& s = store();
  size = pieceSize(size);
  if (char* piece = s.freeBySize[size]) {
    std::memcpy(&s.freeBySize[size], piece, sizeof(char*));
    return piece;
  }
  if (s.left < size) {
    // The rest of the old chunk (less than one piece) is left unused.
    s.next = static_cast<char*>(node_slots::takeHugeChunk(kChunkSize));
    s.left = kChunkSize;
  }
  char* piece = s.next;
  s.next += size;
  s.left -= size;
  return piece;
}

void give(char* piece, std::size_t size) noexcept {
  Store& s = store();
  size = pieceSize(size);
  std::memcpy(piece, &s.freeBySize[size], sizeof(char*));
  s.freeBySize[size] = piece;
}

#else

char* take(std::size_t size) { return new char[size]; }
void give(char* piece, std::size_t) noexcept { delete[] piece; }

#endif

}  // namespace text_store
