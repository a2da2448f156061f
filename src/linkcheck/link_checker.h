#ifndef RAVELINK_LINKCHECK_LINK_CHECKER_H_
#define RAVELINK_LINKCHECK_LINK_CHECKER_H_

// The link checker: requests many URLs at once with libcurl's multi
// interface and tells, for each, whether it is fine, moved, dead or failed.
//
// A link is requested with HEAD; an answer of 4xx or 5xx is confirmed with
// GET (many servers refuse HEAD), whose body is not read. Redirects are
// followed here, hop by hop, not by libcurl: so the first hop's status is
// known (a 301 or 308 there makes a moved link), a loop is seen, and the
// hops are counted. Each link has one time budget for all its requests;
// time spent waiting for a free connection does not count.

#include <csignal>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/// What became of one link.
struct LinkOutcome {
  enum class Kind { kUnchecked, kFine, kMoved, kDead, kError };

  Kind kind = Kind::kUnchecked;
  /// kMoved: the new URL. kDead: the final status, "404 Not Found".
  /// kError: what happened, "timed out". Empty otherwise. Bytes that came
  /// from a server have their control bytes dropped.
  std::string detail;
};

struct CheckSettings {
  long timeoutMs = 10000;  // all of one link's requests together
  int maxRunning = 32;     // requests under way at once
  int maxPerHost = 4;      // of which to one host name
  int maxRedirects = 10;   // hops followed for one link
  std::string userAgent;
};

/// How far a check is: passed to the progress function at least ten times
/// a second while it runs, and once more at the end.
struct CheckProgress {
  std::size_t checked;
  std::size_t total;
  std::size_t dead;
};
using ProgressFunction = std::function<void(const CheckProgress&)>;

/// Checks every URL of `urls` (absolute http or https URLs; anything else is
/// an error "malformed URL") and returns their outcomes in the same order.
/// Returns early, within a tenth of a second, once `*stop` is nonzero: the
/// links not done then stay kUnchecked. `stop` and `progress` may be empty.
/// REQUIRES: curl_global_init has been called.
std::vector<LinkOutcome> checkLinks(const std::vector<std::string>& urls,
                                    const CheckSettings& settings,
                                    const volatile std::sig_atomic_t* stop,
                                    const ProgressFunction& progress);

#endif  // RAVELINK_LINKCHECK_LINK_CHECKER_H_
