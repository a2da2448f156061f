#ifndef RAVELINK_INTERCHANGE_FORMAT_LIBRARIES_H_
#define RAVELINK_INTERCHANGE_FORMAT_LIBRARIES_H_

// The libraries the file formats of import and export need, and what a
// build without one says. CMakeLists.txt decides which libraries a build
// has (and leaves out the files that need a missing one); the code asks the
// constants here, with `if constexpr`, and never names what is left out.

#include <iosfwd>

#ifdef RAVELINK_HAVE_LIBXML2
inline constexpr bool kHaveLibxml2 = true;
#else
inline constexpr bool kHaveLibxml2 = false;
#endif

#ifdef RAVELINK_HAVE_NLOHMANN_JSON
inline constexpr bool kHaveJsonLibrary = true;
#else
inline constexpr bool kHaveJsonLibrary = false;
#endif

#ifdef RAVELINK_HAVE_SQLITE3
inline constexpr bool kHaveSqlite = true;
#else
inline constexpr bool kHaveSqlite = false;
#endif

/// The libraries import lacks altogether (the command row's missingLibrary),
/// or null when the build has at least one reader's library.
inline constexpr const char* kImportMissingLibrary =
    kHaveLibxml2 || kHaveJsonLibrary || kHaveSqlite ? nullptr : "libxml2, nlohmann-json or SQLite";

/// Thrown by import and export for a file whose format needs a library the
/// build lacks; the command writes it with writeMissingLibrary.
struct MissingLibrary {
  const char* format;   // "OPML", "bookmark files", "Chromium bookmarks"
  const char* library;  // "libxml2", "nlohmann-json", "SQLite"
  bool writing;         // export (true) or import (false)
};

/// Writes "This build cannot write OPML: it was built without libxml2." (or
/// "read" for import), and a line end.
void writeMissingLibrary(std::ostream& out, const MissingLibrary& missing);

#endif  // RAVELINK_INTERCHANGE_FORMAT_LIBRARIES_H_
