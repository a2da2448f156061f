#include "linkcheck/check_report.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/tree_shape.h"

namespace {

using Kind = LinkOutcome::Kind;

// The sample of every test here: five links below "Links".
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

TEST(CheckReport, OneLinePerLinkNotFineInTreeOrderThenTheSummary) {
  Fixture f;
  ASSERT_EQ(5u, f.set.links.size());  // News, Daily, Weekly, Maps, Mail
  EXPECT_EQ(
      "Links > News > Weekly | http://weekly.example/[2J | 404 Not Found\n"
      "Links > Tools > Maps | maps.html | moved permanently to http://tools.example/new/maps.html\n"
      "Links > Tools > Mail | http://mail.example/ | no such host\n"
      "Checked 5 links: 2 fine, 1 moved, 1 dead, 1 errors.\n"
      "Skipped 3 hrefs that are not http or https.\n",
      f.report({{Kind::kFine, ""},
                {Kind::kFine, ""},
                {Kind::kDead, "404 Not Found"},
                {Kind::kMoved, "http://tools.example/new/maps.html"},
                {Kind::kError, "no such host"}}));
}

TEST(CheckReport, AStoppedRunCountsOnlyWhatWasChecked) {
  Fixture f;
  EXPECT_EQ(
      "Links > News > Daily | http://daily.example/ | timed out\n"
      "Stopped with 3 of 5 links not checked.\n"
      "Checked 2 links: 1 fine, 0 moved, 0 dead, 1 errors.\n"
      "Skipped 3 hrefs that are not http or https.\n",
      f.report({{Kind::kUnchecked, ""},
                {Kind::kError, "timed out"},
                {Kind::kUnchecked, ""},
                {Kind::kFine, ""},
                {Kind::kUnchecked, ""}}));
}

TEST(CheckReport, NothingToCheck) {
  LinkSet empty;
  std::ostringstream out;
  writeCheckReport(out, empty, {});
  EXPECT_EQ(
      "Checked 0 links: 0 fine, 0 moved, 0 dead, 0 errors.\n"
      "Skipped 0 hrefs that are not http or https.\n",
      out.str());
}
