#include "linkcheck/moved_links.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tree_shape.h"

namespace {

void setHref(Ravelink& tree, const std::string& path, const char* href) {
  go(tree, path);
  tree.setCurrentHref(href);
}

}  // namespace

TEST(MovedHref, FragmentKeptAndTheHrefLimit) {
  const std::string host = "http://x.org/";
  const std::string fits = host + std::string(127 - host.size(), 'a');  // 127 bytes
  const std::string tracked = host + "p?utm_source=" + std::string(120, 'u') + "&id=7";
  struct Case {
    std::string href;
    std::string target;
    std::string want;
  } cases[] = {
      {"http://old.org/a", "http://x.org/b", "http://x.org/b"},
      {"http://old.org/a#part", "http://x.org/b", "http://x.org/b#part"},
      {"http://old.org/a#part", "http://x.org/b#other", "http://x.org/b#other"},
      {"http://old.org/a", fits, fits},
      {"http://old.org/a", fits + "a", ""},  // 128 bytes, nothing to remove
      {"http://old.org/a#p", fits, ""},      // too long with the fragment
      {"http://old.org/a", tracked, host + "p?id=7"},
      {"http://old.org/a#p", tracked, host + "p?id=7#p"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.want, movedHref(c.href, c.target)) << c.href << " to " << c.target;
  }
}

TEST(FindMovedLinks, AbsoluteHrefsOfMovedUrlsInTreeOrder) {
  Ravelink tree;
  buildShape(tree, "R(a(a1,a2),b,c,d)");
  setHref(tree, "c", "http://x.org/old");
  setHref(tree, "cc", "http://x.org/fine");
  setHref(tree, "ccn", "HTTP://x.org/old");  // the same URL, another href
  setHref(tree, "cn", "http://x.org/old");   // the same href again
  setHref(tree, "cnn", "/old");              // resolves to it, but relative
  setHref(tree, "cnnn", "http://x.org/old#s");
  LinkSet set = collectLinks(tree.getRoot(), "http://x.org/");
  ASSERT_EQ(3u, set.links.size());  // old, fine, old#s
  CheckResult result;
  result.outcomes.resize(3);
  result.outcomes[0] = {LinkOutcome::Kind::kMoved, "https://x.org/new", {}, {}, false};
  result.outcomes[1] = {LinkOutcome::Kind::kFine, {}, {}, {}, false};
  result.outcomes[2] = {LinkOutcome::Kind::kMoved, "https://x.org/new", {}, {}, false};

  MovedLinks moved = findMovedLinks(tree.getRoot(), "http://x.org/", set, result);
  std::string nodes;
  for (const MovedHref& node : moved.nodes)
    nodes += std::string(node.node->getText()) + '=' + node.newHref + ' ';
  EXPECT_EQ("a=https://x.org/new a2=https://x.org/new b=https://x.org/new d=https://x.org/new#s ",
            nodes);
  EXPECT_EQ(3u, moved.distinctHrefs);

  // Nothing moved: no node to change.
  result.outcomes[0].kind = LinkOutcome::Kind::kFine;
  result.outcomes[2].kind = LinkOutcome::Kind::kFine;
  EXPECT_TRUE(findMovedLinks(tree.getRoot(), "http://x.org/", set, result).nodes.empty());
}
