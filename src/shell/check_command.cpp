// The check command: requests every http and https link of the current
// node's subtree, many at once, and reports the ones that are not fine.
// After a check that ran to its end it offers to change the hrefs that
// moved permanently to their new addresses, as one undo step. The requests,
// the status line and the report are the link checker's (src/linkcheck/).
#include "shell/commands.h"

#ifdef RAVELINK_HAVE_LIBCURL

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "base/counts.h"
#include "base/signals.h"
#include "linkcheck/check_report.h"
#include "linkcheck/check_texts.h"
#include "linkcheck/link_checker.h"
#include "linkcheck/link_set.h"
#include "linkcheck/moved_links.h"
#include "linkcheck/progress_line.h"

namespace {

// What stops a check under way: Ctrl-C at a terminal, or a stop signal
// (SIGTERM, SIGHUP, Ctrl-C from a pipe), which then ends the run as well.
bool checkInterrupted() { return lineInterruptPending() || stopSignal() != 0; }

/// Asks whether the moved links are to change and, on yes, gives each node
/// its new href; a node whose new address does not fit is listed instead.
/// Every node is reached by making it current, which is given back after.
void offerToChange(Shell& shell, const MovedLinks& moved) {
  const std::size_t hrefs = moved.distinctHrefs;
  const std::string many = "the " + countOf(hrefs, "moved link", "moved links");
  const std::string question =
      std::string("Change ") + formFor(hrefs, "the moved link", many.c_str()) + " to " +
      formFor(hrefs, "its new address", "their new addresses") + "? [Y/N] ";
  if (!askYes(shell, question)) return;
  const RavelinkChild* current = shell.tree.getCurrent();
  std::size_t changed = 0;
  for (const MovedHref& node : moved.nodes) {
    if (node.newHref.empty()) {
      shell.out() << "  " << Ravelink::pathTo(node.node) << " | "
                  << dropControlBytes(node.node->getHref())
                  << " | not changed: the new address is longer than "
                  << RavelinkChild::kHrefSize - 1 << " bytes\n";
      continue;
    }
    shell.tree.gotoNode(node.node);
    shell.tree.setCurrentHref(node.newHref.c_str());
    ++changed;
  }
  shell.tree.gotoNode(current);
  shell.out() << "Changed " << countOf(changed, "link", "links") << ".\n";
}

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

  // A check stopped half-way offers nothing: the user asked it to end.
  const bool ranToEnd = std::none_of(
      result.outcomes.begin(), result.outcomes.end(),
      [](const LinkOutcome& outcome) { return outcome.kind == LinkOutcome::Kind::kUnchecked; });
  if (!result.started || !ranToEnd) return;
  MovedLinks moved =
      findMovedLinks(shell.tree.getCurrent(), shell.tree.settings().baseUrl.get(), set, result);
  if (!moved.nodes.empty()) offerToChange(shell, moved);
}

#else

// Never called: in a build without the link checker the command's row names
// the library it lacks, and runCommand says so instead.
void checkCommand(Shell& /*shell*/) {}

#endif
