// Searching the tree: the order of the walk, the comparison of bytes, and
// the find command's cursor and memory of the last search.
#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace {

// The text of what findAfter returns, or "-" for nothing.
std::string found(const Ravelink& tree, const RavelinkChild* from, const char* needle) {
  const RavelinkChild* node = tree.findAfter(from, needle);
  return node != nullptr ? node->getText() : "-";
}

const RavelinkChild* at(Ravelink& tree, const std::string& path) {
  go(tree, path);
  return tree.getCurrent();
}

}  // namespace

// The walk goes on in pre-order after the start, through the root, and tries
// the start last; it matches texts and hrefs but never across the two.
TEST(TreeFind, WalksOnInPreorderAndWrapsRoundToTheStart) {
  Ravelink tree;
  buildShape(tree, "R(a(ax1,a2),b(bx1),cx)");
  go(tree, "cc");
  tree.setCurrentHref("https://example.org/X");
  const RavelinkChild* a2 = at(tree, "ccn");
  const RavelinkChild* cx = at(tree, "cnn");
  EXPECT_EQ("bx1", found(tree, a2, "x1"));      // the next match after a2, not ax1
  EXPECT_EQ("ax1", found(tree, cx, "x1"));      // from the last node, round via the root
  EXPECT_EQ("ax1", found(tree, cx, "org/"));    // in an href
  EXPECT_EQ("cx", found(tree, cx, "cx"));       // the only match is the start: tried last
  EXPECT_EQ("R", found(tree, a2, "R"));         // the root is tried after the last node
  EXPECT_EQ("-", found(tree, a2, "ax1https"));  // text and href are not one string
  EXPECT_EQ("-", found(tree, a2, "nowhere"));
  EXPECT_EQ("-", found(tree, a2, ""));
  // A lone root finds itself or nothing.
  Ravelink single;
  single.setCurrentText("only");
  EXPECT_EQ("only", found(single, single.getRoot(), "NL"));
  EXPECT_EQ("-", found(single, single.getRoot(), "x"));
}

// ASCII letters match either case; the bytes of other characters compare as
// they are, so "É" does not find "é" and a UTF-8 text finds itself.
TEST(TreeFind, FoldsAsciiLettersOnlyAndComparesOtherBytesAsTheyAre) {
  Ravelink tree;
  buildShape(tree, "R(Straße,ÉCOLE,école,Zürich [1])");
  const RavelinkChild* root = tree.getRoot();
  EXPECT_EQ("-", found(tree, root, "STRASSE"));
  EXPECT_EQ("Straße", found(tree, root, "STRAßE"));
  EXPECT_EQ("ÉCOLE", found(tree, root, "Écol"));
  EXPECT_EQ("école", found(tree, root, "éCOLE"));
  EXPECT_EQ("-", found(tree, root, "ZÜRICH"));
  EXPECT_EQ("Zürich [1]", found(tree, root, "zürich ["));
  // '@' and '[' lie next to the letters in ASCII; they fold to nothing.
  EXPECT_EQ("-", found(tree, root, "zürich {"));
  EXPECT_EQ("-", found(tree, root, "`"));
  // A needle as long as the longest href finds it whole; one byte more
  // finds nothing.
  std::string full(RavelinkChild::kHrefSize - 1, 'h');
  go(tree, "c");
  tree.setCurrentHref(full.c_str());
  EXPECT_EQ("Straße", found(tree, root, full.c_str()));
  EXPECT_EQ("-", found(tree, root, (full + "h").c_str()));
}

// A match becomes current and is remembered; an empty answer repeats it from
// there; a failure changes neither the tree, the cursor nor the last search.
TEST(TreeFind, FindNextMovesTheCursorAndRepeatsTheLastSearch) {
  Ravelink tree;
  buildShape(tree, "R(one(news a),two,three(news b))");
  EXPECT_ERROR(tree.findNext(""), "find", "not found");  // no search yet
  EXPECT_EQ("R*(one(news a),two,three(news b))", treeShape(tree));

  tree.findNext("NEWS");
  EXPECT_EQ("R(one(news a*),two,three(news b))", treeShape(tree));
  EXPECT_STREQ("NEWS", tree.getLastSearch());
  tree.findNext("");
  EXPECT_EQ("R(one(news a),two,three(news b*))", treeShape(tree));
  tree.findNext("");
  EXPECT_EQ("R(one(news a*),two,three(news b))", treeShape(tree));

  // A text that finds nothing is remembered all the same: an empty answer
  // repeats it, not the older search that did find a node.
  EXPECT_ERROR(tree.findNext("weather"), "find", "not found");
  EXPECT_EQ("R(one(news a*),two,three(news b))", treeShape(tree));
  EXPECT_STREQ("weather", tree.getLastSearch());
  EXPECT_ERROR(tree.findNext(""), "find", "not found");
  tree.addAsChild("Weather", "");
  tree.findNext("");
  EXPECT_STREQ("Weather", tree.getCurrent()->getText());

  // zap keeps the last search; the empty root then finds nothing.
  tree.clearTree();
  EXPECT_ERROR(tree.findNext(""), "find", "not found");
  EXPECT_STREQ("weather", tree.getLastSearch());
}

