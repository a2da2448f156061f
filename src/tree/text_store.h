#ifndef RAVELINK_TREE_TEXT_STORE_H_
#define RAVELINK_TREE_TEXT_STORE_H_

#include <cstddef>

// Storage for the bytes of nodes' texts and hrefs: pieces of at most a few
// hundred bytes, taken and given back by size. Outside sanitizer builds they
// are cut from large chunks and a given-back piece is handed out again for
// the next request of its size, so a piece costs its bytes and nothing
// more; in sanitizer builds each piece is an allocation of its own.
namespace text_store {

/// The largest piece there is.
constexpr std::size_t kMaxPiece = 256;

/// A piece of `size` bytes. REQUIRES: 0 < size <= kMaxPiece.
char* take(std::size_t size);
/// Gives back a piece taken with `size`.
void give(char* piece, std::size_t size) noexcept;

}  // namespace text_store

#endif  // RAVELINK_TREE_TEXT_STORE_H_
