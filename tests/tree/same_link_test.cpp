#include "tree/same_link.h"

#include <gtest/gtest.h>

// Pairs that are one link, and pairs that are not.
TEST(SameLink, OnlyTheNamedDifferencesAreIgnored) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"HTTP://Example.COM:80", "http://example.com/", true},
      {"https://EXAMPLE.com:443", "https://example.com/", true},
      {"https://example.com?q=1", "https://example.com/?q=1", true},
      {"http://example.com#top", "http://example.com/#top", true},
      {"http://user@Example.com:80/p", "http://user@example.com/p", true},
      {"http://example.com/", "https://example.com/", false},  // another scheme
      {"http://example.com:443/", "http://example.com/", false},  // not http's port
      {"http://example.com/#top", "http://example.com/", false},   // the fragment counts
      {"http://example.com/Path", "http://example.com/path", false},
      {"http://example.com/a%2Fb", "http://example.com/a/b", false},
      {"mailto:Me@example.com", "mailto:me@example.com", false},  // byte for byte
      {"FTP://Example.com/", "ftp://example.com/", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.same, linkKey(c.a) == linkKey(c.b)) << c.a << " | " << c.b;
  }
  EXPECT_EQ("", linkKey(""));
  EXPECT_EQ("http://example.com/x", linkKey("http://EXAMPLE.com:80/x"));
}

TEST(SameLink, KeysOfHttpAndHttpsUrls) {
  struct Case {
    const char* href;
    const char* key;
  } cases[] = {
      {"HTTP://Example.ORG", "http://example.org/"},
      {"http://example.org:80/a", "http://example.org/a"},
      {"https://example.org:443", "https://example.org/"},
      {"https://example.org:80/", "https://example.org:80/"},   // not https's default
      {"http://example.org:443/", "http://example.org:443/"},   // not http's default
      {"http://example.org:/x", "http://example.org/x"},        // an empty port
      {"http://Example.org?q=A", "http://example.org/?q=A"},    // the query keeps its case
      {"http://example.org#Top", "http://example.org/#Top"},    // so does the fragment
      {"http://example.org/Path/#f", "http://example.org/Path/#f"},
      {"http://User:PW@Host.example:8080/P", "http://User:PW@host.example:8080/P"},
      {"http://[FE80::1]:80/", "http://[fe80::1]/"},
      {"http://[fe80::1]/", "http://[fe80::1]/"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.key, linkKey(c.href)) << c.href;
  }
}

TEST(SameLink, WhatStaysApart) {
  EXPECT_NE(linkKey("http://example.org/"), linkKey("https://example.org/"));
  EXPECT_NE(linkKey("http://example.org/a"), linkKey("http://example.org/A"));
  EXPECT_NE(linkKey("http://example.org/#a"), linkKey("http://example.org/"));
  // Other schemes, and hrefs without one, byte for byte.
  EXPECT_EQ("FTP://Example.org", linkKey("FTP://Example.org"));
  EXPECT_EQ("mailto:Me@Example.org", linkKey("mailto:Me@Example.org"));
  EXPECT_EQ("docs/Index.html", linkKey("docs/Index.html"));
  EXPECT_EQ("http:no-slashes", linkKey("http:no-slashes"));
  // An empty href is no link.
  EXPECT_EQ("", linkKey(""));
}
