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

/// The library import lacks altogether (the command row's missingLibrary),
/// or null when the build has at least one reader's library.
inline constexpr const char* kImportMissingLibrary = kHaveLibxml2 ? nullptr : "libxml2";

/// Thrown by import and export for a file whose format needs a library the
/// build lacks; the command writes it with writeMissingLibrary.
struct MissingLibrary {
  const char* format;   // "OPML", "bookmark files"
  const char* library;  // "libxml2"
  bool writing;         // export (true) or import (false)
};

/// Writes "This build cannot write OPML: it was built without libxml2." (or
/// "read" for import), and a line end.
void writeMissingLibrary(std::ostream& out, const MissingLibrary& missing);

#endif  // RAVELINK_INTERCHANGE_FORMAT_LIBRARIES_H_
