// The browsers' own bookmark files: files the real browsers wrote (the
// Chromium profile's Bookmarks, Firefox's places.sqlite made by its own
// importer and compacted), a database held open and locked with its newest
// rows only in the write-ahead log, and hostile files.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "interchange/chromium_import.h"
#include "interchange/file_import.h"
#include "support/tree_shape.h"
#include "treefiles/file_test_support.h"

namespace {

std::string fixture(const std::string& name) {
  return std::string(RAVELINK_SOURCE_DIR) + "/tests/interchange/fixtures/browser-files/" + name;
}

std::string imported(const std::string& file) {
  Ravelink tree;
  std::ostringstream report;
  importFile(tree, file.c_str(), report);
  return report.str() + "--- tree\n" + treeRecords(tree);
}

std::string importJson(const std::string& json) {
  Ravelink tree;
  std::istringstream in(json);
  std::ostringstream report;
  importLinks(tree, in, report);
  return report.str() + "--- tree\n" + treeRecords(tree);
}

// Runs SQL on a database; fails the test on an error.
void run(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error)) << error;
}

// The tables of places.sqlite as far as import reads them, with the roots.
const char kPlacesSchema[] =
    "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR);"
    "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,"
    " parent INTEGER, position INTEGER, title LONGVARCHAR, guid TEXT);"
    "INSERT INTO moz_bookmarks VALUES (1,2,NULL,0,0,'','root________'),"
    " (2,2,NULL,1,0,'menu','menu________'), (3,2,NULL,1,1,'toolbar','toolbar_____'),"
    " (4,2,NULL,1,2,'tags','tags________'), (5,2,NULL,1,3,'unfiled','unfiled_____'),"
    " (6,2,NULL,1,4,'mobile','mobile______');";

}  // namespace

// A profile's Bookmarks file as Chromium wrote it (keys sorted, so a
// folder's name follows its children; meta_info objects; an empty title; a
// chrome: and a javascript: link; a long title).
TEST(BrowserFiles, ChromiumProfile) {
  EXPECT_EQ(readBytes(fixture("chromium-Bookmarks.expected")),
            imported(fixture("chromium-Bookmarks.json")));
}

// A places.sqlite that Firefox's own importer filled from
// ../firefox.html: the same tree as that file, with the menu as a folder,
// the tags left out and counted.
TEST(BrowserFiles, FirefoxPlaces) {
  EXPECT_EQ(readBytes(fixture("firefox-places.expected")),
            imported(fixture("firefox-places.sqlite")));
}

// The roots come in the browser's order whatever the file's; empty ones
// and unknown members are left out; a node without a type is a link when
// it has a url and no children.
TEST(BrowserFiles, ChromiumRootsAndNodes) {
  EXPECT_EQ(
      "Imported 3 links and 3 folders.\n--- tree\n"
      "0||\n"
      "1|Bookmarks bar|\n"
      "2|a|https://a.example/\n"
      "2|F|\n"
      "3|b|https://b.example/\n"
      "1|Mobile bookmarks|\n"
      "2|c|https://c.example/\n",
      importJson(R"({"version": 1, "roots": {
        "synced": {"type": "folder", "children": [{"name": "c", "url": "https://c.example/"}]},
        "other": {"type": "folder", "children": [], "name": "Other"},
        "extra": {"type": "folder", "children": [{"type": "url", "url": "https://x.example/"}]},
        "bookmark_bar": {"children": [
          {"type": "url", "name": "a", "url": "https://a.example/", "meta_info": {"k": [1, {}]}},
          {"children": [{"type": "url", "name": "b", "url": "https://b.example/"}],
           "name": "F", "type": "folder"}]}}})"));
}

TEST(BrowserFiles, HostileFilesAreRefused) {
  Ravelink tree;
  buildShape(tree, "R(a)");
  const std::string shape = treeShape(tree);
  auto refused = [&](const std::string& bytes, const char* message) {
    SCOPED_TRACE(bytes.substr(0, 40));
    std::istringstream in(bytes);
    std::ostringstream report;
    EXPECT_ERROR(importLinks(tree, in, report), "import", message);
    EXPECT_EQ(shape, treeShape(tree));
  };
  refused(R"({"roots": {"other": {"children": [}}})", "bad JSON at byte 35");
  refused("{\"roots\": {\"other\": {\"name\": \"\xC3\x28\"}}}", "bad JSON at byte 32");
  // A million brackets: refused at the nesting bound, not recursed into.
  refused("{\"roots\": " + std::string(1000000, '['), "JSON nested too deep");
  std::string deepFolders = R"({"roots": {"other": )";
  for (std::size_t i = 0; i < kMaxJsonNesting; ++i)
    deepFolders += R"({"children": [)";
  refused(deepFolders, "JSON nested too deep");
  // "roots" only named, never given.
  refused(R"({"x": "roots", "roots": 1})", "unknown file format");
  // Read as a Bookmarks file whatever it begins with: a top-level string.
  std::istringstream string("\"roots\"");
  EXPECT_ERROR(readChromiumBookmarks(string), "import", "unknown file format");
  refused(std::string("SQLite format 3\0garbage", 24) + std::string(4096, 'x'),
          "unreadable bookmark database");
}

// Folders nested 3,000 deep, within the JSON bound: flattened at the
// import's depth limit like every other format.
TEST(BrowserFiles, DeepChromiumFoldersFlatten) {
  std::string json = R"({"roots": {"other": {"children": [)";
  for (int i = 0; i < 3000; ++i)
    json += R"({"type": "folder", "name": "f", "children": [)";
  json += R"({"type": "url", "name": "bottom", "url": "https://bottom.example/"})";
  for (int i = 0; i < 3000; ++i)
    json += "]}";
  json += "]}}}";
  std::string result = importJson(json);
  EXPECT_EQ(0u, result.find("Imported 1 link and 1000 folders.\n"
                            "Folders deeper than 1000 levels, flattened: 2001\n"));
}

