#include "linkcheck/check_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/tree_shape.h"

namespace {

using Kind = LinkOutcome::Kind;

LinkOutcome outcome(Kind kind, const char* detail, const char* unresolvedHost,
                    const char* silentHost = "", bool notTried = false) {
  LinkOutcome made;
  made.kind = kind;
  made.detail = detail;
  made.unresolvedHost = unresolvedHost;
  made.silentHost = silentHost;
  made.notTried = notTried;
  return made;
}

// Five links below "Links", one of them relative to the base URL.
struct Fixture {
  Fixture() {
    buildShape(tree, "Links(News(Daily,Weekly),Tools(Maps,Mail))");
    const char* hrefs[][2] = {{"cc", "http://daily.example/"},
                              {"ccn", "http://weekly.example/\x1b[2J"},
                              {"cnc", "maps.html"},
                              {"cncn", "http://mail.example/"},
                              {"c", "http://news.example/"}};
    for (const auto& [path, href] : hrefs) {
      go(tree, path);
      tree.setCurrentHref(href);
    }
    tree.gotoRoot();
    set = collectLinks(tree.getRoot(), "http://tools.example/");
    set.skipped = 3;
  }

  std::string report(const std::vector<LinkOutcome>& outcomes, std::size_t lookedUp = 1,
                     std::size_t resolved = 1) const {
    std::ostringstream out;
    writeCheckReport(out, set, {true, outcomes, lookedUp, resolved});
    return out.str();
  }

  Ravelink tree;
  LinkSet set;
};

}  // namespace

// The full report of a run that ends is checked through the binary
// (tests/e2e/check/); a stopped run, and an href holding control bytes, here.
TEST(CheckReport, AStoppedRunCountsOnlyWhatWasChecked) {
  Fixture f;
  EXPECT_EQ(
      "Links > News > Weekly | http://weekly.example/[2J | timed out\n"
      "Stopped with 3 of 5 links not checked.\n"
      "Checked 2 links: 1 fine, 0 moved, 0 dead, 1 error.\n"
      "Skipped 3 hrefs that are not http or https.\n",
      f.report({outcome(Kind::kUnchecked, "", ""),
                outcome(Kind::kUnchecked, "", ""),
                outcome(Kind::kError, "timed out", ""),
                outcome(Kind::kFine, "", ""),
                outcome(Kind::kUnchecked, "", "")}));
}

// The links of a host whose name failed stand under the first one's line;
// the network-down line follows only when no host resolved.
TEST(CheckReport, LinksOfAnUnresolvedHostAreOneLine) {
  Fixture f;
  f.set.skipped = 1;
  LinkOutcome a = outcome(Kind::kError, "no such host", "a.invalid");
  LinkOutcome b = outcome(Kind::kError, "no such host", "b.invalid");
  EXPECT_EQ(
      "Links > News | http://news.example/ | no such host\n"
      "  and 2 more links on a.invalid\n"
      "Links > News > Daily | http://daily.example/ | no such host\n"
      "  and 1 more link on b.invalid\n"
      "Checked 5 links: 0 fine, 0 moved, 0 dead, 5 errors.\n"
      "Skipped 1 href that is not http or https.\n"
      "No host could be resolved: is the network down?\n",
      f.report({a, b, a, b, a}, 2, 0));

  f.set.skipped = 0;
  EXPECT_EQ(
      "Links > News > Daily | http://daily.example/ | no such host\n"
      "Links > Tools > Maps | maps.html | no such host\n"
      "Stopped with 2 of 5 links not checked.\n"
      "Checked 3 links: 1 fine, 0 moved, 0 dead, 2 errors.\n",
      f.report({outcome(Kind::kFine, "", ""), a, outcome(Kind::kUnchecked, "", ""), b,
                outcome(Kind::kUnchecked, "", "")},
               3, 1));
}

// The links not tried on a host given up on stand under the last link, in
// the report's order, that timed out there; they count as errors.
TEST(CheckReport, LinksNotTriedOnASilentHostAreOneLine) {
  Fixture f;
  f.set.skipped = 0;
  LinkOutcome late = outcome(Kind::kError, "timed out", "", "slow.example");
  LinkOutcome notTried =
      outcome(Kind::kError, "not tried: the host does not answer", "", "slow.example", true);
  LinkOutcome fine = outcome(Kind::kFine, "", "");
  EXPECT_EQ(
      "Links > News | http://news.example/ | timed out\n"
      "Links > News > Weekly | http://weekly.example/[2J | timed out\n"
      "  and 2 more links on slow.example not tried: the host does not answer\n"
      "Checked 5 links: 1 fine, 0 moved, 0 dead, 4 errors.\n",
      f.report({late, notTried, late, fine, notTried}));
  EXPECT_EQ(
      "Links > News | http://news.example/ | timed out\n"
      "  and 1 more link on slow.example not tried: the host does not answer\n"
      "Checked 5 links: 3 fine, 0 moved, 0 dead, 2 errors.\n",
      f.report({late, fine, fine, notTried, fine}));
}
