#include "tree/same_link.h"

#include <gtest/gtest.h>

// The key of each href: what is lowered, what is dropped, what stays.
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
  EXPECT_NE(linkKey("http://example.org/a%2Fb"), linkKey("http://example.org/a/b"));
  // Other schemes, and hrefs without one, byte for byte.
  EXPECT_EQ("FTP://Example.org", linkKey("FTP://Example.org"));
  EXPECT_EQ("mailto:Me@Example.org", linkKey("mailto:Me@Example.org"));
  EXPECT_EQ("docs/Index.html", linkKey("docs/Index.html"));
  EXPECT_EQ("http:no-slashes", linkKey("http:no-slashes"));
  // An empty href is no link.
  EXPECT_EQ("", linkKey(""));
}