class PlacesDatabase : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = folder_ / "places.sqlite";
    ASSERT_EQ(SQLITE_OK, sqlite3_open(path_.c_str(), &db_));
    run(db_, kPlacesSchema);
  }
  void TearDown() override { sqlite3_close(db_); }

  std::string importIt() { return imported(path_); }

  TempFolder folder_;
  std::string path_;
  sqlite3* db_ = nullptr;
};

// Held open under an exclusive lock in WAL mode, as the browser holds it,
// with the bookmarks only in the log: read whole, the browser's files left
// as they were, and no copy left behind. The menu holds only a smart
// folder, so it is left out as empty.
TEST_F(PlacesDatabase, ReadWhileTheBrowserHoldsIt) {
  run(db_, "PRAGMA journal_mode=WAL; PRAGMA locking_mode=EXCLUSIVE;");
  sqlite3_wal_autocheckpoint(db_, 0);
  run(db_,
      "INSERT INTO moz_places VALUES (1,'https://a.example/','Place title'),"
      " (2,'place:sort=8','Recent'), (3,'https://b.example/',NULL);"
      "INSERT INTO moz_bookmarks VALUES (10,1,1,3,1,NULL,'g10'), (11,3,NULL,3,2,NULL,'g11'),"
      " (12,2,NULL,3,0,'Folder','g12'), (13,1,3,12,0,'B','g13'), (14,1,2,2,0,'Recent','g14'),"
      " (15,2,NULL,4,0,'tag','g15'), (16,1,3,15,0,NULL,'g16');");
  // A plain open fails while the lock is held.
  sqlite3* other = nullptr;
  sqlite3_open_v2(path_.c_str(), &other, SQLITE_OPEN_READONLY, nullptr);
  EXPECT_NE(SQLITE_OK,
            sqlite3_exec(other, "SELECT count(*) FROM moz_bookmarks", nullptr, nullptr, nullptr));
  sqlite3_close(other);

  const std::string database = readBytes(path_);
  const std::string log = readBytes(path_ + "-wal");
  ASSERT_FALSE(log.empty());
  TempFolder temporary;
  const char* oldTmp = std::getenv("TMPDIR");
  const std::string keptTmp = oldTmp != nullptr ? oldTmp : "";
  setenv("TMPDIR", (temporary / "").c_str(), 1);
  const std::string result = importIt();
  if (oldTmp != nullptr) {
    setenv("TMPDIR", keptTmp.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
  EXPECT_EQ(
      "Imported 2 links and 2 folders.\n"
      "Links skipped, browser-internal href (place:, about:, ...): 1\n"
      "Separators dropped: 1\n"
      "Tags dropped: 1\n"
      "--- tree\n"
      "0||\n"
      "1|Bookmarks Toolbar|\n"
      "2|Folder|\n"
      "3|B|https://b.example/\n"
      "2|Place title|https://a.example/\n",
      result);
  EXPECT_EQ(database, readBytes(path_));
  EXPECT_EQ(log, readBytes(path_ + "-wal"));
  EXPECT_EQ("", temporary.listing());
}

// The database holds whatever bytes were stored: bad UTF-8 becomes U+FFFD,
// control characters go, as in every other format.
TEST_F(PlacesDatabase, BadBytesInTextsAreRepaired) {
  run(db_,
      "INSERT INTO moz_places VALUES (1, 'https://a.example/' || x'FF', NULL);"
      "INSERT INTO moz_bookmarks VALUES (10,1,1,5,0,'caf' || x'E9' || ' ' || x'1B' || '[2J','g');");
  EXPECT_EQ(
      "Imported 1 link and 1 folder.\n"
      "Texts and hrefs with control characters dropped: 1\n--- tree\n"
      "0||\n1|Other Bookmarks|\n2|caf\xEF\xBF\xBD [2J|https://a.example/\xEF\xBF\xBD\n",
      importIt());
}

TEST_F(PlacesDatabase, HostileDatabasesAreRefused) {
  // A cycle of parents away from the roots, then one through a root.
  run(db_, "INSERT INTO moz_bookmarks VALUES (20,2,NULL,21,0,'a','g20'), (21,2,NULL,20,0,'b','g21');");
  EXPECT_ERROR(importIt(), "import", "folders form a cycle");
  run(db_, "DELETE FROM moz_bookmarks WHERE id > 6; UPDATE moz_bookmarks SET parent = 2 WHERE id = 1;");
  EXPECT_ERROR(importIt(), "import", "folders form a cycle");
  // A view in place of the table could run for ever: refused unread.
  run(db_, "DROP TABLE moz_bookmarks; CREATE VIEW moz_bookmarks AS WITH RECURSIVE n(i) AS"
           " (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT i AS id, 2 AS type, 0 AS fk,"
           " 0 AS parent, 0 AS position, '' AS title, '' AS guid FROM n;");
  EXPECT_ERROR(importIt(), "import", "unreadable bookmark database");
  run(db_, "DROP VIEW moz_bookmarks; DROP TABLE moz_places;");
  EXPECT_ERROR(importIt(), "import", "unreadable bookmark database");
  // The real file cut short.
  sqlite3_close(db_);
  db_ = nullptr;
  const std::string real = readBytes(fixture("firefox-places.sqlite"));
  writeBytes(path_, real.substr(0, real.size() / 2));
  EXPECT_ERROR(importIt(), "import", "unreadable bookmark database");
}
