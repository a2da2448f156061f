#ifndef RAVELINK_INTERCHANGE_OPML_IMPORT_H_
#define RAVELINK_INTERCHANGE_OPML_IMPORT_H_

#include <iosfwd>
#include <memory>

#include "interchange/imported_tree.h"

// OPML, the outline files of outliners and feed readers: an XML document
// <opml><head><title/></head><body> with nested <outline> elements. Read
// with libxml2's xmlReader, a node at a time; no external entity, no DTD and
// no network access is ever loaded, and the library's limits on entity
// expansion and depth stay as they are.

/// Reads the OPML file `in` into a new detached tree: an outline's text is
/// its `text`, else its `title`; its href is `url`, else `htmlUrl`, else
/// `xmlUrl`; an outline without an href is a folder; outlines nest. The
/// title is head/title. Dates (`created`), tags (`category`), descriptions
/// (`description`, `_note`) and other attributes are counted as dropped.
///
/// The file is read strictly; when it is not well-formed it is read once
/// more, from the start (`in` must be able to seek back), with every raw
/// "&" escaped (see AmpersandEscaper), and the report says how many.
/// Throws under "import": "bad XML at line N" when that fails too, "too
/// deep at line N" past the library's depth limit, "unknown file format"
/// when the root is not "opml", "error reading file".
std::unique_ptr<ImportRun> readOpmlFile(std::istream& in);

#endif  // RAVELINK_INTERCHANGE_OPML_IMPORT_H_
