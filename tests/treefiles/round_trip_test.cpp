// Random trees saved and loaded in both formats come back equal.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "support/tree_shape.h"
#include "support/tree_round_trip.h"
#include "treefiles/file_test_support.h"
#include "treefiles/outline_file.h"
#include "treefiles/tree_file.h"

namespace {

constexpr int kMaxDepth = 200;
constexpr int kMaxSiblings = 1000;

class RandomTree {
 public:
  explicit RandomTree(unsigned seed) : random_(seed) {}

  // Bytes 0x20 to 0xFF, now raw, now valid UTF-8, often filling the field.
  std::string field(std::size_t capacity) {
    std::size_t length = pick(4) == 0 ? capacity - 1 : pick(capacity);
    std::string text;
    bool utf8 = pick(2) == 0;
    while (text.size() < length) {
      if (!utf8) {
        char byte = static_cast<char>(0x20 + pick(0xE0));
        // A UTF-8 C1 control (0xC2, then 0x80 to 0x9F) is dropped by the
        // loaders like a C0 one, so a tree holding one never comes back.
        if (!text.empty() && text.back() == '\xC2' && (byte & 0xE0) == 0x80) byte = 'c';
        text.push_back(byte);
        continue;
      }
      static const char* const kLetters[] = {"a", " ", "\xc3\xa9", "\xe2\x82\xac",
                                             "\xf0\x9f\x8c\xb3", "~", "\x7f"};
      std::string letter = kLetters[pick(std::size(kLetters))];
      if (text.size() + letter.size() > length) break;
      text += letter;
    }
    return text;
  }

  // Adds `count` nodes below the root: long sibling chains, deep chains and
  // random climbs, never deeper than kMaxDepth or wider than kMaxSiblings.
  void grow(Ravelink& tree, int count) {
    tree.setCurrentText(field(RavelinkChild::kTextSize).c_str());
    tree.setCurrentHref(field(RavelinkChild::kHrefSize).c_str());
    int depth = 0;
    int siblings = 0;
    for (int made = 0; made < count;) {
      std::size_t choice = pick(10);
      if (choice < 3 && depth < kMaxDepth) {
        tree.addAsChild(text().c_str(), href().c_str());
        tree.browseFirstChild();
        while ((tree.getCurrent()->getNextSibling() != nullptr)) tree.browseNext();
        ++depth;
        siblings = 1;
        ++made;
      } else if (choice < 8 && depth > 0 && siblings < kMaxSiblings) {
        tree.addAsNext(text().c_str(), href().c_str());
        ++siblings;
        ++made;
      } else if (depth > 0) {
        tree.browseParent();
        --depth;
        siblings = kMaxSiblings;  // unknown here; only add below or climb
      }
    }
  }

  std::string text() { return field(RavelinkChild::kTextSize); }
  std::string href() { return field(RavelinkChild::kHrefSize); }

 private:
  std::size_t pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }
  std::mt19937 random_;
};

// A chain of kMaxDepth nodes, and kMaxSiblings children of the last one.
void growExtremes(RandomTree& random, Ravelink& tree) {
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    tree.addAsChild(random.text().c_str(), random.href().c_str());
    tree.browseFirstChild();
  }
  tree.browseParent();
  tree.addAsChild(random.text().c_str(), random.href().c_str());
  tree.browseFirstChild();
  for (int i = 1; i < kMaxSiblings; ++i) tree.addAsNext(random.text().c_str(), "");
}

// Saves and loads `tree` in both formats and compares the trees and the bytes
// of a second save.
void expectRoundTrips(Ravelink& tree, const std::string& what) {
  const std::string records = treeRecords(tree);
  const RoundTrip trip = roundTrip(tree);
  EXPECT_EQ(records, trip.recordsFromMarkers) << what << ", marker format";
  EXPECT_EQ(records, trip.recordsFromOutline) << what << ", outline";
  EXPECT_EQ("", trip.outlineConsole);
  EXPECT_TRUE(trip.markersAgain == trip.markers) << what << ": second save differs";
  EXPECT_TRUE(trip.markersFromOutline == trip.markers) << what << ": outline's save differs";
}

}  // namespace

TEST(TreeFileRoundTrip, RandomTreesComeBackEqualInBothFormats) {
  for (unsigned seed = 1; seed <= 40; ++seed) {
    RandomTree random(seed);
    Ravelink tree;
    random.grow(tree, seed % 4 == 0 ? 3000 : 200);
    expectRoundTrips(tree, "seed " + std::to_string(seed));
  }
}

TEST(TreeFileRoundTrip, DeepChainsAndLongSiblingListsComeBack) {
  RandomTree random(7);
  Ravelink tree;
  growExtremes(random, tree);
  expectRoundTrips(tree, "extremes");
  Ravelink empty;
  expectRoundTrips(empty, "the empty tree");
}

TEST(TreeFileRoundTrip, SavesAndLoadsFilesByName) {
  TempFolder folder;
  RandomTree random(99);
  Ravelink tree;
  random.grow(tree, 500);
  std::string records = treeRecords(tree);
  treeSave(tree, (folder / "t.txt").c_str());
  treeSaveVcl(tree, (folder / "v.txt").c_str());
  Ravelink loaded;
  treeLoad(loaded, (folder / "t.txt").c_str());
  EXPECT_EQ(records, treeRecords(loaded));
  std::ostringstream console;
  treeLoadVcl(loaded, (folder / "v.txt").c_str(), console);
  EXPECT_EQ(records, treeRecords(loaded));
}
