#ifndef RAVELINK_PAGE_FRAMESET_PAGE_H_
#define RAVELINK_PAGE_FRAMESET_PAGE_H_

#include <iosfwd>
#include <string>

/// Writes the frameset page: a copy of the frame template read from
/// `frameTemplate`, in which
/// - every line beginning with "<title>" becomes "<title>", `title` (escaped
///   as text) and "</title>";
/// - every line beginning with "<frame name=frame1" becomes
///   "<frame name=frame1 src='PAGE'>", PAGE being `pageName`;
/// - when `defaultPage` is not empty, every line beginning with
///   "<frame name=frame2" becomes "<frame name=frame2 src='DEFAULT'>".
/// Lines are recognised by their beginning in any letter case; a recognised
/// line is replaced whole. The file names become relative URLs (a blank,
/// "#", "?", "%", "'", the double quote, "<", ">" and the bytes below 0x21
/// as %XX, in capitals) and are then escaped as attribute values.
/// Every other line is copied as it is. Each line ends with a line feed.
void writeFramesetPage(std::istream& frameTemplate, std::ostream& out, const char* title,
                       const std::string& pageName, const std::string& defaultPage);

#endif  // RAVELINK_PAGE_FRAMESET_PAGE_H_
