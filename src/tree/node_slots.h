#ifndef RAVELINK_TREE_NODE_SLOTS_H_
#define RAVELINK_TREE_NODE_SLOTS_H_

// Where nodes live. Every node has a slot: a 32-bit number that names it in
// the links of other nodes and in stored references. Slots come in blocks
// of 65536; a block holds, for each slot, its generation (how many nodes
// have held the slot before) and the node itself (in the pool, 2 MiB of
// places that the kernel may back with one huge page) or the node's
// address (in sanitizer builds, where every node is an allocation of its
// own so that a use after delete or a leak shows). Blocks are kept for
// the length of the run, so a stored reference can always read its slot's
// generation: a reference to a deleted node is told from a live one in
// constant time, without touching the node.
//
// Slot 0 is never used: it is the empty link.

#include <cstddef>
#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define RAVELINK_NODE_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define RAVELINK_NODE_POOL 0
#endif
#endif
#ifndef RAVELINK_NODE_POOL
#define RAVELINK_NODE_POOL 1
#endif

class RavelinkChild;

namespace node_slots {

constexpr unsigned kBlockBits = 16;
constexpr std::uint32_t kBlockSlots = 1u << kBlockBits;
constexpr std::uint32_t kSlotMask = kBlockSlots - 1;
constexpr std::size_t kNodeBytes = 32;  // checked against sizeof(RavelinkChild)

struct Block {
  std::uint32_t* generation;  // kBlockSlots of them
#if RAVELINK_NODE_POOL
  unsigned char (*place)[kNodeBytes];  // kBlockSlots places
#else
  RavelinkChild** node;  // kBlockSlots addresses
#endif
};

/// The blocks, by number; grows, never shrinks.
extern Block* blocks;

/// The node in `slot`, or nullptr for slot 0. REQUIRES: the slot holds a
/// live node (or is 0).
inline RavelinkChild* nodeAt(std::uint32_t slot) {
  if (slot == 0) return nullptr;
  const Block& block = blocks[slot >> kBlockBits];
#if RAVELINK_NODE_POOL
  return reinterpret_cast<RavelinkChild*>(block.place[slot & kSlotMask]);
#else
  return block.node[slot & kSlotMask];
#endif
}

/// The generation of a slot that has been handed out at least once.
inline std::uint32_t generationOf(std::uint32_t slot) {
  return blocks[slot >> kBlockBits].generation[slot & kSlotMask];
}

/// Storage for a new node (`size` bytes) and its slot, which the node's
/// constructor takes with takePendingSlot().
void* allocate(std::size_t size);
/// The slot of the node being constructed.
std::uint32_t takePendingSlot();
/// Ends the life of the node in `slot`: its generation moves on, so no
/// reference made before names whatever takes the slot next.
void release(std::uint32_t slot);
/// While a node is parked (kept out of the tree by the undo history, see
/// tree/edit_history.h) no reference made before names it: its slot's
/// generation moves on by one, and back by one when it returns. The slot
/// stays the node's all the while.
inline void park(std::uint32_t slot) { ++blocks[slot >> kBlockBits].generation[slot & kSlotMask]; }
inline void unpark(std::uint32_t slot) {
  --blocks[slot >> kBlockBits].generation[slot & kSlotMask];
}
/// Gives back the storage of a destroyed node.
void deallocate(void* node, std::size_t size) noexcept;

/// `size` bytes (a multiple of 2 MiB) aligned to 2 MiB, which the kernel is
/// asked to back with huge pages: a big tree then costs a few hundred page
/// faults instead of tens of thousands. Kept for the length of the run.
void* takeHugeChunk(std::size_t size);

}  // namespace node_slots

#endif  // RAVELINK_TREE_NODE_SLOTS_H_
