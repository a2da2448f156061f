// bench_make_places BOOKMARKS FILE: writes a places.sqlite in the layout
// Firefox keeps (the roots by guid, moz_places for the URLs, folders,
// separators, a tag) for the import benchmark (bench/places.sh): BOOKMARKS
// bookmarks, 50 to a folder, the folders ten to a parent below the menu,
// the toolbar and "Other Bookmarks". The bytes depend only on the argument.
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// "prefix" followed by the number (built in two steps: GCC 12's -Wrestrict
// misfires on a literal + std::to_string at -O3).
std::string numbered(const char* prefix, long n) {
  std::string text(prefix);
  text += std::to_string(n);
  return text;
}

void exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
    std::fprintf(stderr, "bench_make_places: %s\n", error);
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: bench_make_places BOOKMARKS FILE\n");
    return 2;
  }
  const long bookmarks = std::atol(argv[1]);
  std::remove(argv[2]);
  sqlite3* db = nullptr;
  if (sqlite3_open(argv[2], &db) != SQLITE_OK) return 1;
  exec(db,
       "CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url LONGVARCHAR, title LONGVARCHAR,"
       " rev_host LONGVARCHAR, visit_count INTEGER DEFAULT 0, guid TEXT);"
       "CREATE TABLE moz_bookmarks (id INTEGER PRIMARY KEY, type INTEGER, fk INTEGER DEFAULT NULL,"
       " parent INTEGER, position INTEGER, title LONGVARCHAR, keyword_id INTEGER,"
       " folder_type TEXT, dateAdded INTEGER, lastModified INTEGER, guid TEXT UNIQUE);"
       "CREATE INDEX moz_bookmarks_itemindex ON moz_bookmarks (fk, type);"
       "CREATE INDEX moz_bookmarks_parentindex ON moz_bookmarks (parent, position);"
       "BEGIN;"
       "INSERT INTO moz_bookmarks (id, type, parent, position, title, guid) VALUES"
       " (1,2,0,0,'','root________'), (2,2,1,0,'menu','menu________'),"
       " (3,2,1,1,'toolbar','toolbar_____'), (4,2,1,2,'tags','tags________'),"
       " (5,2,1,3,'unfiled','unfiled_____'), (6,2,1,4,'mobile','mobile______');");
  sqlite3_stmt* place = nullptr;
  sqlite3_stmt* mark = nullptr;
  sqlite3_prepare_v2(db, "INSERT INTO moz_places (id, url, title) VALUES (?, ?, ?)", -1, &place,
                     nullptr);
  sqlite3_prepare_v2(db,
                     "INSERT INTO moz_bookmarks (id, type, fk, parent, position, title, guid)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?)",
                     -1, &mark, nullptr);
  long nextId = 7;
  auto add = [&](int type, long fk, long parent, long position, const std::string& title) {
    const long id = nextId++;
    sqlite3_bind_int64(mark, 1, id);
    sqlite3_bind_int(mark, 2, type);
    if (fk > 0) {
      sqlite3_bind_int64(mark, 3, fk);
    } else {
      sqlite3_bind_null(mark, 3);
    }
    sqlite3_bind_int64(mark, 4, parent);
    sqlite3_bind_int64(mark, 5, position);
    sqlite3_bind_text(mark, 6, title.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(mark, 7, numbered("g", id).c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_step(mark);
    sqlite3_reset(mark);
    return id;
  };
  const long roots[] = {2, 3, 5};
  long made = 0;
  long folderCount = 0;
  long placeId = 1;
  while (made < bookmarks) {
    // A top folder in a root, ten folders in it, 50 bookmarks and a separator in each.
    const long top = add(2, 0, roots[folderCount % 3], folderCount / 3,
                         numbered("Folder ", folderCount));
    ++folderCount;
    for (long sub = 0; sub < 10 && made < bookmarks; ++sub) {
      const long folder = add(2, 0, top, sub, numbered("Topic ", sub));
      for (long i = 0; i < 50 && made < bookmarks; ++i, ++made) {
        const std::string url = numbered("https://site", made % 997) + ".example.org/page/" +
                                std::to_string(made) + "?ref=bench&lang=en";
        sqlite3_bind_int64(place, 1, placeId);
        sqlite3_bind_text(place, 2, url.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(place, 3, numbered("Page title ", made).c_str(), -1,
                          SQLITE_TRANSIENT);
        sqlite3_step(place);
        sqlite3_reset(place);
        add(1, placeId++, folder, i < 25 ? i : i + 1,
            i % 7 == 0 ? "" : numbered("Bookmark ", made) + " – Zürich & Co");
      }
      add(3, 0, folder, 25, "");
    }
  }
  sqlite3_finalize(place);
  sqlite3_finalize(mark);
  exec(db, "COMMIT;");
  sqlite3_close(db);
  return 0;
}
