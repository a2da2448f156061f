#ifndef RAVELINK_DRIVER_PUBLISH_PAGE_H_
#define RAVELINK_DRIVER_PUBLISH_PAGE_H_

#include <string>

class Ravelink;

/// The three file names of a run, held whole and used exactly as typed.
struct FileNames {
  std::string page;
  std::string frameset;     // empty: no frameset page
  std::string defaultPage;  // empty: the frameset's second frame is left as is
};

/// Publishes the tree at the end of a run: finds the three templates
/// (page/template_files.h), then writes the frameset page, when one is
/// named, and the page (page/page_writer.h) into temporary files beside
/// them. Only when both are written completely are they renamed over the old
/// ones, the frameset page first, then the page. A page that is a device or
/// a pipe (/dev/stdout) cannot be replaced and is written straight into.
///
/// Throws {"generateOutput", "error opening file(s)"} when a template is
/// missing everywhere or a page cannot be created there, {"generateOutput",
/// "error writing file(s)"} when a write or a rename failed,
/// {"pushActiveNode", "stack is full"} with a full active-node stack, and
/// StopRequested when a stop signal came (base/signals.h). Whatever fails
/// before the renames leaves both old pages byte for byte and no temporary
/// file.
void publishPage(const FileNames& names, const Ravelink& tree);

/// Whether `a` and `b` name one file: the same name, the same existing file,
/// or the same name in one existing folder ("p.html" and "./p.html").
bool sameFile(const std::string& a, const std::string& b);

#endif  // RAVELINK_DRIVER_PUBLISH_PAGE_H_
