#ifndef RAVELINK_INTERCHANGE_OPML_FORMAT_H_
#define RAVELINK_INTERCHANGE_OPML_FORMAT_H_

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
/// Read only: what other programs write in place of text and url.
inline constexpr char kOpmlTitleAttribute[] = "title";
inline constexpr char kOpmlHtmlUrl[] = "htmlUrl";
inline constexpr char kOpmlXmlUrl[] = "xmlUrl";

#endif  // RAVELINK_INTERCHANGE_OPML_FORMAT_H_
