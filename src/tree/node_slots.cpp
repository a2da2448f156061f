#include "tree/node_slots.h"

#include <sys/mman.h>

#include <cstring>
#include <limits>
#include <new>
#include <vector>

namespace node_slots {

Block* blocks = nullptr;

namespace {

// Never destroyed: a tree destroyed late in the program's exit still finds
// its slots.
struct Registry {
  std::size_t blockCount = 0;
  std::size_t blockCapacity = 0;
  std::uint32_t nextUnused = 1;  // slot 0 is the empty link
  std::vector<std::uint32_t> freeSlots;
  std::uint32_t pending = 0;
};

Registry& registry() {
  static Registry* const theRegistry = new Registry;
  return *theRegistry;
}

void addBlock(Registry& r) {
  if (r.blockCount == r.blockCapacity) {
    std::size_t capacity = r.blockCapacity == 0 ? 64 : 2 * r.blockCapacity;
    auto* grown = new Block[capacity];
    if (r.blockCount > 0) std::memcpy(grown, blocks, r.blockCount * sizeof(Block));
    delete[] blocks;
    blocks = grown;
    r.blockCapacity = capacity;
  }
  Block& block = blocks[r.blockCount++];
  block.generation = new std::uint32_t[kBlockSlots]();
#if RAVELINK_NODE_POOL
  block.place = static_cast<unsigned char(*)[kNodeBytes]>(takeHugeChunk(kBlockSlots * kNodeBytes));
#else
  block.node = new RavelinkChild*[kBlockSlots]();
#endif
}

std::uint32_t takeSlot() {
  Registry& r = registry();
  if (!r.freeSlots.empty()) {
    std::uint32_t slot = r.freeSlots.back();
    r.freeSlots.pop_back();
    return slot;
  }
  if ((r.nextUnused >> kBlockBits) >= r.blockCount) addBlock(r);
  return r.nextUnused++;
}

}  // namespace

void* allocate(std::size_t size) {
  Registry& r = registry();
  std::uint32_t slot = takeSlot();
  r.pending = slot;
#if RAVELINK_NODE_POOL
  (void)size;
  return blocks[slot >> kBlockBits].place[slot & kSlotMask];
#else
  try {
    void* node = ::operator new(size);
    blocks[slot >> kBlockBits].node[slot & kSlotMask] = static_cast<RavelinkChild*>(node);
    return node;
  } catch (...) {
    r.freeSlots.push_back(slot);
    throw;
  }
#endif
}

std::uint32_t takePendingSlot() {
  Registry& r = registry();
  std::uint32_t slot = r.pending;
  r.pending = 0;
  return slot;
}

void release(std::uint32_t slot) {
  std::uint32_t& generation = blocks[slot >> kBlockBits].generation[slot & kSlotMask];
#if !RAVELINK_NODE_POOL
  blocks[slot >> kBlockBits].node[slot & kSlotMask] = nullptr;
#endif
  // A slot whose generations are used up is retired rather than wrapped
  // round, so an old reference can never come to name a new node (one
  // generation is kept in hand for a park).
  if (++generation < std::numeric_limits<std::uint32_t>::max() - 1) {
    registry().freeSlots.push_back(slot);
  }
}

void* takeHugeChunk(std::size_t size) {
  constexpr std::size_t kHugePage = std::size_t{1} << 21;
  void* chunk = ::operator new(size, std::align_val_t{kHugePage});  // the new handler applies
#ifdef MADV_HUGEPAGE
  madvise(chunk, size, MADV_HUGEPAGE);  // a hint: without it, small pages
#endif
  return chunk;
}

void deallocate(void* node, std::size_t size) noexcept {
#if RAVELINK_NODE_POOL
  (void)node;
  (void)size;  // the place belongs to its slot and is reused with it
#else
  (void)size;
  ::operator delete(node);
#endif
}

}  // namespace node_slots
