#ifndef RAVELINK_LINKCHECK_CHECK_REPORT_H_
#define RAVELINK_LINKCHECK_CHECK_REPORT_H_

#include <iosfwd>
#include <vector>

#include "linkcheck/link_checker.h"
#include "linkcheck/link_set.h"

/// Writes what a check found: one line per link that is not fine, in the
/// order of `set.links` (tree order), as "PATH | HREF | WHAT"; when the run
/// was stopped, how many links were left; then the two summary lines
///   Checked N links: F fine, M moved, D dead, E errors.
///   Skipped K hrefs that are not http or https.
/// where N counts the links checked. HREF is the first node's href as
/// stored, without control bytes. REQUIRES: outcomes.size() == set.links.size().
void writeCheckReport(std::ostream& out, const LinkSet& set,
                      const std::vector<LinkOutcome>& outcomes);

#endif  // RAVELINK_LINKCHECK_CHECK_REPORT_H_
