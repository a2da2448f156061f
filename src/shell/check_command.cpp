// The check command: requests every http and https link of the current
// node's subtree, many at once, and reports the ones that are not fine.
// The tree is not changed. A build without libcurl has the command too; it
// then says that there is no link checker.
#include <ostream>

#include "shell/commands.h"

#ifdef RAVELINK_HAVE_LIBCURL

#include <curl/curl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "linkcheck/check_report.h"
#include "linkcheck/link_checker.h"
#include "linkcheck/link_set.h"

namespace {

constexpr long kTimeoutMs = 10000;
constexpr long kLongestTimeoutMs = 600000;

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void onInterrupt(int /*signal*/) { stopRequested = 1; }

/// For as long as it lives, Ctrl-C asks the check to stop instead of
/// ending the program; the handler before it comes back afterwards.
class InterruptCatcher {
 public:
  InterruptCatcher() {
    stopRequested = 0;
    struct sigaction action = {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous_);
  }
  ~InterruptCatcher() { sigaction(SIGINT, &previous_, nullptr); }
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

 private:
  struct sigaction previous_ = {};
};

/// libcurl's global state, for the length of one check.
class CurlLibrary {
 public:
  CurlLibrary() : ok_(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK) {}
  ~CurlLibrary() {
    if (ok_) curl_global_cleanup();
  }
  CurlLibrary(const CurlLibrary&) = delete;
  CurlLibrary& operator=(const CurlLibrary&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

/// The one status line at a terminal: redrawn over itself with a carriage
/// return when its figures change, at most ten times a second, and blanked
/// at the end.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& out) : out_(out) {}

  void show(const CheckProgress& progress) {
    auto now = std::chrono::steady_clock::now();
    if (width_ > 0 && now - shownAt_ < std::chrono::milliseconds(100)) return;
    std::string line = "Checking links: " + std::to_string(progress.checked) + "/" +
                       std::to_string(progress.total) + " checked, " +
                       std::to_string(progress.dead) + " dead";
    if (line == shown_) return;
    shownAt_ = now;
    shown_ = line;
    width_ = std::max(width_, line.size());
    line.resize(width_, ' ');
    out_ << '\r' << line;
    out_.flush();
  }

  void clear() {
    if (width_ == 0) return;
    out_ << '\r' << std::string(width_, ' ') << '\r';
    out_.flush();
  }

 private:
  std::ostream& out_;
  std::size_t width_ = 0;
  std::string shown_;
  std::chrono::steady_clock::time_point shownAt_;
};

// The time budget of one link: 10 s, or for the tests a shorter one from
// RAVELINK_CHECK_TIMEOUT_MS (1 to 600000; anything else is ignored).
long linkTimeoutMs() {
  const char* text = std::getenv("RAVELINK_CHECK_TIMEOUT_MS");
  if (text == nullptr) return kTimeoutMs;
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > kLongestTimeoutMs) return kTimeoutMs;
  return value;
}

}  // namespace

void checkCommand(Shell& shell) {
  LinkSet set = collectLinks(shell.tree.getCurrent(), shell.tree.settings().baseUrl.get());
  std::vector<std::string> urls;
  urls.reserve(set.links.size());
  for (const CheckedLink& link : set.links)
    urls.push_back(link.url);

  CurlLibrary curl;
  if (!curl.ok()) {
    shell.out() << "The link checker could not start: libcurl failed to initialise.\n";
    return;
  }
  CheckSettings settings;
  settings.timeoutMs = linkTimeoutMs();
  settings.userAgent = "ravelink/" RAVELINK_VERSION;

  std::vector<LinkOutcome> outcomes;
  if (shell.console.interactive() && isatty(STDOUT_FILENO) != 0) {
    InterruptCatcher catcher;
    ProgressLine progress(shell.out());
    progress.show({0, urls.size(), 0});
    outcomes = checkLinks(urls, settings, &stopRequested,
                          [&progress](const CheckProgress& now) { progress.show(now); });
    progress.clear();
  } else {
    outcomes = checkLinks(urls, settings, nullptr, nullptr);
  }
  writeCheckReport(shell.out(), set, outcomes);
}

#else  // no libcurl

void checkCommand(Shell& shell) {
  shell.out() << "This build has no link checker: it was built without libcurl.\n";
}

#endif
