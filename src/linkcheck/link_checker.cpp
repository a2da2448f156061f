#include "linkcheck/link_checker.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>

#include "linkcheck/check_texts.h"
#include "linkcheck/idna_host.h"
#include "linkcheck/link_set.h"

namespace {

constexpr int kPollMs = 100;  // how soon a stop is seen
constexpr long kTimeoutMs = 10000;
constexpr long kLongestTimeoutMs = 600000;
constexpr std::size_t kStatusLineLimit = 256;
constexpr int kTimeoutsToGiveUp = 3;  // in a row on one host
constexpr const char* kNotTried = "not tried: the host does not answer";

struct HostSlots;

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

/// One link under way, from its first request to its outcome. Its handle
/// lives as long as it does, so the cookies a hop sets go with the next hop
/// (some sites redirect to themselves once a cookie is set).
struct Transfer {
  Transfer(std::size_t i, std::string u) : index(i), url(std::move(u)) {}
  ~Transfer() {
    if (easy != nullptr) curl_easy_cleanup(easy);
  }
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;

  std::size_t index;
  std::string url;  // of the request in hand
  HostSlots* host = nullptr;
  CURL* easy = nullptr;
  bool inMulti = false;
  bool useGet = false;           // after a 4xx or 5xx answer to HEAD, or a HEAD that timed out
  bool retried = false;          // this hop's request was made again on a new connection
  bool freshConnection = false;  // the next request opens a connection of its own
  bool timedOut = false;         // the last request ended so (a HEAD, tried again as GET)
  int redirects = 0;
  bool allPermanent = true;  // every hop so far was a 301 or 308
  std::string movedTo;       // where the permanent hops from the start lead
  std::vector<std::string> visited;
  long budgetMs = 0;
  std::string statusLine;  // of the last answer, as sent
  bool bodyCut = false;    // the body of a GET was refused on purpose
  char error[CURL_ERROR_SIZE] = {};
};

/// Where the lookup of a host name stands. libcurl remembers names that
/// resolved, not names that failed: so the first request goes alone and
/// tells for the others.
enum class Lookup {
  kNotYet,    // no request to the host has started
  kUnderWay,  // the first request runs; the others wait for it
  kResolved,  // the name resolved (or the request failed after the lookup)
  kFailed,    // the name did not resolve: no more requests to this host
};

/// The requests to one host name: how many are under way, and the links
/// that wait for one of them to end or for the name to resolve.
struct HostSlots {
  std::string name;
  Lookup lookup = Lookup::kNotYet;
  std::string failure;  // kFailed: the first request's outcome
  int running = 0;
  std::deque<Transfer*> waiting;
  int timeoutsInRow = 0;  // links that timed out here since the last answer
  bool givenUp = false;   // no more requests to this host
};

std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* user) {
  std::size_t length = size * count;
  if (length >= 5 && std::memcmp(data, "HTTP/", 5) == 0) {
    static_cast<Transfer*>(user)->statusLine.assign(data, std::min(length, kStatusLineLimit));
  }
  return length;
}

std::size_t onBody(char* /*data*/, std::size_t /*size*/, std::size_t /*count*/, void* user) {
  static_cast<Transfer*>(user)->bodyCut = true;
  return 0;  // the status is known; the body is not wanted
}

enum class UrlKind { kWeb, kOtherScheme, kMalformed };

/// Whether `url` is an absolute http or https URL; when it is, normalises it
/// (a host name in Unicode becomes its ASCII form) and gives its host name
/// in lower case.
UrlKind parseWebUrl(std::string& url, std::string& host) {
  std::string_view scheme = urlScheme(url);
  if (!scheme.empty() && !isWebScheme(scheme)) return UrlKind::kOtherScheme;
  CURLU* handle = curl_url();
  if (handle == nullptr) return UrlKind::kMalformed;
  char* name = nullptr;
  char* whole = nullptr;
  std::optional<std::string> ascii;
  UrlKind kind = UrlKind::kMalformed;
  if (!scheme.empty() &&
      curl_url_set(handle, CURLUPART_URL, url.c_str(), CURLU_URLENCODE) == CURLUE_OK &&
      curl_url_get(handle, CURLUPART_HOST, &name, 0) == CURLUE_OK &&
      (ascii = asciiHostName(name)) &&
      curl_url_set(handle, CURLUPART_HOST, ascii->c_str(), 0) == CURLUE_OK &&
      curl_url_get(handle, CURLUPART_URL, &whole, 0) == CURLUE_OK) {
    kind = UrlKind::kWeb;
    url = whole;
    host = std::move(*ascii);
  }
  curl_free(whole);
  curl_free(name);
  curl_url_cleanup(handle);
  return kind;
}

