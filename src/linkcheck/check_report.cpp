#include "linkcheck/check_report.h"

#include <cstddef>
#include <ostream>

#include "linkcheck/check_texts.h"
#include "tree/ravelink.h"

namespace {

std::string whatHappened(const LinkOutcome& outcome) {
  if (outcome.kind == LinkOutcome::Kind::kMoved) return "moved permanently to " + outcome.detail;
  return outcome.detail;
}

}  // namespace

void writeCheckReport(std::ostream& out, const LinkSet& set,
                      const std::vector<LinkOutcome>& outcomes) {
  std::size_t counts[5] = {};  // by LinkOutcome::Kind
  for (std::size_t i = 0; i < set.links.size(); ++i) {
    const LinkOutcome& outcome = outcomes[i];
    ++counts[static_cast<int>(outcome.kind)];
    if (outcome.kind == LinkOutcome::Kind::kFine || outcome.kind == LinkOutcome::Kind::kUnchecked) {
      continue;
    }
    const RavelinkChild* node = set.links[i].node;
    out << Ravelink::pathTo(node) << " | " << dropControlBytes(node->getHref()) << " | "
        << whatHappened(outcome) << '\n';
  }
  std::size_t unchecked = counts[static_cast<int>(LinkOutcome::Kind::kUnchecked)];
  if (unchecked > 0) {
    out << "Stopped with " << unchecked << " of " << set.links.size() << " links not checked.\n";
  }
  out << "Checked " << set.links.size() - unchecked
      << " links: " << counts[static_cast<int>(LinkOutcome::Kind::kFine)] << " fine, "
      << counts[static_cast<int>(LinkOutcome::Kind::kMoved)] << " moved, "
      << counts[static_cast<int>(LinkOutcome::Kind::kDead)] << " dead, "
      << counts[static_cast<int>(LinkOutcome::Kind::kError)] << " errors.\n"
      << "Skipped " << set.skipped << " hrefs that are not http or https.\n";
}
