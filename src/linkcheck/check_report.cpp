#include "linkcheck/check_report.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <unordered_map>

#include "base/counts.h"
#include "linkcheck/check_texts.h"
#include "tree/ravelink.h"

namespace {

std::string whatHappened(const LinkOutcome& outcome) {
  if (outcome.kind == LinkOutcome::Kind::kMoved) return "moved permanently to " + outcome.detail;
  return outcome.detail;
}

/// How many links failed on each host whose name did not resolve.
std::unordered_map<std::string, std::size_t> unresolvedByHost(
    const std::vector<LinkOutcome>& outcomes) {
  std::unordered_map<std::string, std::size_t> counts;
  for (const LinkOutcome& outcome : outcomes) {
    if (!outcome.unresolvedHost.empty()) ++counts[outcome.unresolvedHost];
  }
  return counts;
}

/// The hosts given up on: how many of their links were not tried, and the
/// last link (in report order) that timed out there, under which they stand.
struct GivenUp {
  std::size_t notTried = 0;
  std::size_t lastTimedOut = 0;
};

std::unordered_map<std::string, GivenUp> givenUpByHost(const std::vector<LinkOutcome>& outcomes) {
  std::unordered_map<std::string, GivenUp> hosts;
  for (const LinkOutcome& outcome : outcomes) {
    if (outcome.notTried) ++hosts[outcome.silentHost].notTried;
  }
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    auto host = hosts.find(outcomes[i].silentHost);
    if (!outcomes[i].notTried && host != hosts.end()) host->second.lastTimedOut = i;
  }
  return hosts;
}

}  // namespace

void writeCheckReport(std::ostream& out, const LinkSet& set, const CheckResult& result) {
  if (!result.started) {
    out << "The link checker could not start: libcurl failed to initialise.\n";
    return;
  }
  const std::vector<LinkOutcome>& outcomes = result.outcomes;
  std::unordered_map<std::string, std::size_t> unresolved = unresolvedByHost(outcomes);
  std::unordered_map<std::string, GivenUp> givenUp = givenUpByHost(outcomes);
  std::size_t counts[5] = {};  // by LinkOutcome::Kind
  for (std::size_t i = 0; i < set.links.size(); ++i) {
    const LinkOutcome& outcome = outcomes[i];
    ++counts[static_cast<int>(outcome.kind)];
    if (outcome.kind == LinkOutcome::Kind::kFine || outcome.kind == LinkOutcome::Kind::kUnchecked ||
        outcome.notTried) {
      continue;
    }
    // The links of a host that did not resolve stand under its first one;
    // its count drops to zero once that line is written.
    std::size_t sameHost = 0;
    if (!outcome.unresolvedHost.empty()) {
      std::size_t& left = unresolved[outcome.unresolvedHost];
      if (left == 0) continue;
      sameHost = left - 1;
      left = 0;
    }
    const RavelinkChild* node = set.links[i].node;
    out << Ravelink::pathTo(node) << " | " << dropControlBytes(node->getHref()) << " | "
        << whatHappened(outcome) << '\n';
    if (sameHost > 0) {
      out << "  and " << countOf(sameHost, "more link", "more links") << " on "
          << dropControlBytes(outcome.unresolvedHost) << '\n';
    }
    auto silent = givenUp.find(outcome.silentHost);
    if (silent != givenUp.end() && silent->second.lastTimedOut == i) {
      out << "  and " << countOf(silent->second.notTried, "more link", "more links") << " on "
          << dropControlBytes(outcome.silentHost) << " not tried: the host does not answer\n";
    }
  }
  std::size_t total = set.links.size();
  std::size_t unchecked = counts[static_cast<int>(LinkOutcome::Kind::kUnchecked)];
  if (unchecked > 0) {
    out << "Stopped with " << unchecked << " of " << countOf(total, "link", "links")
        << " not checked.\n";
  }
  out << "Checked " << countOf(total - unchecked, "link", "links") << ": "
      << counts[static_cast<int>(LinkOutcome::Kind::kFine)] << " fine, "
      << counts[static_cast<int>(LinkOutcome::Kind::kMoved)] << " moved, "
      << counts[static_cast<int>(LinkOutcome::Kind::kDead)] << " dead, "
      << countOf(counts[static_cast<int>(LinkOutcome::Kind::kError)], "error", "errors") << ".\n";
  if (set.skipped > 0) {
    out << "Skipped " << countOf(set.skipped, "href", "hrefs") << ' '
        << formFor(set.skipped, "that is", "that are") << " not http or https.\n";
  }
  if (result.hostsLookedUp > 0 && result.hostsResolved == 0) {
    out << "No host could be resolved: is the network down?\n";
  }
}
