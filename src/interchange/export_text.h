#ifndef RAVELINK_INTERCHANGE_EXPORT_TEXT_H_
#define RAVELINK_INTERCHANGE_EXPORT_TEXT_H_

#include <string>

/// A node's text or href as every export file holds it: UTF-8 without the
/// control bytes 0x01 to 0x1F (a line feed would break a one-item-per-line
/// file, and XML forbids most of them).
///
/// A field that is well-formed UTF-8 keeps its bytes, except that the
/// noncharacters U+FFFE and U+FFFF (which XML forbids) become U+FFFD. A field
/// that is not well-formed UTF-8 was typed or loaded in a legacy 8-bit
/// encoding; it is read as windows-1252, the same guess `import` makes, so an
/// accented Latin letter survives instead of turning into garbage.
///
/// Returns `field` itself when nothing changes (the common case, no copy),
/// else the converted text, kept in `scratch`.
const char* exportText(const char* field, std::string& scratch);

#endif  // RAVELINK_INTERCHANGE_EXPORT_TEXT_H_
