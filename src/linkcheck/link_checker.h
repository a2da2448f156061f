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
//
// A HEAD gets at most half of what is left of the budget, so a server that
// hangs on HEAD but answers GET still has time for the GET. A request that
// fails on a connection kept from an earlier request is made once more on a
// new connection: a server may have left stray bytes on the old one (a body
// after an answer to HEAD), which libcurl does not notice until the next
// answer on it comes out wrong or never.
//
// A host that timed out on three links in a row (as their requests ended) is
// given up on: its links not yet requested are not tried. While links time
// out there, fewer requests go to it at once (two after one timeout, one
// after two), so the third timeout comes after two rounds of waiting.
//
// The first request to a host goes alone; the host's other links wait until
// its name has resolved or failed. libcurl keeps no failed lookups, so
// without this every link of a host that does not resolve (all of them,
// when the network is down) would wait for a lookup of its own. The links of
// a host whose name failed get the first one's outcome at once.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

/// Whether this build has the link checker: it needs libcurl, and without it
/// the sources of this folder are not built.
#ifdef RAVELINK_HAVE_LIBCURL
inline constexpr bool kHaveLinkChecker = true;
#else
inline constexpr bool kHaveLinkChecker = false;
#endif

/// What became of one link.
struct LinkOutcome {
  enum class Kind { kUnchecked, kFine, kMoved, kDead, kError };

  Kind kind = Kind::kUnchecked;
  /// kMoved: the new URL. kDead: the final status, "404 Not Found".
  /// kError: what happened, "timed out". Empty otherwise. Bytes that came
  /// from a server have their control bytes dropped.
  std::string detail;
  /// kError "no such host": the host name that did not resolve (in lower
  /// case), which may be the host of a redirect. Empty otherwise.
  std::string unresolvedHost;
  /// kError "timed out": the host of the request that timed out; and for a
  /// link not tried (below), the host given up on. Lower case; else empty.
  std::string silentHost;
  /// kError: the link was not requested because its host was given up on
  /// after timing out on several links in a row.
  bool notTried = false;
};

/// The outcomes of a check, and how the host names fared.
struct CheckResult {
  bool started = true;                // false: libcurl did not initialise
  std::vector<LinkOutcome> outcomes;  // in the order of the URLs given
  std::size_t hostsLookedUp = 0;      // hosts whose first request ended
  std::size_t hostsResolved = 0;      // of which the name resolved
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
/// Asked at least ten times a second while a check runs: true stops it.
using StopFunction = std::function<bool()>;

/// Checks every URL of `urls` (absolute http or https URLs; anything else is
/// an error "malformed URL") and returns their outcomes in the same order.
/// Returns early, within a tenth of a second, once `stop` returns true: the
/// links not done then stay kUnchecked. `stop` and `progress` may be empty.
/// libcurl is set up for the run and cleaned up after it; when it cannot be
/// set up, nothing is checked and `started` is false.
CheckResult checkLinks(const std::vector<std::string>& urls, const CheckSettings& settings,
                       const StopFunction& stop, const ProgressFunction& progress);

/// The time budget of one link: 10 s, or for the tests a shorter one from
/// RAVELINK_CHECK_TIMEOUT_MS (1 to 600000; anything else is ignored).
long linkTimeoutFromEnvironment();

#endif  // RAVELINK_LINKCHECK_LINK_CHECKER_H_