bool isRedirect(long status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

/// What the report says of a failed request. libcurl reports a response
/// header over its limit (100 KiB a line in libcurl 7) as running out of
/// memory, and from 8.6 on as "too large"; once the request is sent, that
/// is what either means.
std::string failureOf(Transfer& transfer, CURLcode code) {
  long sent = 0;
  curl_easy_getinfo(transfer.easy, CURLINFO_REQUEST_SIZE, &sent);
  bool headerTooLarge = code == CURLE_OUT_OF_MEMORY;
#if LIBCURL_VERSION_NUM >= 0x080600
  headerTooLarge = headerTooLarge || code == CURLE_TOO_LARGE;
#endif
  if (headerTooLarge && sent > 0) return "response header too large";
  long osErrno = 0;
  curl_easy_getinfo(transfer.easy, CURLINFO_OS_ERRNO, &osErrno);
  return failureText(code, osErrno, transfer.error);
}

/// Whether a failed request is made again, and how: once on a new connection
/// when it failed on a kept one, and as GET when a HEAD timed out.
bool tryAgain(Transfer* transfer, CURLcode code) {
  if (transfer->budgetMs <= 0) return false;
  // Failures that come before any connection is used.
  if (code == CURLE_COULDNT_RESOLVE_HOST || code == CURLE_URL_MALFORMAT ||
      code == CURLE_OUT_OF_MEMORY) {
    return false;
  }
  long connects = 0;
  curl_easy_getinfo(transfer->easy, CURLINFO_NUM_CONNECTS, &connects);
  bool headTimedOut = code == CURLE_OPERATION_TIMEDOUT && !transfer->useGet;
  if (connects == 0 && !transfer->retried) {
    transfer->retried = true;
    transfer->freshConnection = true;
  } else if (!headTimedOut) {
    return false;
  }
  if (headTimedOut) transfer->useGet = true;
  transfer->timedOut = code == CURLE_OPERATION_TIMEDOUT;
  return true;
}

class Checker {
 public:
  Checker(const std::vector<std::string>& urls, const CheckSettings& settings,
          const ProgressFunction& progress)
      : urls_(urls),
        settings_(settings),
        progress_(progress),
        multi_(curl_multi_init()),
        transfers_(urls.size()) {
    result_.outcomes.resize(urls.size());
    settings_.maxRunning = std::max(1, settings_.maxRunning);
    settings_.maxPerHost = std::max(1, settings_.maxPerHost);
    settings_.timeoutMs = std::max(1L, settings_.timeoutMs);
  }
  ~Checker() {
    for (auto& transfer : transfers_) {
      if (transfer != nullptr && transfer->inMulti)
        curl_multi_remove_handle(multi_, transfer->easy);
      transfer.reset();
    }
    curl_multi_cleanup(multi_);
  }
  Checker(const Checker&) = delete;
  Checker& operator=(const Checker&) = delete;

  CheckResult run(const StopFunction& stop);

 private:
  bool busy() const { return running_ > 0 || waiting_ > 0 || next_ < urls_.size(); }
  HostSlots& hostNamed(const std::string& name);
  bool mayStart(const HostSlots& host) const;
  void fill();
  Transfer* takeReady();
  Transfer* takeFresh();
  /// Starts the transfer's next request, or queues it while its host is
  /// busy; a link on its way (`continuing`) goes before the fresh ones.
  void launch(Transfer* transfer, bool continuing);
  void begin(Transfer* transfer);
  void readMessages();
  void onDone(Transfer* transfer, CURLcode code);
  /// Counts a link that timed out on `host`, giving the host up on the
  /// third in a row.
  void noteTimeout(HostSlots& host, std::size_t index);
  /// Ends a link whose host was given up on: "timed out" when its last
  /// request did, else not tried.
  void finishGivenUp(Transfer* transfer);
  /// Ends every link of `host` still waiting for a connection with `finishOne`.
  void finishWaiting(HostSlots& host, void (Checker::*finishOne)(Transfer*));
  /// The end of a host's first request: the waiting links of a host whose
  /// name failed end with the same failure.
  void settleLookup(HostSlots& host, bool resolved, const std::string& failure);
  void finishUnresolved(Transfer* transfer);
  void onAnswer(Transfer* transfer);
  void onRedirect(Transfer* transfer, long status);
  void finish(Transfer* transfer, LinkOutcome::Kind kind, std::string detail,
              std::string unresolvedHost = {});
  void failAll(const char* why);

  const std::vector<std::string>& urls_;
  CheckSettings settings_;
  const ProgressFunction& progress_;
  CURLM* multi_;
  CheckResult result_;
  std::vector<std::unique_ptr<Transfer>> transfers_;  // by link; null when not under way
  std::unordered_map<std::string, HostSlots> hosts_;
  std::deque<HostSlots*> ready_;  // hosts that may have a free slot for a waiting link
  std::size_t next_ = 0;          // the first link not yet taken up
  int running_ = 0;
  std::size_t waiting_ = 0;
  std::size_t done_ = 0;
  std::size_t dead_ = 0;
};

CheckResult Checker::run(const StopFunction& stop) {
  if (multi_ == nullptr) failAll("out of memory");
  fill();
  while (busy() && !(stop && stop())) {
    int stillRunning = 0;
    CURLMcode code = curl_multi_perform(multi_, &stillRunning);
    if (code == CURLM_OK) {
      readMessages();
      fill();
      if (progress_) progress_({done_, urls_.size(), dead_});
      if (busy()) code = curl_multi_poll(multi_, nullptr, 0, kPollMs, nullptr);
    }
    if (code != CURLM_OK) failAll(curl_multi_strerror(code));
  }
  if (progress_) progress_({done_, urls_.size(), dead_});
  return std::move(result_);
}

HostSlots& Checker::hostNamed(const std::string& name) {
  HostSlots& host = hosts_[name];  // a node of the map: it stays where it is
  if (host.name.empty()) host.name = name;
  return host;
}

bool Checker::mayStart(const HostSlots& host) const {
  switch (host.lookup) {
    case Lookup::kNotYet:
      return true;
    case Lookup::kResolved:
      // After a link timed out here, no more requests go at once than could
      // time out before the host is given up on: a host that does not
      // answer costs two rounds of waiting, not a round for every link.
      if (host.timeoutsInRow > 0) {
        return host.running <
               std::min(settings_.maxPerHost, kTimeoutsToGiveUp - host.timeoutsInRow);
      }
      return host.running < settings_.maxPerHost;
    default:
      return false;
  }
}

void Checker::fill() {
  while (running_ < settings_.maxRunning) {
    Transfer* transfer = takeReady();
    if (transfer == nullptr) transfer = takeFresh();
    if (transfer == nullptr) return;
    launch(transfer, false);
  }
}

Transfer* Checker::takeReady() {
  while (!ready_.empty()) {
    HostSlots* host = ready_.front();
    ready_.pop_front();
    if (host->waiting.empty() || !mayStart(*host)) continue;
    Transfer* transfer = host->waiting.front();
    host->waiting.pop_front();
    --waiting_;
    if (!host->waiting.empty()) ready_.push_front(host);  // it may take another one
    return transfer;
  }
  return nullptr;
}

Transfer* Checker::takeFresh() {
  while (next_ < urls_.size()) {
    std::size_t index = next_++;
    auto transfer = std::make_unique<Transfer>(index, urls_[index]);
    std::string host;
    if (parseWebUrl(transfer->url, host) != UrlKind::kWeb) {
      result_.outcomes[index].kind = LinkOutcome::Kind::kError;
      result_.outcomes[index].detail = "malformed URL";
      ++done_;
      continue;
    }
    transfer->host = &hostNamed(host);
    transfer->visited.push_back(transfer->url);
    transfer->budgetMs = settings_.timeoutMs;
    transfers_[index] = std::move(transfer);
    return transfers_[index].get();
  }
  return nullptr;
}

void Checker::launch(Transfer* transfer, bool continuing) {
  HostSlots& host = *transfer->host;
  if (host.givenUp) {
    finishGivenUp(transfer);
  } else if (host.lookup == Lookup::kFailed) {
    finishUnresolved(transfer);
  } else if (mayStart(host)) {
    begin(transfer);
  } else if (continuing) {
    host.waiting.push_front(transfer);
    ++waiting_;
  } else {
    host.waiting.push_back(transfer);
    ++waiting_;
  }
}

void Checker::begin(Transfer* transfer) {
  CURL* easy = transfer->easy;
  if (easy == nullptr) {
    easy = transfer->easy = curl_easy_init();
    if (easy == nullptr) {
      finish(transfer, LinkOutcome::Kind::kError, "out of memory");
      return;
    }
    curl_easy_setopt(easy, CURLOPT_PRIVATE, transfer);
    curl_easy_setopt(easy, CURLOPT_USERAGENT, settings_.userAgent.c_str());
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, transfer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->error);
  }
  curl_easy_setopt(easy, CURLOPT_URL, transfer->url.c_str());
  if (transfer->useGet) {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, transfer->budgetMs);
  } else {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, std::max(1L, transfer->budgetMs / 2));
  }
  long fresh = transfer->freshConnection ? 1L : 0L;
  curl_easy_setopt(easy, CURLOPT_FRESH_CONNECT, fresh);
  curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, fresh);
  transfer->freshConnection = false;
  transfer->statusLine.clear();
  transfer->bodyCut = false;
  transfer->error[0] = '\0';
  if (curl_multi_add_handle(multi_, easy) != CURLM_OK) {
    finish(transfer, LinkOutcome::Kind::kError, "out of memory");
    return;
  }
  transfer->inMulti = true;
  HostSlots& host = *transfer->host;
  if (host.lookup == Lookup::kNotYet) host.lookup = Lookup::kUnderWay;
  ++host.running;
  ++running_;
}

