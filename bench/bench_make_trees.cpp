// bench_make_trees NODES PREFIX [short]: writes one realistic link tree of
// NODES nodes (the root included) in three files, for the benchmarks
// (bench/run.sh, bench/bar.sh):
//
//   PREFIX.tree  the marker format ("save" / "load"), CR LF line ends
//   PREFIX.vcl   the outline format ("savevcl" / "loadvcl"), CR LF line ends
//   PREFIX.hnb   a tab-indented outline of one line per node, "text href",
//                LF line ends: what the peer outliner imports as ASCII
//
// The shape: a quarter of all nodes directly under the root; depths up to
// 10; the first node under the root heads a subtree of NODES / 10 nodes (the
// one the benchmark copies and pastes); the other top-level nodes head
// subtrees of random size, most small, a few large. Texts are 10 to 60 bytes
// of words, hrefs 20 to 100 bytes of URL; with "short", texts 10 to 36 and
// hrefs 20 to 58 (about 62 bytes of both a node instead of 95). The seed is
// fixed and only the generator's own arithmetic draws from it, so every
// machine gets the same bytes for the same arguments. It prints the nodes
// per depth and the bytes of all texts and hrefs.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kMaxDepth = 10;
constexpr std::uint64_t kSeed = 20240607;

// Draws from the fixed-seed engine. std::mt19937_64's sequence is fixed by
// the standard; the distributions of <random> are not, so none is used.
class Dice {
 public:
  std::uint64_t below(std::uint64_t n) { return engine_() % n; }
  std::int64_t between(std::int64_t low, std::int64_t high) {
    return low + static_cast<std::int64_t>(below(static_cast<std::uint64_t>(high - low + 1)));
  }
  bool chance(double p) { return unit() < p; }
  double unit() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

 private:
  std::mt19937_64 engine_{kSeed};
};

const char* const kWords[] = {
    "Project",  "notes",   "on",      "the",     "release", "plan",    "weekly",  "meeting",
    "budget",   "draft",   "review",  "Q&A",     "design",  "docs",    "API",     "guide",
    "server",   "logs",    "backup",  "of",      "and",     "for",     "team",    "it's",
    "2023",     "v1.4",    "reading", "list",    "recipes", "travel",  "Berlin",  "Lisbon",
    "photos",   "invoice", "R&D",     "summary", "old",     "new",     "ideas",   "links",
    "tutorial", "C++",     "Linux",   "kernel",  "music",   "jazz",    "history", "maps",
};
const char* const kHosts[] = {
    "https://example.com/",     "http://www.example.org/", "https://docs.example.net/",
    "https://wiki.example.com/", "http://intranet.local/",  "https://news.example.org/",
};
const char kPathChars[] = "abcdefghijklmnopqrstuvwxyz0123456789-_";

int textMax = 60;
int hrefMax = 100;

std::string makeText(Dice& dice) {
  const auto length = static_cast<std::size_t>(dice.between(10, textMax));
  std::string text;
  while (text.size() < length) {
    if (!text.empty()) text += ' ';
    text += kWords[dice.below(std::size(kWords))];
  }
  text.resize(length);
  if (text.back() == ' ') text.back() = 's';
  return text;
}

std::string makeHref(Dice& dice) {
  const auto length = static_cast<std::size_t>(dice.between(20, hrefMax));
  std::string href = kHosts[dice.below(std::size(kHosts))];
  while (href.size() < length) {
    if (dice.chance(0.15) && href.back() != '/') {
      href += '/';
    } else if (dice.chance(0.02)) {
      href += "?a=1&b=2";
    } else {
      href += kPathChars[dice.below(sizeof kPathChars - 1)];
    }
  }
  href.resize(length);
  return href;
}

// Appends to `depths` the depths of `count` nodes below a top-level node, in
// pre-order: each one at most one level deeper than the one before.
void addSubtree(Dice& dice, std::int64_t count, std::vector<std::uint8_t>& depths) {
  int previous = 1;
  for (std::int64_t i = 0; i < count; ++i) {
    int depth;
    double roll = dice.unit();
    if (roll < 0.40) {
      depth = previous + 1;
    } else if (roll < 0.80) {
      depth = previous;
    } else {
      depth = static_cast<int>(dice.between(2, std::max(2, previous)));
    }
    if (depth > kMaxDepth) depth = kMaxDepth;
    if (depth < 2) depth = 2;
    depths.push_back(static_cast<std::uint8_t>(depth));
    previous = depth;
  }
}

