#include "interchange/places_import.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "interchange/browser_tree.h"
#include "interchange/byte_encoding.h"
#include "interchange/import_source.h"

namespace {

constexpr const char* kDatabaseName = "places.sqlite";
constexpr const char* kLogName = "places.sqlite-wal";

// The roots in the order the browser shows them, by guid.
struct RootName {
  const char* guid;
  const char* text;
};
constexpr RootName kRoots[] = {
    {"menu________", "Bookmarks Menu"},
    {"toolbar_____", "Bookmarks Toolbar"},
    {"unfiled_____", "Other Bookmarks"},
    {"mobile______", "Mobile Bookmarks"},
};
constexpr const char* kTagsGuid = "tags________";

// The longest text or URL a row may hold: a hostile database's huge value
// is refused by SQLite instead of being copied.
constexpr int kMaxValueBytes = 1 << 20;

[[noreturn]] void badDatabase() { throw myException(Fault::kImportBadDatabase); }

// A folder of our own under the temporary folder, removed with what it holds.
class PrivateFolder {
 public:
  PrivateFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") +
                          "/ravelink-places.XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) throw myException(Fault::kImportRead);
    path_ = pattern;
  }
  ~PrivateFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  PrivateFolder(const PrivateFolder&) = delete;
  PrivateFolder& operator=(const PrivateFolder&) = delete;

  std::string file(const char* name) const { return path_ + "/" + name; }

  /// Writes what is left of `in` to a new file `name` here.
  void copy(std::istream& in, const char* name) const {
    int fd = ::open(file(name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) throw myException(Fault::kImportRead);
    std::string piece;
    bool written = true;
    try {
      while (written && readImportPiece(in, piece)) {
        for (std::size_t done = 0; written && done < piece.size();) {
          ssize_t n = ::write(fd, piece.data() + done, piece.size() - done);
          written = n > 0;
          if (written) done += static_cast<std::size_t>(n);
        }
      }
    } catch (...) {
      ::close(fd);
      throw;
    }
    if (::close(fd) != 0 || !written) throw myException(Fault::kImportRead);
  }

 private:
  std::string path_;
};

// An open connection to the copy, and its statements.
class Database {
 public:
  explicit Database(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
      badDatabase();
    }
    // The schema is the file's, not ours: run none of its code.
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db_, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_limit(db_, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
  }
  ~Database() { sqlite3_close(db_); }
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  sqlite3* handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(const Database& db, const char* sql) {
    if (sqlite3_prepare_v2(db.handle(), sql, -1, &statement_, nullptr) != SQLITE_OK) {
      sqlite3_finalize(statement_);
      badDatabase();
    }
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  /// The next row; false after the last. A failure throws.
  bool step() {
    int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    badDatabase();
  }
  std::int64_t number(int column) const { return sqlite3_column_int64(statement_, column); }
  /// A text column as valid UTF-8: the database holds whatever bytes were
  /// stored, and a bad sequence becomes U+FFFD.
  std::string text(int column) const {
    const char* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(statement_, column));
    if (bytes == nullptr) return "";
    Utf8Check check;
    check.feed(bytes, size);
    if (check.validAtEnd()) return std::string(bytes, size);
    std::string repaired;
    Utf8Converter converter(ByteEncoding::kUtf8Damaged);
    converter.convert(bytes, size, repaired);
    converter.finish(repaired);
    return repaired;
  }

