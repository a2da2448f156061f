#include "linkcheck/link_set.h"

#include <gtest/gtest.h>

#include <string>

#include "support/tree_shape.h"

namespace {

// The URLs and first nodes of a set, "url@text" joined by spaces.
std::string describe(const LinkSet& set) {
  std::string text;
  for (const CheckedLink& link : set.links) {
    if (!text.empty()) text += ' ';
    text += link.url + '@' + link.node->getText();
  }
  return text + " skipped " + std::to_string(set.skipped);
}

void setHref(Ravelink& tree, const std::string& path, const char* href) {
  go(tree, path);
  tree.setCurrentHref(href);
}

}  // namespace

TEST(UrlToCheck, WhichHrefsAreCheckedAndHow) {
  const char* web = "http://example.org/dir/page.html";
  struct Case {
    const char* href;
    const char* base;
    const char* url;
  } cases[] = {
      {"http://example.org/a", "", "http://example.org/a"},
      {"HTTPS://Example.org", "", "https://Example.org/"},  // scheme in any case
      {"http://example.org/a b", "", "http://example.org/a%20b"},
      {"http://example.org/\xc3\xa9", "", "http://example.org/%c3%a9"},
      {"http://exa mple.org/", "", "http://exa mple.org/"},  // left for the checker to refuse
      {"mailto:someone@example.org", web, ""},
      {"ftp://example.org/", web, ""},
      {"javascript:void(0)", web, ""},
      {"a.html", "", ""},                  // relative without a base
      {"a.html", "file:///home/me/", ""},  // relative on a base that is not the web
      {"a.html", web, "http://example.org/dir/a.html"},
      {"../up.html?x=1", web, "http://example.org/up.html?x=1"},
      {"/root.html", web, "http://example.org/root.html"},
      {"//other.example/p", web, "http://other.example/p"},
      {"#top", web, "http://example.org/dir/page.html#top"},
      {"?q=1", web, "http://example.org/dir/page.html?q=1"},
      {"#top", "http://example.org/dir/page.html?x=1#old",
       "http://example.org/dir/page.html?x=1#top"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.url, urlToCheck(c.href, c.base)) << c.href << " on " << c.base;
  }
}

TEST(CollectLinks, DistinctUrlsInTreeOrderWithTheirFirstNode) {
  Ravelink tree;
  buildShape(tree, "R(a(a1,a2),b,c(c1),d)");
  setHref(tree, "c", "http://x.org/1");
  setHref(tree, "cc", "http://x.org/2");
  setHref(tree, "ccn", "mailto:m@x.org");
  setHref(tree, "cn", "http://x.org/1");    // b: the same URL again
  setHref(tree, "cnnc", "http://x.org/2");  // c1: again
  setHref(tree, "cnn", "/1");               // c: the same URL once resolved
  setHref(tree, "cnnn", "mailto:m@x.org");  // d: the same skipped href
  EXPECT_EQ("http://x.org/1@a http://x.org/2@a1 skipped 1",
            describe(collectLinks(tree.getRoot(), "http://x.org/")));
  // Without a base the relative href is skipped too; nodes without an href are no links.
  EXPECT_EQ("http://x.org/1@a http://x.org/2@a1 skipped 2",
            describe(collectLinks(tree.getRoot(), "")));
}