void Checker::readMessages() {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
    if (message->msg != CURLMSG_DONE) continue;
    CURL* easy = message->easy_handle;
    CURLcode code = message->data.result;  // the message dies with the removal
    char* owner = nullptr;
    curl_easy_getinfo(easy, CURLINFO_PRIVATE, &owner);
    auto* transfer = reinterpret_cast<Transfer*>(owner);
    curl_multi_remove_handle(multi_, easy);
    transfer->inMulti = false;
    onDone(transfer, code);
  }
}

void Checker::onDone(Transfer* transfer, CURLcode code) {
  HostSlots& host = *transfer->host;
  --host.running;
  --running_;
  transfer->timedOut = false;

  curl_off_t micros = 0;
  curl_easy_getinfo(transfer->easy, CURLINFO_TOTAL_TIME_T, &micros);
  transfer->budgetMs -= static_cast<long>(micros / 1000);
  if (code == CURLE_WRITE_ERROR && transfer->bodyCut) code = CURLE_OK;
  std::string failure;
  if (code != CURLE_OK) failure = failureOf(*transfer, code);
  bool unresolved = code == CURLE_COULDNT_RESOLVE_HOST;
  if (host.lookup == Lookup::kUnderWay) settleLookup(host, !unresolved, failure);
  if (!host.waiting.empty()) ready_.push_back(&host);

  if (code != CURLE_OK && tryAgain(transfer, code)) {
    launch(transfer, true);
  } else if (code != CURLE_OK) {
    std::size_t index = transfer->index;
    finish(transfer, LinkOutcome::Kind::kError, std::move(failure),
           unresolved ? host.name : std::string());
    if (code == CURLE_OPERATION_TIMEDOUT) {
      noteTimeout(host, index);
    } else {
      host.timeoutsInRow = 0;
    }
  } else {
    host.timeoutsInRow = 0;
    onAnswer(transfer);
  }
}

