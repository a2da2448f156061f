#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>

#include "support/tree_shape.h"
#include "tree/ravelink.h"

namespace {

int childCount(const RavelinkChild* node) {
  int count = 0;
  for (const RavelinkChild* child = node->getFirstChild(); child != nullptr;
       child = child->getNextSibling()) {
    ++count;
  }
  return count;
}

// Whether `text` is well-formed UTF-8 holding at least one non-ASCII letter.
bool isNonAsciiUtf8(const std::string& text) {
  bool nonAscii = false;
  for (size_t i = 0; i < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80          ? 1
                    : (lead >> 5) == 6   ? 2
                    : (lead >> 4) == 14  ? 3
                    : (lead >> 3) == 30  ? 4
                                         : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
    }
    nonAscii = nonAscii || length > 1;
    i += length;
  }
  return nonAscii;
}

}  // namespace

TEST(SampleTree, HasThreeGroupsOfLinksUnderTheRoot) {
  Ravelink tree;
  std::ostringstream out;
  tree.buildSample(out);
  EXPECT_EQ("", out.str());
  const RavelinkChild* root = tree.getRoot();
  EXPECT_EQ(root, tree.getCurrent());
  EXPECT_STREQ("My Favorite Websites", root->getText());
  EXPECT_STREQ("", root->getHref());

  struct Group {
    const char* text;
    int leaves;
  } groups[] = {{"International websites", 7},
                {"Chinese websites", 5},
                {"Sites within Shanghai Online VIP users' reach", 3}};
  const RavelinkChild* group = root->getFirstChild();
  for (const Group& expected : groups) {
    ASSERT_NE(nullptr, group);
    EXPECT_STREQ(expected.text, group->getText());
    EXPECT_STREQ("", group->getHref());
    EXPECT_EQ(expected.leaves, childCount(group));
    bool chinese = std::strcmp(expected.text, "Chinese websites") == 0;
    for (const RavelinkChild* leaf = group->getFirstChild(); leaf != nullptr;
         leaf = leaf->getNextSibling()) {
      std::string href = leaf->getHref();
      EXPECT_NE('\0', leaf->getText()[0]);
      EXPECT_TRUE(href.rfind("http://", 0) == 0 || href.rfind("https://", 0) == 0) << href;
      EXPECT_NE(std::string::npos, href.find('.', href.find("//"))) << href;
      EXPECT_EQ(nullptr, leaf->getFirstChild());
      if (chinese) {
        EXPECT_TRUE(isNonAsciiUtf8(leaf->getText())) << leaf->getText();
      }
    }
    group = group->getNextSibling();
  }
  EXPECT_EQ(nullptr, group);
}

TEST(SampleTree, ReplacesTreeAndSettings) {
  Ravelink tree;
  buildShape(tree, "R(a(a1),b)");
  tree.browseFirstChild();
  tree.copyCurrent();
  tree.pushActiveNode();
  tree.settings().hrefPrefix.set("pre/");
  tree.settings().hrefSuffix.set(".sfx");
  tree.settings().baseUrl.set("http://base/");
  tree.settings().styleTable.set("a { color: red }");
  tree.settings().usingPara = false;
  std::ostringstream out;
  tree.buildSample(out);

  EXPECT_STREQ("", tree.settings().hrefPrefix.get());
  EXPECT_STREQ("", tree.settings().hrefSuffix.get());
  EXPECT_STREQ("", tree.settings().baseUrl.get());
  EXPECT_STREQ("frame2", tree.settings().baseTarget.get());
  EXPECT_STREQ("", tree.settings().styleTable.get());
  EXPECT_TRUE(tree.settings().usingPara);
  EXPECT_EQ(0, tree.references().activeCount);
  EXPECT_TRUE(tree.references().clipboard.empty());
  // The leaves' hrefs carry no prefix or suffix left from before.
  std::string shape = treeShape(tree);
  tree.browseFirstChild();
  tree.browseFirstChild();
  std::string href = tree.getCurrent()->getHref();
  EXPECT_EQ(0u, href.find("http")) << href;
  EXPECT_EQ(std::string::npos, href.find(".sfx")) << href;

  // A second sample gives the same tree.
  tree.buildSample(out);
  EXPECT_EQ(shape, treeShape(tree));
  EXPECT_EQ("", out.str());
}
