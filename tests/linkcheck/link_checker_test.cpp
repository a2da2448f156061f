// The checker on failures that need no server: the full range of answers is
// tested against a local HTTP server in tests/e2e/check/.
#include "linkcheck/link_checker.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace {

// A port of 127.0.0.1 where nothing listens: bound, then closed at once.
int closedPort() {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bool ok = fd >= 0 && bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0;
  if (fd >= 0) close(fd);
  return ok ? ntohs(address.sin_port) : 1;
}

std::string describe(const std::vector<LinkOutcome>& outcomes) {
  const char* kinds[] = {"unchecked", "fine", "moved", "dead", "error"};
  std::string text;
  for (const LinkOutcome& outcome : outcomes) {
    text += kinds[static_cast<int>(outcome.kind)];
    if (!outcome.detail.empty()) text += ": " + outcome.detail;
    if (!outcome.unresolvedHost.empty()) text += " (" + outcome.unresolvedHost + ")";
    text += '\n';
  }
  return text;
}

class LinkCheckerTest : public testing::Test {
 protected:
  CheckSettings settings{2000, 32, 4, 10, "ravelink-test"};
};

}  // namespace

TEST_F(LinkCheckerTest, FailuresWithoutAServerInTheOrderGiven) {
  std::string refused = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
  std::vector<std::string> urls = {refused + "a",
                                   "http://nohost.invalid/",
                                   "http://exa mple.org/",
                                   "mailto:a@b.org",
                                   "not a url",
                                   refused + "b"};
  std::vector<CheckProgress> seen;
  auto outcomes =
      checkLinks(urls, settings, {}, [&seen](const CheckProgress& p) { seen.push_back(p); })
          .outcomes;
  EXPECT_EQ(
      "error: connection refused\n"
      "error: no such host (nohost.invalid)\n"
      "error: malformed URL\n"
      "error: malformed URL\n"
      "error: malformed URL\n"
      "error: connection refused\n",
      describe(outcomes));
  // The progress counts up to the total and ends there.
  ASSERT_FALSE(seen.empty());
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(urls.size(), seen[i].total);
    EXPECT_EQ(0u, seen[i].dead);
    EXPECT_LE(seen[i > 0 ? i - 1 : 0].checked, seen[i].checked);
  }
  EXPECT_EQ(urls.size(), seen.back().checked);
}

TEST_F(LinkCheckerTest, AStopAskedForBeforehandChecksNothing) {
  CheckResult result = checkLinks({"http://nohost.invalid/", "http://127.0.0.1:1/"}, settings,
                                  [] { return true; }, {});
  EXPECT_EQ("unchecked\nunchecked\n", describe(result.outcomes));
  EXPECT_EQ(0u, result.hostsLookedUp);
}

TEST_F(LinkCheckerTest, ManyLinksToOneHostAllGetDone) {
  // More links than may run at once, queued behind one host's two slots.
  settings.maxRunning = 3;
  settings.maxPerHost = 2;
  std::string refused = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
  std::vector<std::string> urls;
  for (int i = 0; i < 40; ++i)
    urls.push_back(refused + std::to_string(i));
  urls.push_back("http://nohost.invalid/");
  auto outcomes = checkLinks(urls, settings, {}, {}).outcomes;
  std::string want;
  for (int i = 0; i < 40; ++i)
    want += "error: connection refused\n";
  EXPECT_EQ(want + "error: no such host (nohost.invalid)\n", describe(outcomes));
}

// Names under .invalid never resolve. Each host's links get its first
// link's failure, named by host; a host reached by address counts as one
// that resolved, so only the second run has no host resolved.
TEST_F(LinkCheckerTest, LinksOfAHostThatDoesNotResolveShareItsFailure) {
  settings.maxRunning = 2;  // fewer than the links of one host
  std::string refused = "http://127.0.0.1:" + std::to_string(closedPort()) + "/";
  std::vector<std::string> urls = {"http://one.invalid/a", "http://ONE.invalid/b", refused,
                                   "https://two.invalid/", "http://one.invalid/c",
                                   "http://one.invalid/d", "http://one.invalid/e"};
  CheckResult result = checkLinks(urls, settings, {}, {});
  std::string one = "error: no such host (one.invalid)\n";
  EXPECT_EQ(one + one + "error: connection refused\nerror: no such host (two.invalid)\n" + one +
                one + one,
            describe(result.outcomes));
  EXPECT_EQ(3u, result.hostsLookedUp);
  EXPECT_EQ(1u, result.hostsResolved);

  urls.erase(urls.begin() + 2);
  result = checkLinks(urls, settings, {}, {});
  EXPECT_EQ(2u, result.hostsLookedUp);
  EXPECT_EQ(0u, result.hostsResolved);
}