void Checker::noteTimeout(HostSlots& host, std::size_t index) {
  result_.outcomes[index].silentHost = host.name;
  if (host.givenUp || ++host.timeoutsInRow < kTimeoutsToGiveUp) return;
  host.givenUp = true;
  finishWaiting(host, &Checker::finishGivenUp);
}

void Checker::finishWaiting(HostSlots& host, void (Checker::*finishOne)(Transfer*)) {
  while (!host.waiting.empty()) {
    Transfer* transfer = host.waiting.front();
    host.waiting.pop_front();
    --waiting_;
    (this->*finishOne)(transfer);
  }
}

void Checker::finishGivenUp(Transfer* transfer) {
  std::size_t index = transfer->index;
  std::string host = transfer->host->name;
  bool timedOut = transfer->timedOut;
  finish(transfer, LinkOutcome::Kind::kError, timedOut ? "timed out" : kNotTried);
  result_.outcomes[index].silentHost = std::move(host);
  result_.outcomes[index].notTried = !timedOut;
}

void Checker::settleLookup(HostSlots& host, bool resolved, const std::string& failure) {
  ++result_.hostsLookedUp;
  if (resolved) {
    ++result_.hostsResolved;
    host.lookup = Lookup::kResolved;
    return;
  }
  host.lookup = Lookup::kFailed;
  host.failure = failure;
  finishWaiting(host, &Checker::finishUnresolved);
}

void Checker::finishUnresolved(Transfer* transfer) {
  const HostSlots& host = *transfer->host;
  finish(transfer, LinkOutcome::Kind::kError, host.failure, host.name);
}

