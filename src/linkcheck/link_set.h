#ifndef RAVELINK_LINKCHECK_LINK_SET_H_
#define RAVELINK_LINKCHECK_LINK_SET_H_

// Which links a check requests: the distinct http and https URLs of a
// subtree, each with the first node (in tree order) that links to it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tree/ravelink_child.h"

/// One URL to request and the first node whose href gave it.
struct CheckedLink {
  std::string url;  // absolute; an href that is no valid URL stays as typed
  const RavelinkChild* node;
};

/// The links of a subtree, in tree order of first occurrence.
struct LinkSet {
  std::vector<CheckedLink> links;
  /// Distinct hrefs that are not checked: another scheme (mailto:, ftp:),
  /// or relative while the base URL is not http or https.
  std::size_t skipped = 0;
};

/// The scheme of `href` ("http", "mailto"), or "" when it has none: a letter,
/// then letters, digits, "+", "-" or ".", ended by ":".
std::string_view urlScheme(std::string_view href);
/// Whether `scheme` is http or https, in any case.
bool isWebScheme(std::string_view scheme);

/// The URL an href stands for on a page with `baseUrl`, or "" when it is not
/// to be checked. An http or https href is taken as it is; a relative one
/// (no scheme: "a.html", "/a", "//host/a", "#top") is resolved against the
/// base URL when that is http or https. Spaces and bytes above 0x7F are
/// percent-encoded, as a browser does. An href meant for checking that is
/// no valid URL comes back unchanged, for the checker to call malformed.
std::string urlToCheck(const char* href, const char* baseUrl);

/// Every href below and including `top` (nodes without an href aside),
/// resolved with urlToCheck; URLs met again are not added twice.
LinkSet collectLinks(const RavelinkChild* top, const char* baseUrl);


#endif  // RAVELINK_LINKCHECK_LINK_SET_H_
