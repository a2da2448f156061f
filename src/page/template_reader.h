#ifndef RAVELINK_PAGE_TEMPLATE_READER_H_
#define RAVELINK_PAGE_TEMPLATE_READER_H_

#include <iosfwd>
#include <string>

/// Reads a template line by line. A line is everything up to a line feed,
/// of any length, without the line feed (and without a carriage return just
/// before it). The piece after the last line feed counts as a line too, so
/// a template that ends with a line break yields one last empty line, and an
/// empty template yields one empty line.
class TemplateReader {
 public:
  explicit TemplateReader(std::istream& in) : in_(in) {}

  /// Reads the next line into `line`. Returns false, leaving `line` empty,
  /// once the line that met the end of the template has been returned.
  bool readLine(std::string& line);

 private:
  std::istream& in_;
  bool done_ = false;
};

/// Whether `line` begins with `prefix` in any letter case. Only the first
/// 31 characters of a line are looked at, lowercased (A to Z only), so a
/// prefix longer than 31 characters never matches. REQUIRES: `prefix` is
/// lower case.
bool lineBegins(const std::string& line, const char* prefix);

/// Writes the line that replaces a template's "<title>" line: "<title>",
/// `title` through escapeText, "</title>" and a line break.
void writeTitleLine(std::ostream& out, const char* title);

#endif  // RAVELINK_PAGE_TEMPLATE_READER_H_
