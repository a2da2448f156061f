// Bookmark and OPML files in the layouts real programs write, each imported
// into an empty tree and compared with one expected result: the report, then
// the tree as "depth|text|href" lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "interchange/file_import.h"
#include "tree/tree_walk.h"
#include "treefiles/file_test_support.h"

namespace {

std::string fixture(const std::string& name) {
  return std::string(RAVELINK_SOURCE_DIR) + "/tests/interchange/fixtures/" + name;
}

// The report and the tree of importing fixture `file` into an empty tree.
std::string imported(const std::string& file) {
  Ravelink tree;
  std::ostringstream report;
  importFile(tree, fixture(file).c_str(), report);
  return report.str() + "--- tree\n" + treeRecords(tree);
}

void expectFixture(const std::string& file, const std::string& expected) {
  ASSERT_TRUE(std::filesystem::exists(fixture(expected))) << expected;
  EXPECT_EQ(readBytes(fixture(expected)), imported(file));
}

}  // namespace

// The H1 names the tree; place: and about: links skipped; HR, DD, dates,
// icons, TAGS, SHORTCUTURL and the folder flags counted; a title cut inside
// a character; an untitled link named after its host.
TEST(ImportFixtures, Firefox) { expectFixture("firefox.html", "firefox.expected"); }

// Raw "&" in HREF (even "&copy=" stays), escaped titles, non-ASCII, nested
// folders, a chrome: link, "Other bookmarks" loose at the top level.
TEST(ImportFixtures, Chromium) { expectFixture("chromium.html", "chromium.expected"); }

// An HTML wrapper, no outer DL, FOLDED, the Reading List with DD previews.
TEST(ImportFixtures, Safari) { expectFixture("safari.html", "safari.expected"); }

// windows-1252 without a charset, lower case, CR LF, unclosed A, a raw "<"
// in a title, a heading with no list after it.
TEST(ImportFixtures, OldLatin1Exporter) { expectFixture("old-latin1.html", "old-latin1.expected"); }

// Not well-formed (a raw "&" in a feed URL): read again with it escaped;
// text, else title; url, else htmlUrl, else xmlUrl; type in any case.
TEST(ImportFixtures, OpmlWithRawAmpersand) {
  expectFixture("feeds-raw-ampersand.opml", "feeds-raw-ampersand.expected");
}

// Script and data hrefs in any case and with a tab or line end inside, an
// href one byte too long (and one that just fits), terminal escapes and
// controls, a raw <script> in a title (the parser ends it at the next end
// tag) and a raw "<!--" in a title, which hides the rest of the file.
TEST(ImportFixtures, HostileFile) { expectFixture("hostile.html", "hostile.expected"); }

// Debian's chromium package ships a bookmark file written by the browser's
// own exporter.
TEST(ImportFixtures, ChromiumInitialBookmarks) {
  const char* shipped = "/usr/share/chromium/initial_bookmarks.html";
  if (!std::filesystem::exists(shipped)) GTEST_SKIP() << "no " << shipped;
  Ravelink tree;
  std::ostringstream report;
  importFile(tree, shipped, report);
  EXPECT_EQ(
      "0|Bookmarks|\n"
      "1|Bookmarks Bar|\n"
      "2|Debian.org|https://www.debian.org/\n"
      "2|Latest News|https://www.debian.org/News/\n"
      "2|Help|https://www.debian.org/support\n",
      treeRecords(tree));
  EXPECT_EQ(0u, report.str().find("Imported 3 links and 1 folder.\n"));
}
