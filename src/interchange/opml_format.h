#ifndef RAVELINK_INTERCHANGE_OPML_FORMAT_H_
#define RAVELINK_INTERCHANGE_OPML_FORMAT_H_

#include <cstdint>

#include "interchange/folder_link.h"

// OPML as ravelink writes (export_opml.cpp) and reads (opml_import.cpp) it:
// <opml version="2.0"><head><title/></head><body> with nested <outline>
// elements. Both sides take the names from here. XML names keep their case.

/// The root element, and the version written.
inline constexpr char kOpmlRoot[] = "opml";
inline constexpr char kOpmlVersionAttribute[] = "version";
inline constexpr char kOpmlVersion[] = "2.0";

/// The document's parts: head/title names the tree, body holds the outlines.
inline constexpr char kOpmlHead[] = "head";
inline constexpr char kOpmlTitle[] = "title";
inline constexpr char kOpmlBody[] = "body";
inline constexpr char kOpmlOutline[] = "outline";

/// An outline's attributes: its text, and for a link type="link" and url.
inline constexpr char kOpmlText[] = "text";
inline constexpr char kOpmlType[] = "type";
inline constexpr char kOpmlLinkType[] = "link";
inline constexpr char kOpmlUrl[] = "url";
/// The root's href is a first top-level link outline marked with
/// kFolderLinkAttribute="true" (folder_link.h). A node with both an href and
/// children needs no mark in OPML: its outline has url and children.

/// The deepest outline (1 for the top level) that libxml2's XML reader takes
/// back with its default depth limit: a deeper tree is not exported to
/// OPML, so that every OPML file written can be imported.
inline constexpr std::int64_t kMaxOpmlDepth = 255;

/// Read only: what other programs write in place of text and url.
inline constexpr char kOpmlTitleAttribute[] = "title";
inline constexpr char kOpmlHtmlUrl[] = "htmlUrl";
inline constexpr char kOpmlXmlUrl[] = "xmlUrl";

#endif  // RAVELINK_INTERCHANGE_OPML_FORMAT_H_
