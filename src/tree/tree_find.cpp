// Searching the tree for a text: the find command and the view's search.
#include <algorithm>
#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tree/ravelink.h"
#include "tree/tree_walk.h"

namespace {

// ASCII letters to lower case; every other byte stays as it is, so a
// UTF-8 sequence is compared byte for byte.
char foldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// How rare a byte is in link texts and URLs, higher for rarer: the search
// looks for the needle's rarest byte first. Lower-case letters by their
// frequency in English; blanks and URL punctuation are the commonest; any
// other byte (digits, other punctuation, UTF-8) counts as rare.
int rarity(char c) {
  static constexpr const char kLetters[] = "etaoinsrhldcupmfgwybvkxjqz";
  static constexpr const char kCommon[] = " /.:-_";
  if (std::strchr(kCommon, c) != nullptr) return 0;
  if (const char* letter = std::strchr(kLetters, c); letter != nullptr && c != '\0') {
    return 1 + static_cast<int>(letter - kLetters);
  }
  return 40;
}

// Sixteen bytes at a time, in the compiler's portable vectors (SSE2 on
// x86-64, NEON on ARM; plain words elsewhere).
using Bytes16 = unsigned char __attribute__((vector_size(16)));

Bytes16 load16(const char* bytes) {
  Bytes16 vector;
  std::memcpy(&vector, bytes, sizeof vector);
  return vector;
}

bool anyByteSet(Bytes16 vector) {
  std::uint64_t halves[2];
  std::memcpy(halves, &vector, sizeof halves);
  return (halves[0] | halves[1]) != 0;
}

/// One byte of the needle as a filter: a byte of a field passes when, with
/// bit 0x20 set for a letter (folding its case), it equals the needle's.
class ByteFilter {
 public:
  explicit ByteFilter(char lower) {
    const auto byte = static_cast<unsigned char>(lower);
    const unsigned char caseBit = lower >= 'a' && lower <= 'z' ? 0x20 : 0;
    for (int i = 0; i < 16; ++i) {
      caseBits_[i] = caseBit;
      folded_[i] = byte;
    }
  }
  /// 0xff in every lane of `bytes` that may pass, else 0.
  Bytes16 passing(Bytes16 bytes) const {
    return reinterpret_cast<Bytes16>((bytes | caseBits_) == folded_);
  }

 private:
  Bytes16 caseBits_;
  Bytes16 folded_;
};

/// A needle folded once, looked for in fields as they are. Two neighbouring
/// bytes of the needle, the rarest and one beside it, filter the places of
/// a field sixteen at a time; only where both pass are all bytes compared.
/// Reads nothing past a field's NUL.
class FoldedNeedle {
 public:
  explicit FoldedNeedle(const char* needle) {
    for (; needle[length_] != '\0'; ++length_) {
      bytes_[length_] = foldAscii(needle[length_]);
      if (rarity(bytes_[length_]) > rarity(bytes_[anchor_])) anchor_ = length_;
    }
    // The pair (anchor_, anchor_ + 1), or the last two bytes, or one byte twice.
    if (anchor_ + 1 == length_ && anchor_ > 0) --anchor_;
    second_ = length_ > 1 ? 1 : 0;
    firstFilter_ = ByteFilter(bytes_[anchor_]);
    secondFilter_ = ByteFilter(bytes_[anchor_ + second_]);
  }
  bool empty() const { return length_ == 0; }

  /// Whether the NUL-terminated `field` holds the needle.
  bool foundIn(const char* field) const {
    const std::size_t length = std::strlen(field);
    if (length < length_) return false;
    // A match starts at a place in [0, last]; its pair stands at place + anchor_.
    const std::size_t last = length - length_;
    const std::size_t reach = anchor_ + second_ + 16;  // bytes a window reads
    if (length < reach) return placesMatch(field, 0, last);
    // Windows of sixteen places; the last one moved back so that it ends
    // with the field (it may look at some places twice).
    for (std::size_t place = 0;; place += 16) {
      if (place + reach > length) place = length - reach;
      if (windowPasses(field + place + anchor_) &&
          placesMatch(field, place, std::min(place + 15, last))) {
        return true;
      }
      if (place + reach == length) return false;
    }
  }

 private:
  // Whether any of the sixteen places whose pair starts at `pair` may match.
  bool windowPasses(const char* pair) const {
    return anyByteSet(firstFilter_.passing(load16(pair)) &
                      secondFilter_.passing(load16(pair + second_)));
  }
  // Whether the needle stands at a place in [from, to] of `field`.
  bool placesMatch(const char* field, std::size_t from, std::size_t to) const {
    for (std::size_t place = from; place <= to; ++place) {
      if (matchesAt(field + place)) return true;
    }
    return false;
  }
  bool matchesAt(const char* place) const {
    for (std::size_t i = 0; i < length_; ++i) {
      if (foldAscii(place[i]) != bytes_[i]) return false;
    }
    return true;
  }

  char bytes_[RavelinkChild::kHrefSize];
  std::size_t length_ = 0;
  std::size_t anchor_ = 0;  // where the rarest pair of neighbouring bytes starts
  std::size_t second_ = 0;  // 1, or 0 for a needle of one byte
  ByteFilter firstFilter_{'\0'};
  ByteFilter secondFilter_{'\0'};
};

}  // namespace

const RavelinkChild* Ravelink::findAfter(const RavelinkChild* from, const char* needle) const {
  // Texts hold at most 63 bytes and hrefs 127: a longer needle never matches.
  if (std::strlen(needle) >= RavelinkChild::kHrefSize) return nullptr;
  const FoldedNeedle folded(needle);
  if (folded.empty()) return nullptr;
  const RavelinkChild* node = from;
  do {
    node = nextInPreorder(node);
    if (node == nullptr) node = root_;
    if (folded.foundIn(node->getText()) || folded.foundIn(node->getHref())) return node;
  } while (node != from);
  return nullptr;
}

void Ravelink::findNext(const char* needle) {
  // What was typed is remembered even when it finds nothing, so that an
  // empty answer repeats it after a correction of the tree, as an editor's
  // search does.
  if (needle[0] != '\0') lastSearch_.set(needle);
  const RavelinkChild* found = findAfter(current_, lastSearch_.get());
  if (found == nullptr) throw myException(Fault::kFindNotFound);
  gotoNode(found);
}

std::string Ravelink::pathTo(const RavelinkChild* node) {
  std::string path;
  appendPathTo(path, node);
  return path;
}

void Ravelink::appendPathTo(std::string& path, const RavelinkChild* node) {
  std::vector<const char*> texts;
  for (; node != nullptr; node = node->getParent())
    texts.push_back(node->getText());
  for (auto text = texts.rbegin(); text != texts.rend(); ++text) {
    if (text != texts.rbegin()) path += " > ";
    path += *text;
  }
}

namespace {
[[maybe_unused]] const RavelinkChild* topOf(const RavelinkChild* node) {
  while (node->getParent() != nullptr)
    node = node->getParent();
  return node;
}
}  // namespace

void Ravelink::gotoNode(const RavelinkChild* node) {
  assert(topOf(node) == root_);
  // The tree's nodes are the context's own; the caller saw them as const.
  current_ = const_cast<RavelinkChild*>(node);
}
