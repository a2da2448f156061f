#ifndef RAVELINK_LINKCHECK_MOVED_LINKS_H_
#define RAVELINK_LINKCHECK_MOVED_LINKS_H_

// What a check's moved links become: the nodes whose href moved permanently
// and the href each would get, for the check command to offer the change.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "linkcheck/link_checker.h"
#include "linkcheck/link_set.h"
#include "tree/ravelink_child.h"

/// One node whose link moved permanently.
struct MovedHref {
  const RavelinkChild* node;
  /// The href it gets, or "" when the new address does not fit an href.
  std::string newHref;
};

/// The nodes to change, in tree order.
struct MovedLinks {
  std::vector<MovedHref> nodes;
  std::size_t distinctHrefs = 0;  // the different hrefs those nodes hold
};

/// The href that replaces `href` when its URL moved permanently to `target`:
/// `target`, with the fragment of `href` ("#..." to its end) when `target`
/// has none. When that is longer than an href holds (127 bytes), its
/// tracking parameters are removed (tree/tracking_parameters.h); when it is
/// still longer, "".
std::string movedHref(std::string_view href, std::string_view target);

/// Every node below and including `top` whose href is an absolute http or
/// https URL that the check (of collectLinks(top, baseUrl)) found moved.
/// Relative hrefs are left out: they name a place on the published site,
/// which the address of a redirect does not.
/// REQUIRES: result.outcomes.size() == set.links.size(), and the tree has
/// not changed since `set` was collected.
MovedLinks findMovedLinks(const RavelinkChild* top, const char* baseUrl, const LinkSet& set,
                          const CheckResult& result);

#endif  // RAVELINK_LINKCHECK_MOVED_LINKS_H_