void Checker::onAnswer(Transfer* transfer) {
  long status = 0;
  curl_easy_getinfo(transfer->easy, CURLINFO_RESPONSE_CODE, &status);
  if (isRedirect(status)) {
    onRedirect(transfer, status);
  } else if (status >= 400 && !transfer->useGet) {
    transfer->useGet = true;  // many servers refuse HEAD: ask again with GET
    if (transfer->budgetMs <= 0) {
      finish(transfer, LinkOutcome::Kind::kError, "timed out");
    } else {
      launch(transfer, true);
    }
  } else if (status >= 400) {
    finish(transfer, LinkOutcome::Kind::kDead,
           statusText(static_cast<int>(status), transfer->statusLine));
  } else if (status < 200) {
    finish(transfer, LinkOutcome::Kind::kError, "no HTTP status from the server");
  } else if (!transfer->movedTo.empty()) {
    finish(transfer, LinkOutcome::Kind::kMoved, dropControlBytes(transfer->movedTo));
  } else {
    finish(transfer, LinkOutcome::Kind::kFine, {});
  }
}

void Checker::onRedirect(Transfer* transfer, long status) {
  char* location = nullptr;
  curl_easy_getinfo(transfer->easy, CURLINFO_REDIRECT_URL, &location);
  if (location == nullptr) {
    finish(transfer, LinkOutcome::Kind::kError,
           statusText(static_cast<int>(status), transfer->statusLine) + " without a location");
    return;
  }
  std::string target = location;
  std::string host;
  UrlKind kind = parseWebUrl(target, host);
  if (kind != UrlKind::kWeb) {
    finish(transfer, LinkOutcome::Kind::kError,
           (kind == UrlKind::kOtherScheme ? "redirected to a URL that is not http or https: "
                                          : "redirected to a malformed URL: ") +
               dropControlBytes(target));
    return;
  }
  if (++transfer->redirects > settings_.maxRedirects) {
    finish(transfer, LinkOutcome::Kind::kError, "too many redirects");
    return;
  }
  // A page may send a client back to itself once (to set a cookie); a third
  // visit is a loop.
  if (std::count(transfer->visited.begin(), transfer->visited.end(), target) >= 2) {
    finish(transfer, LinkOutcome::Kind::kError, "redirect loop");
    return;
  }
  if (transfer->budgetMs <= 0) {
    finish(transfer, LinkOutcome::Kind::kError, "timed out");
    return;
  }
  transfer->retried = false;
  transfer->allPermanent = transfer->allPermanent && (status == 301 || status == 308);
  if (transfer->allPermanent) transfer->movedTo = target;
  transfer->visited.push_back(target);
  transfer->url = std::move(target);
  transfer->host = &hostNamed(host);
  launch(transfer, true);
}

void Checker::finish(Transfer* transfer, LinkOutcome::Kind kind, std::string detail,
                     std::string unresolvedHost) {
  std::size_t index = transfer->index;
  LinkOutcome& outcome = result_.outcomes[index];
  outcome.kind = kind;
  outcome.detail = std::move(detail);
  outcome.unresolvedHost = std::move(unresolvedHost);
  ++done_;
  if (kind == LinkOutcome::Kind::kDead) ++dead_;
  transfers_[index].reset();
}

// libcurl failed as a whole: every link not done gets its message.
void Checker::failAll(const char* why) {
  for (std::size_t index = 0; index < urls_.size(); ++index) {
    if (result_.outcomes[index].kind == LinkOutcome::Kind::kUnchecked) {
      result_.outcomes[index].kind = LinkOutcome::Kind::kError;
      result_.outcomes[index].detail = why;
    }
  }
  next_ = urls_.size();
  running_ = 0;
  waiting_ = 0;
}

}  // namespace

CheckResult checkLinks(const std::vector<std::string>& urls, const CheckSettings& settings,
                       const StopFunction& stop, const ProgressFunction& progress) {
  CurlLibrary library;
  if (!library.ok()) {
    CheckResult result;
    result.started = false;
    result.outcomes.resize(urls.size());
    return result;
  }
  Checker checker(urls, settings, progress);
  return checker.run(stop);
}

long linkTimeoutFromEnvironment() {
  const char* text = std::getenv("RAVELINK_CHECK_TIMEOUT_MS");
  if (text == nullptr) return kTimeoutMs;
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < 1 || value > kLongestTimeoutMs) return kTimeoutMs;
  return value;
}
