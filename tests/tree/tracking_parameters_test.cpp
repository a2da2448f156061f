#include "tree/tracking_parameters.h"

#include <gtest/gtest.h>

TEST(TrackingParameters, RemovesExactlyTheListedNamesAndKeepsTheRest) {
  struct Case {
    const char* href;
    const char* expected;
  } cases[] = {
      // Every listed name, with and without a value; the "?" goes with the last.
      {"https://a.example/p?utm_source=x&utm_medium=y&utm_campaign&utm_term=1&utm_content=2",
       "https://a.example/p"},
      {"https://a.example/?fbclid=1&gclid=2&dclid=3&msclkid=4&mc_cid=5&mc_eid=6&igshid=7",
       "https://a.example/"},
      {"https://a.example/?yclid=1&_hsenc=2&_hsmi=3&mkt_tok=4", "https://a.example/"},
      // Other parameters keep their order, values and empty values.
      {"https://a.example/s?q=rust&utm_source=news&page=2&x=", "https://a.example/s?q=rust&page=2&x="},
      // The fragment stays, also when the query goes; a "?" inside it is no query.
      {"https://a.example/d?utm_source=x#part?utm_medium=y", "https://a.example/d#part?utm_medium=y"},
      {"https://a.example/d#top?utm_source=x", "https://a.example/d#top?utm_source=x"},
      // Compared exactly: case, prefixes and look-alikes are not tracking.
      {"https://a.example/?UTM_SOURCE=1&utm_sourcex=2&xutm_source=3&utm=4",
       "https://a.example/?UTM_SOURCE=1&utm_sourcex=2&xutm_source=3&utm=4"},
      // Nothing to remove: the href comes back byte for byte.
      {"https://a.example/p?a=1&&b=2", "https://a.example/p?a=1&&b=2"},
      {"no query at all", "no query at all"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, withoutTrackingParameters(c.href)) << c.href;
  }
}
