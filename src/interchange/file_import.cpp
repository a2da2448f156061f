#include "interchange/file_import.h"

#include <istream>
#include <memory>
#include <string>

#include "base/regular_file.h"
#include "interchange/bookmark_import.h"
#include "interchange/bookmark_scan.h"
#include "interchange/byte_encoding.h"
#include "interchange/chromium_import.h"
#include "interchange/format_libraries.h"
#include "interchange/import_format.h"
#include "interchange/opml_import.h"
#include "interchange/places_import.h"

namespace {

constexpr std::size_t kHeadSize = std::size_t{64} * 1024;

// The first bytes of the file, after any byte order mark, in UTF-8 (a UTF-16
// file is converted) as far as format detection needs.
std::string headOf(std::istream& in) {
  std::string head(kHeadSize, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) throw myException(Fault::kImportRead);
  ByteEncoding encoding = ByteEncoding::kUnknown;
  std::size_t mark = byteOrderMark(head, encoding);
  if (encoding == ByteEncoding::kUtf16Le || encoding == ByteEncoding::kUtf16Be) {
    std::string converted;
    Utf8Converter(encoding).convert(head.data() + mark, head.size() - mark, converted);
    return converted;
  }
  return head.substr(mark);
}

// Imports `in`; `log`, when given, is the write-ahead log beside a database.
void importFrom(Ravelink& tree, std::istream& in, std::istream* log, std::ostream& report) {
  std::streampos start = in.tellg();
  std::string head = headOf(in);
  in.clear();
  in.seekg(start);
  std::unique_ptr<ImportRun> run;
  if (looksLikeOpml(head)) {
    if constexpr (kHaveLibxml2) {
      run = readOpmlFile(in);
    } else {
      throw MissingLibrary{"OPML", "libxml2", false};
    }
  } else if (looksLikeSqliteDatabase(head)) {
    if constexpr (kHaveSqlite) {
      run = readPlacesDatabase(in, log);
    } else {
      throw MissingLibrary{"Firefox bookmarks", "SQLite", false};
    }
  } else if (looksLikeChromiumBookmarks(head)) {
    if constexpr (kHaveJsonLibrary) {
      run = readChromiumBookmarks(in);
    } else {
      throw MissingLibrary{"Chromium bookmarks", "nlohmann-json", false};
    }
  } else if (looksLikeBookmarkFile(head)) {
    if constexpr (kHaveLibxml2) {
      run = readBookmarkFile(in);
    } else {
      throw MissingLibrary{"bookmark files", "libxml2", false};
    }
  } else {
    throw myException(Fault::kImportUnknownFormat);
  }
  run->tree.linkInto(tree);
  run->report.print(report);
}

}  // namespace

void importLinks(Ravelink& tree, std::istream& in, std::ostream& report) {
  importFrom(tree, in, nullptr, report);
}

void importFile(Ravelink& tree, const char* fileName, std::ostream& report) {
  RegularFileInput file;
  if (!file.open(fileName)) throw myException(Fault::kImportOpen);
  // A database's recent changes may be only in its write-ahead log.
  RegularFileInput log;
  const std::string logName = std::string(fileName) + "-wal";
  bool haveLog = log.open(logName.c_str());
  importFrom(tree, file.stream(), haveLog ? &log.stream() : nullptr, report);
}
