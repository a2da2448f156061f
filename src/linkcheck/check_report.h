#ifndef RAVELINK_LINKCHECK_CHECK_REPORT_H_
#define RAVELINK_LINKCHECK_CHECK_REPORT_H_

#include <iosfwd>
#include <vector>

#include "linkcheck/link_checker.h"
#include "linkcheck/link_set.h"

/// Writes what a check found: one line per link that is not fine, in the
/// order of `set.links` (tree order), as "PATH | HREF | WHAT", except that
/// the links of a host whose name did not resolve are one line, the first
/// link's, followed by "  and N more links on HOST" when there are more;
/// the links not tried on a host given up on are one line, "  and N more
/// links on HOST not tried: the host does not answer", right after the last
/// link that timed out there;
/// when the run was stopped, how many links were left; then the summary
///   Checked N links: F fine, M moved, D dead, E errors.
///   Skipped K hrefs that are not http or https.
/// (the second line only when K is not 0; a count of one takes the singular)
/// where N counts the links checked, and, when names were looked up and
/// none resolved, "No host could be resolved: is the network down?".
/// HREF is the first node's href as stored, without control bytes. A
/// check that did not start is one line saying so.
/// REQUIRES: result.outcomes.size() == set.links.size().
void writeCheckReport(std::ostream& out, const LinkSet& set, const CheckResult& result);

#endif  // RAVELINK_LINKCHECK_CHECK_REPORT_H_