TEST(TreeFind, PathJoinsTheTextsFromTheRootDown) {
  Ravelink tree;
  buildShape(tree, "Links(Web(Search(Maps)))");
  EXPECT_EQ("Links > Web > Search > Maps", tree.pathTo(at(tree, "ccc")));
  EXPECT_EQ("Links", tree.pathTo(tree.getRoot()));
  go(tree, "");
  tree.setCurrentText("");  // an empty text still has its place in the path
  EXPECT_EQ(" > Web", tree.pathTo(at(tree, "c")));
}

// Neither the search nor the path recurses: a chain 200,000 deep is searched
// round from its bottom to its root.
TEST(TreeFind, DeepChainIsSearchedRoundWithoutRecursion) {
  Ravelink tree;
  tree.setCurrentText("top");
  constexpr int kDepth = 200000;
  for (int i = 0; i < kDepth; ++i) {
    tree.addAsChild(i == kDepth / 2 ? "middle" : "d", "");
    tree.browseFirstChild();
  }
  const RavelinkChild* bottom = tree.getCurrent();
  EXPECT_EQ("top", found(tree, bottom, "TOP"));
  EXPECT_EQ("middle", found(tree, bottom, "midd"));
  tree.findNext("middle");
  const std::string path = tree.pathTo(tree.getCurrent());
  EXPECT_EQ(std::string("top") + " > d" + " > d", path.substr(0, 11));
  EXPECT_EQ(3 + 4 * (kDepth / 2) + 9, static_cast<int>(path.size()));
  EXPECT_EQ(" > d > middle", path.substr(path.size() - 13));
}

// The comparison reads fields sixteen bytes at a time through a filter of
// two needle bytes; every length, place and near miss must give what a plain
// fold-and-find gives. Fields and needles from a small alphabet of letters in
// both cases, their neighbours '@' and '`', and a UTF-8 letter, so that
// partial matches are everywhere.
TEST(TreeFind, AgreesWithAPlainComparisonAtEveryLengthAndPlace) {
  const std::string alphabet[] = {"a", "A", "b", "B", "@", "`", "\xc3\xa9", "\xc3\x89", "-"};
  std::uint64_t seed = 12345;
  auto draw = [&seed](std::uint64_t n) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return (seed >> 33) % n;
  };
  auto randomText = [&](std::size_t maxBytes) {
    std::string text;
    const std::size_t want = draw(maxBytes + 1);
    while (true) {
      const std::string& piece = alphabet[draw(std::size(alphabet))];
      if (text.size() + piece.size() > want) return text;
      text += piece;
    }
  };
  auto fold = [](std::string text) {
    for (char& c : text)
      c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return text;
  };
  int matches = 0;
  for (int round = 0; round < 20000; ++round) {
    Ravelink tree;
    const std::string text = randomText(RavelinkChild::kTextSize - 1);
    const std::string href = randomText(RavelinkChild::kHrefSize - 1);
    tree.setCurrentText(text.c_str());
    tree.setCurrentHref(href.c_str());
    std::string needle;
    if (draw(2) == 0 && !href.empty()) {  // a piece of the href, cases changed
      const std::size_t start = draw(href.size());
      needle = href.substr(start, 1 + draw(href.size() - start));
      for (char& c : needle)
        c = draw(2) == 0 && c >= 'a' && c <= 'z' ? c - 32 : c;
    } else {
      needle = randomText(1 + draw(20));
    }
    if (needle.empty()) continue;
    const bool expected = fold(text).find(fold(needle)) != std::string::npos ||
                          fold(href).find(fold(needle)) != std::string::npos;
    const bool got = tree.findAfter(tree.getRoot(), needle.c_str()) != nullptr;
    ASSERT_EQ(expected, got) << "text '" << text << "' href '" << href << "' needle '" << needle
                             << "'";
    matches += got ? 1 : 0;
  }
  EXPECT_GT(matches, 5000);  // both answers were asked for often
}