 private:
  sqlite3_stmt* statement_ = nullptr;
};

struct Row {
  std::int64_t id;
  std::int64_t type;
  std::int64_t parent;
  std::int64_t position;
  std::int64_t place;
  std::string title;
  std::string guid;
};

// Both tables must be plain tables: a view or a virtual table of that name
// would run the file's own code, and could run for ever.
void requirePlainTables(const Database& db) {
  Statement tables(db,
                   "SELECT count(*) FROM sqlite_master WHERE type = 'table' "
                   "AND name IN ('moz_bookmarks', 'moz_places') "
                   "AND sql NOT LIKE 'CREATE VIRTUAL%'");
  if (!tables.step() || tables.number(0) != 2) badDatabase();
}

std::vector<Row> readRows(const Database& db) {
  std::vector<Row> rows;
  Statement bookmarks(db, "SELECT id, type, parent, position, fk, title, guid FROM moz_bookmarks");
  while (bookmarks.step()) {
    rows.push_back({bookmarks.number(0), bookmarks.number(1), bookmarks.number(2),
                    bookmarks.number(3), bookmarks.number(4), bookmarks.text(5),
                    bookmarks.text(6)});
  }
  return rows;
}

struct Place {
  std::string url;
  std::string title;
};

// The places the bookmarks name; the rest of the history stays unread.
std::unordered_map<std::int64_t, Place> readPlaces(const Database& db,
                                                  const std::vector<Row>& rows) {
  std::unordered_map<std::int64_t, Place> places;
  for (const Row& row : rows) {
    if (row.type == 1) places.emplace(row.place, Place{});
  }
  Statement query(db, "SELECT id, url, title FROM moz_places");
  while (query.step()) {
    auto found = places.find(query.number(0));
    if (found != places.end()) found->second = {query.text(1), query.text(2)};
  }
  return places;
}

// Throws when following parents from some row comes back to it. Linear:
// each row is walked from once.
void refuseCycles(const std::vector<Row>& rows,
                  const std::unordered_map<std::int64_t, std::uint32_t>& index) {
  enum State : std::uint8_t { kNew, kOnPath, kDone };
  std::vector<State> state(rows.size(), kNew);
  std::vector<std::uint32_t> path;
  for (std::uint32_t start = 0; start < rows.size(); ++start) {
    std::uint32_t at = start;
    for (;;) {
      if (state[at] == kOnPath) throw myException(Fault::kImportCycle);
      if (state[at] == kDone) break;
      state[at] = kOnPath;
      path.push_back(at);
      auto parent = index.find(rows[at].parent);
      if (parent == index.end()) break;
      at = parent->second;
    }
    for (std::uint32_t walked : path)
      state[walked] = kDone;
    path.clear();
  }
}

}  // namespace

std::unique_ptr<ImportRun> readPlacesDatabase(std::istream& database, std::istream* log) {
  PrivateFolder folder;
  folder.copy(database, kDatabaseName);
  if (log != nullptr) folder.copy(*log, kLogName);

  Database db(folder.file(kDatabaseName));
  requirePlainTables(db);
  std::vector<Row> rows = readRows(db);
  std::unordered_map<std::int64_t, Place> places = readPlaces(db, rows);

  std::unordered_map<std::int64_t, std::uint32_t> index;
  index.reserve(rows.size());
  for (std::uint32_t i = 0; i < rows.size(); ++i)
    index.emplace(rows[i].id, i);  // the first row of an id counts
  refuseCycles(rows, index);

  auto run = std::make_unique<ImportRun>();
  std::vector<BrowserItem> items(rows.size());
  std::vector<std::uint32_t> order;  // the rows with a parent, in sibling order
  std::int64_t tagsRoot = -1;
  for (std::uint32_t i = 0; i < rows.size(); ++i) {
    const Row& row = rows[i];
    BrowserItem& item = items[i];
    if (row.guid == kTagsGuid && tagsRoot < 0) tagsRoot = row.id;
    item.title = row.title;
    if (row.type == 1) {
      item.kind = BrowserItem::Kind::kLink;
      const Place& place = places[row.place];
      item.href = place.url;
      if (item.title.empty()) item.title = place.title;
    } else if (row.type == 3) {
      item.kind = BrowserItem::Kind::kSeparator;
    } else if (row.type != 2) {
      continue;  // no kind the browser still makes
    }
    if (index.count(row.parent) != 0) order.push_back(i);
  }
  std::sort(order.begin(), order.end(), [&rows](std::uint32_t a, std::uint32_t b) {
    const Row& x = rows[a];
    const Row& y = rows[b];
    if (x.parent != y.parent) return x.parent < y.parent;
    if (x.position != y.position) return x.position < y.position;
    return x.id < y.id;
  });
  for (std::uint32_t i : order) {
    const std::uint32_t parent = index.at(rows[i].parent);
    if (rows[parent].type == 2) items[parent].children.push_back(i);
  }
  // Tags are folders under the tags root that hold the bookmarks tagged.
  for (const Row& row : rows) {
    if (row.type != 1) continue;
    auto parent = index.find(row.parent);
    if (parent != index.end() && rows[parent->second].parent == tagsRoot && tagsRoot >= 0) {
      run->report.count(Loss::kTags);
    }
  }

  std::vector<BrowserRoot> roots;
  for (const RootName& root : kRoots) {
    for (std::uint32_t i = 0; i < rows.size(); ++i) {
      if (rows[i].guid == root.guid && rows[i].type == 2) {
        roots.push_back({i, root.text});
        break;
      }
    }
  }
  importBrowserRoots(items, roots, *run);
  return run;
}
