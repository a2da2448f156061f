#ifndef RAVELINK_INTERCHANGE_FOLDER_LINK_H_
#define RAVELINK_INTERCHANGE_FOLDER_LINK_H_

// A node with both an href and children is written in a bookmark file as a
// folder whose first item is a link to the node's own href, and the root's
// href, in both the bookmark file and OPML, as a link before every other
// item at the top level. That link carries this attribute, so that `import`
// gives the href back to its folder or to the root; other programs ignore
// the attribute and keep the link.

inline constexpr char kFolderLinkAttribute[] = "FOLDER_LINK";
inline constexpr char kFolderLinkValue[] = "true";

#endif  // RAVELINK_INTERCHANGE_FOLDER_LINK_H_
