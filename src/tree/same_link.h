#ifndef RAVELINK_TREE_SAME_LINK_H_
#define RAVELINK_TREE_SAME_LINK_H_

// When two hrefs are the same link: `dupes` groups by it and a second
// import skips what a folder holds already.

#include <string>
#include <string_view>

/// The form of `href` in which two hrefs of one link are equal: for http
/// and https, the scheme and the host in lower case, the default port (80,
/// 443) left out and an empty path written "/"; the rest, the fragment
/// included (it may name another place on the page), as it is. Other
/// schemes are compared byte for byte. "" for an empty href, which is no
/// link.
std::string linkKey(std::string_view href);
/// The same into `key`, whose storage is reused: for walks of many hrefs.
void linkKeyInto(std::string& key, std::string_view href);

#endif  // RAVELINK_TREE_SAME_LINK_H_
