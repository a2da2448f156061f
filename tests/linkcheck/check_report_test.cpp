#include "linkcheck/check_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/tree_shape.h"

namespace {

using Kind = LinkOutcome::Kind;

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

  std::string report(const std::vector<LinkOutcome>& outcomes) const {
    std::ostringstream out;
    writeCheckReport(out, set, outcomes);
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
      "Checked 2 links: 1 fine, 0 moved, 0 dead, 1 errors.\n"
      "Skipped 3 hrefs that are not http or https.\n",
      f.report({{Kind::kUnchecked, ""},
                {Kind::kUnchecked, ""},
                {Kind::kError, "timed out"},
                {Kind::kFine, ""},
                {Kind::kUnchecked, ""}}));
}
