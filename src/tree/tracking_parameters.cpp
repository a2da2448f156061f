#include "tree/tracking_parameters.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr std::string_view kTrackingNames[] = {
    "utm_source", "utm_medium", "utm_campaign", "utm_term", "utm_content", "fbclid",
    "gclid",      "dclid",      "msclkid",      "mc_cid",   "mc_eid",      "igshid",
    "yclid",      "_hsenc",     "_hsmi",        "mkt_tok",
};

bool isTracking(std::string_view parameter) {
  const std::string_view name = parameter.substr(0, parameter.find('='));
  return std::find(std::begin(kTrackingNames), std::end(kTrackingNames), name) !=
         std::end(kTrackingNames);
}

}  // namespace

std::string withoutTrackingParameters(std::string_view href) {
  const std::size_t fragmentAt = std::min(href.find('#'), href.size());
  const std::size_t queryAt = href.substr(0, fragmentAt).find('?');
  if (queryAt == std::string_view::npos) return std::string(href);

  std::string kept;
  std::string_view query = href.substr(queryAt + 1, fragmentAt - queryAt - 1);
  bool removed = false;
  for (;;) {
    const std::size_t end = std::min(query.find('&'), query.size());
    const std::string_view parameter = query.substr(0, end);
    if (isTracking(parameter)) {
      removed = true;
    } else {
      if (!kept.empty()) kept += '&';
      kept += parameter;
    }
    if (end == query.size()) break;
    query.remove_prefix(end + 1);
  }
  if (!removed) return std::string(href);

  std::string result(href.substr(0, queryAt));
  if (!kept.empty()) result += '?' + kept;
  result += href.substr(fragmentAt);
  return result;
}
