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
