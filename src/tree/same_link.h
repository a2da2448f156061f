#ifndef RAVELINK_TREE_SAME_LINK_H_
#define RAVELINK_TREE_SAME_LINK_H_

#include <string>
#include <string_view>

/// When two hrefs are the same link: their keys are equal. The key of an
/// http or https URL is the URL with its scheme and host in lower case, a
/// default port (80 for http, 443 for https) removed and an empty path
/// written as "/"; the rest, the fragment too, stays as it is. http and
/// https stay apart. Any other href is its own key, byte for byte. An empty
/// href is no link: its key is "".
std::string linkKey(std::string_view href);

#endif  // RAVELINK_TREE_SAME_LINK_H_
