#ifndef RAVELINK_PAGE_PAGE_WRITER_H_
#define RAVELINK_PAGE_PAGE_WRITER_H_

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

class Ravelink;

/// The streams of one page generation, already open.
struct PageStreams {
  std::istream& head;   // start of the page, up to the base element
  std::istream& end;    // end of the page
  std::istream& frame;  // model of the frameset page
  std::ostream& page;
  /// Creates the frameset page; called only when one is asked for, once the
  /// cursor is saved. Returns nullptr when the page cannot be created.
  std::function<std::unique_ptr<std::ostream>()> openFrameset;
};

/// Publishes the tree. When `framesetName` is not empty, first writes the
/// frameset page (see writeFramesetPage) showing `pageName` and
/// `defaultPage`, and closes it. Then writes the page:
/// - the head template, each line beginning with "<title>" replaced by the
///   root's text as the title, each line beginning with ". {" replaced by the
///   style table (nothing else of that line is kept);
/// - the base element with the base URL (when set) and the base target;
/// - every node below the root in pre-order as a "p" block (a "div" block
///   when paragraphs are off) holding a span with an id made of the sibling
///   numbers from the top ("paragraph1-2"), with a link when the node has an
///   href; the children of a node follow its block in an indented division;
/// - the end template, copied as it is.
/// Lines end with a line feed. The tree and its cursor are not changed.
/// The files behind the streams are the driver's (driver/publish_page.h).
///
/// Throws {"pushActiveNode", "stack is full"} when the active-node stack is
/// full, before writing anything (the page has always refused then); {"generateOutput", "error opening file(s)"} when the
/// frameset page cannot be created; {"generateOutput", "error writing
/// file(s)"} when a write to either page fails; StopRequested
/// (base/signals.h) between pieces of the page when a stop signal came.
void generateOutput(const std::string& pageName, const std::string& framesetName,
                    const std::string& defaultPage, const Ravelink& tree, PageStreams& streams);

#endif  // RAVELINK_PAGE_PAGE_WRITER_H_
