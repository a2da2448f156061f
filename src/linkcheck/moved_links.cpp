#include "linkcheck/moved_links.h"

#include <unordered_map>
#include <unordered_set>

#include "tree/tracking_parameters.h"
#include "tree/tree_walk.h"

std::string movedHref(std::string_view href, std::string_view target) {
  constexpr std::size_t kField = RavelinkChild::kHrefSize - 1;
  std::string moved(target);
  const std::size_t fragment = href.find('#');
  if (fragment != std::string_view::npos && moved.find('#') == std::string::npos) {
    moved += href.substr(fragment);
  }
  if (moved.size() > kField) moved = withoutTrackingParameters(moved);
  if (moved.size() > kField) moved.clear();
  return moved;
}

MovedLinks findMovedLinks(const RavelinkChild* top, const char* baseUrl, const LinkSet& set,
                          const CheckResult& result) {
  MovedLinks moved;
  std::unordered_map<std::string, const std::string*> targets;  // checked URL: new address
  for (std::size_t i = 0; i < set.links.size(); ++i) {
    if (result.outcomes[i].kind == LinkOutcome::Kind::kMoved) {
      targets.emplace(set.links[i].url, &result.outcomes[i].detail);
    }
  }
  if (targets.empty()) return moved;
  std::unordered_set<std::string> hrefs;
  for (TreeWalk walk(top); walk.next();) {
    if (!walk.entering()) continue;
    const char* href = walk.node()->getHref();
    if (!isWebScheme(urlScheme(href))) continue;
    auto target = targets.find(urlToCheck(href, baseUrl));
    if (target == targets.end()) continue;
    moved.nodes.push_back({walk.node(), movedHref(href, *target->second)});
    hrefs.emplace(href);
  }
  moved.distinctHrefs = hrefs.size();
  return moved;
}
