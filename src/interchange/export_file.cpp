#include "interchange/export_file.h"

#include <strings.h>

#include <cstring>

#include "interchange/format_libraries.h"
#include "tree/my_exception.h"
#include "treefiles/safe_replace.h"

namespace {

bool endsWith(const char* name, const char* ending) {
  const std::size_t length = std::strlen(name);
  const std::size_t size = std::strlen(ending);
  return length >= size && ::strcasecmp(name + length - size, ending) == 0;
}

}  // namespace

ExportFormat exportFormatOf(const char* fileName) {
  if (endsWith(fileName, ".html") || endsWith(fileName, ".htm")) return ExportFormat::kBookmarks;
  if (endsWith(fileName, ".opml")) return ExportFormat::kOpml;
  if (endsWith(fileName, ".md")) return ExportFormat::kMarkdown;
  return ExportFormat::kUnknown;
}

void treeExport(const Ravelink& tree, const char* fileName) {
  void (*write)(const Ravelink&, std::ostream&) = nullptr;
  switch (exportFormatOf(fileName)) {
    case ExportFormat::kBookmarks:
      write = writeBookmarkFile;
      break;
    case ExportFormat::kOpml:
      if constexpr (kHaveLibxml2) {
        write = writeOpmlFile;
      } else {
        throw MissingLibrary{"OPML", "libxml2", true};
      }
      break;
    case ExportFormat::kMarkdown:
      write = writeMarkdownList;
      break;
    case ExportFormat::kUnknown:
      throw myException(Fault::kExportUnknownFormat);
  }
  try {
    writeFileSafely(fileName, [&tree, write](std::ostream& out) { write(tree, out); });
  } catch (const myException& error) {
    // The save path names itself; the user typed "export".
    throw myException("export", error.getMessage());
  }
}
