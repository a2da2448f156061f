#ifndef RAVELINK_PAGE_ESCAPE_H_
#define RAVELINK_PAGE_ESCAPE_H_

#include <cstddef>
#include <iosfwd>
#include <string>

// The writers that put the user's texts into a page. Each reads a
// NUL-terminated string and writes it to `out`, or appends it to a string
// `out` (page generation builds the page in pieces); an empty string
// writes nothing. Bytes 0x01 to 0x1F (control characters) are dropped, except
// where said otherwise; every other byte, 0x80 to 0xFF (UTF-8) included, is
// written as itself unless it is replaced.

/// Text between tags: "<", ">" and "&" become "&lt;", "&gt;" and "&amp;".
/// The apostrophe and the double quote stay.
void escapeText(const char* text, std::ostream& out);
void escapeText(const char* text, std::string& out);

/// A value between single quotes in an attribute:
/// "'" and "&" become "&#39;" and "&amp;"; a line feed is written as a line
/// break (and a stream flushed after it). "<", ">" and the double quote stay.
void escapeAttribute(const char* text, std::ostream& out);
void escapeAttribute(const char* text, std::string& out);

/// Text that must be safe in any place of the markup: "<", ">", "&" and "'"
/// all replaced. Used for a node's text when it stands without a link.
void escapeMarkup(const char* text, std::ostream& out);
void escapeMarkup(const char* text, std::string& out);

/// The same three for the page's body: write the `length` bytes at `text`
/// (no NUL among them) escaped to `out`, which has room for
/// kLongestEscape * length bytes, and return where they end.
constexpr std::size_t kLongestEscape = 5;  // "&amp;", "&#39;"
char* escapeText(const char* text, std::size_t length, char* out);
char* escapeAttribute(const char* text, std::size_t length, char* out);
char* escapeMarkup(const char* text, std::size_t length, char* out);

/// The style table inside the page's style element, where the browser reads
/// CSS and decodes no character references: quotes and "&" stay as typed,
/// so "font-family: 'Segoe UI'" works. Line feeds are written as line breaks
/// and other control characters dropped; then every "</" left becomes "<\/"
/// (the same in CSS), so the table can never close the style element.
void escapeStyle(const char* text, std::ostream& out);

#endif  // RAVELINK_PAGE_ESCAPE_H_
