// The check command: requests every http and https link of the current
// node's subtree, many at once, and reports the ones that are not fine.
// The tree is not changed. The requests, the status line and the report
// are the link checker's (src/linkcheck/).
#include "shell/commands.h"

#ifdef RAVELINK_HAVE_LIBCURL

#include <ostream>
#include <string>
#include <vector>

#include "base/signals.h"
#include "linkcheck/check_report.h"
#include "linkcheck/link_checker.h"
#include "linkcheck/link_set.h"
#include "linkcheck/progress_line.h"

namespace {

// What stops a check under way: Ctrl-C at a terminal, or a stop signal
// (SIGTERM, SIGHUP, Ctrl-C from a pipe), which then ends the run as well.
bool checkInterrupted() { return lineInterruptPending() || stopSignal() != 0; }

}  // namespace

void checkCommand(Shell& shell) {
  LinkSet set = collectLinks(shell.tree.getCurrent(), shell.tree.settings().baseUrl.get());
  std::vector<std::string> urls;
  urls.reserve(set.links.size());
  for (const CheckedLink& link : set.links)
    urls.push_back(link.url);

  CheckSettings settings;
  settings.timeoutMs = linkTimeoutFromEnvironment();
  settings.userAgent = "ravelink/" RAVELINK_VERSION;

  // A Ctrl-C from before the check is not meant for it; one during the check
  // stops the check, not the line typed after it.
  clearLineInterrupt();
  CheckResult result;
  if (shell.console.interactive()) {
    ProgressLine progress(shell.out());
    progress.show({0, urls.size(), 0});
    result = checkLinks(urls, settings, checkInterrupted,
                        [&progress](const CheckProgress& now) { progress.show(now); });
    progress.clear();
  } else {
    result = checkLinks(urls, settings, checkInterrupted, nullptr);
  }
  clearLineInterrupt();
  // The report of what was checked comes first, even when a stop signal cut
  // the check short: the links done are not lost. libcurl is cleaned up by
  // now, so the stop can end the run the way a stop at a prompt does.
  writeCheckReport(shell.out(), set, result);
  checkStop();
}

#else

// Never called: in a build without the link checker the command's row names
// the library it lacks, and runCommand says so instead.
void checkCommand(Shell& /*shell*/) {}

#endif