// The depths of every node below the root, in pre-order.
std::vector<std::uint8_t> makeShape(Dice& dice, std::int64_t nodes) {
  std::vector<std::uint8_t> depths;
  const std::int64_t below = nodes - 1;
  if (below <= 0) return depths;
  depths.reserve(static_cast<std::size_t>(below));
  std::int64_t topLevel = nodes / 4 > 0 ? nodes / 4 : 1;
  std::int64_t pasted = nodes / 10 > 0 ? nodes / 10 : 1;
  if (pasted > below - (topLevel - 1)) pasted = below - (topLevel - 1);
  depths.push_back(1);
  addSubtree(dice, pasted - 1, depths);
  std::int64_t rest = below - pasted - (topLevel - 1);  // descendants still to place
  for (std::int64_t k = topLevel - 1; k > 0; --k) {
    depths.push_back(1);
    std::int64_t size = rest;
    if (k > 1) {
      // Exponential around the mean still due; one in fifty twenty times as big.
      double mean = static_cast<double>(rest) / static_cast<double>(k) / 1.38;
      double drawn = -std::log(1.0 - dice.unit()) * mean;
      if (dice.chance(0.02)) drawn *= 20;
      size = std::min(rest, static_cast<std::int64_t>(drawn));
    }
    addSubtree(dice, size, depths);
    rest -= size;
  }
  return depths;
}

class Output {
 public:
  explicit Output(const std::string& name) : name_(name), file_(name, std::ios::binary) {
    if (!file_) fail();
  }
  std::string& buffer() { return buffer_; }
  void spill(bool last = false) {
    if (buffer_.size() < (1 << 20) && !last) return;
    file_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    if (last) file_.close();
    if (!file_) fail();
  }

 private:
  [[noreturn]] void fail() {
    std::fprintf(stderr, "bench_make_trees: cannot write %s\n", name_.c_str());
    std::exit(1);
  }
  std::string name_;
  std::ofstream file_;
  std::string buffer_;
};

}  // namespace

int main(int argc, char** argv) {
  const bool shortTexts = argc == 4 && std::string(argv[3]) == "short";
  if ((argc != 3 && !shortTexts) || std::atoll(argv[1]) < 1) {
    std::fprintf(stderr, "usage: bench_make_trees NODES PREFIX [short]\n");
    return 2;
  }
  if (shortTexts) {
    textMax = 36;
    hrefMax = 58;
  }
  const std::int64_t nodes = std::atoll(argv[1]);
  const std::string prefix = argv[2];
  Dice dice;
  const std::vector<std::uint8_t> depths = makeShape(dice, nodes);

  Output tree(prefix + ".tree");
  Output vcl(prefix + ".vcl");
  Output hnb(prefix + ".hnb");
  std::int64_t perDepth[kMaxDepth + 1] = {};
  std::int64_t textBytes = 0;
  perDepth[0] = 1;
  int previous = 0;
  for (std::size_t i = 0; i <= depths.size(); ++i) {
    const int depth = i == 0 ? 0 : depths[i - 1];
    const std::string text = i == 0 ? "Bench tree of " + std::to_string(nodes) + " nodes"
                                    : makeText(dice);
    const std::string href = i == 0 ? "https://example.com/bench/index.html" : makeHref(dice);
    textBytes += static_cast<std::int64_t>(text.size() + href.size());
    if (i > 0) {
      ++perDepth[depth];
      if (depth > previous) {
        tree.buffer() += "c\r\n";
      } else {
        for (int up = depth; up < previous; ++up) tree.buffer() += "p\r\n";
        tree.buffer() += "n\r\n";
      }
    }
    tree.buffer() += text + "\r\n" + href + "\r\n";
    const std::string tabs(static_cast<std::size_t>(depth), '\t');
    vcl.buffer() += tabs + text + "\r\n" + tabs + href + "\r\n";
    hnb.buffer() += tabs + text + ' ' + href + '\n';
    previous = depth;
    tree.spill();
    vcl.spill();
    hnb.spill();
  }
  for (int up = 0; up < previous; ++up) tree.buffer() += "p\r\n";
  tree.spill(true);
  vcl.spill(true);
  hnb.spill(true);

  std::printf("%lld nodes; per depth:", static_cast<long long>(nodes));
  for (int d = 0; d <= kMaxDepth; ++d) std::printf(" %lld", static_cast<long long>(perDepth[d]));
  std::printf("; text and href bytes %lld\n", static_cast<long long>(textBytes));
  return 0;
}
