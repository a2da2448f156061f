#ifndef RAVELINK_INTERCHANGE_IMPORT_TEXT_H_
#define RAVELINK_INTERCHANGE_IMPORT_TEXT_H_

#include <cstddef>
#include <string>
#include <string_view>

// How imported texts and hrefs are cleaned. The parsers have decoded
// character references and converted to UTF-8 already; what is left is
// white space, control characters and length. A file from someone else must
// not drive the terminal when the report prints it, so C0 and C1 control
// characters and DEL never pass.

/// Gathers a node's text from the pieces a parser hands over: runs of white
/// space become one space, leading and trailing white space goes, control
/// characters are dropped, and the result is cut to at most `limit` bytes on
/// a character boundary. Keeps at most a little more than `limit` bytes
/// however long the input, so a title of megabytes costs nothing.
/// REQUIRES: the pieces are valid UTF-8 (a character may not be split
/// between two pieces).
class TextCollector {
 public:
  explicit TextCollector(std::size_t limit = 63) : limit_(limit) {}

  void append(const char* utf8, std::size_t size);
  /// The text gathered since the last take(), cleaned and cut; starts afresh.
  std::string take();
  /// What the last take() found: the text was cut, controls were dropped.
  bool wasCut() const { return wasCut_; }
  bool droppedControls() const { return droppedControls_; }

 private:
  std::size_t limit_;
  std::string text_;
  bool spacePending_ = false;
  bool overflow_ = false;
  bool controls_ = false;
  bool wasCut_ = false;
  bool droppedControls_ = false;
};

/// The href as a link keeps it: white space and controls around it removed,
/// tabs, line ends and other control characters inside it dropped (browsers
/// ignore tabs and line ends in URLs, so "java\nscript:" is caught too).
/// Sets `droppedControls` when a control character other than the white
/// space around the href was dropped.
std::string cleanHref(std::string_view href, bool& droppedControls);

/// What an import does with a cleaned href.
enum class HrefKind {
  kEmpty,            // no href
  kOrdinary,         // kept
  kScript,           // javascript:, vbscript:, data: (the page would run them)
  kBrowserInternal,  // place:, about:, chrome: and the like (useless elsewhere)
};

/// The kind of `href` by its scheme, compared without case.
HrefKind classifyHref(std::string_view href);

/// The host name of a URL with an authority ("https://user@host:8080/x"
/// gives "host"); empty when there is none.
std::string hostOf(std::string_view href);

#endif  // RAVELINK_INTERCHANGE_IMPORT_TEXT_H_
