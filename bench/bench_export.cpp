// bench_export [FOLDERS [LINKS [FOLDER]]]: how long `export` takes on a large
// bookmark collection. Writes a tree of FOLDERS folders of LINKS links each
// (default 20,000 x 20 = 400,000 links) as FOLDER/bench-export.tree (marker
// format, default folder /tmp), loads it back as a user's tree would be
// loaded, then exports it whole RUNS times (environment, default 5) to
// .html, .opml and .md in FOLDER and prints the median and the fastest run
// of each, with the file's size. Each export is the command's own work:
// writeFileSafely with its fsync included. A run writing to memory (no file,
// no fsync, bytes counted and dropped) shows what the writer alone costs.
// KEEP=1 keeps the tree file, to time the program itself on it. Files are removed at the end.
//
// Texts are 10 to 60 bytes of words (some with "&", "'" and non-ASCII
// letters), hrefs 20 to 100 bytes of URL (some with "?a=1&b=2"); the seed is
// fixed, so every machine exports the same bytes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <streambuf>
#include <string>
#include <vector>

#include "tree/ravelink.h"
#include "interchange/export_file.h"
#include "treefiles/tree_file.h"

namespace {

const char* const kWords[] = {
    "Project", "notes", "on",     "the",   "release", "plan",     "weekly", "Q&A",
    "design",  "docs",  "API",    "guide", "it's",    "Café",     "Zürich", "R&D",
    "recipes", "maps",  "travel", "jazz",  "history", "tutorial", "C++",    "Linux",
};
const char* const kHosts[] = {"https://example.com/", "http://www.example.org/",
                              "https://docs.example.net/", "https://news.example.org/"};

class Generator {
 public:
  std::string text() {
    const std::size_t length = 10 + below(51);
    std::string text;
    while (text.size() < length) {
      if (!text.empty()) text += ' ';
      text += kWords[below(std::size(kWords))];
    }
    return text;  // the field keeps at most 63 bytes, cut on a character
  }
  std::string href() {
    const std::size_t length = 20 + below(81);
    std::string href = kHosts[below(std::size(kHosts))];
    while (href.size() < length) {
      std::size_t roll = below(100);
      if (roll < 10) {
        href += '/';
      } else if (roll < 12) {
        href += "?a=1&b=2";
      } else {
        href += static_cast<char>('a' + below(26));
      }
    }
    href.resize(std::min<std::size_t>(length, 127));
    return href;
  }

 private:
  std::size_t below(std::size_t n) { return static_cast<std::size_t>(engine_() % n); }
  std::mt19937_64 engine_{20240607};
};

// An output that counts the bytes and keeps none of them.
class Discard : public std::streambuf {
 public:
  std::size_t bytes() const { return bytes_; }

 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override {
    bytes_ += static_cast<std::size_t>(count);
    return count;
  }
  int_type overflow(int_type c) override {
    ++bytes_;
    return traits_type::not_eof(c);
  }

 private:
  std::size_t bytes_ = 0;
};

double seconds(const std::chrono::steady_clock::time_point& start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Figure {
  double median;
  double fastest;
};

template <typename Run>
Figure timeRuns(int runs, Run run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(seconds(start));
  }
  std::sort(times.begin(), times.end());
  return {times[times.size() / 2], times.front()};
}

}  // namespace

int main(int argc, char** argv) {
  const long folders = argc > 1 ? std::atol(argv[1]) : 20000;
  const long links = argc > 2 ? std::atol(argv[2]) : 20;
  const std::filesystem::path where = argc > 3 ? argv[3] : "/tmp";
  const int runs = std::getenv("RUNS") != nullptr ? std::max(1, std::atoi(std::getenv("RUNS"))) : 5;
  const std::string treeName = (where / "bench-export.tree").string();

  {
    Ravelink built;
    Generator generate;
    built.setCurrentText("Bookmarks");
    for (long f = 0; f < folders; ++f) {
      // Each folder after the one before; its links appended below it.
      if (f == 0) {
        built.addAsChild(generate.text().c_str(), "");
        built.browseFirstChild();
      } else {
        built.addAsNext(generate.text().c_str(), "");
      }
      for (long l = 0; l < links; ++l) {
        built.addAsChild(generate.text().c_str(), generate.href().c_str());
      }
    }
    treeSave(built, treeName.c_str());
  }
  Ravelink tree;
  treeLoad(tree, treeName.c_str());
  std::printf("tree: %ld folders of %ld links, %ld nodes; tree file %.1f MB\n", folders, links,
              folders * (links + 1) + 1,
              static_cast<double>(std::filesystem::file_size(treeName)) / 1e6);
  std::printf("%d runs each; median / fastest in seconds\n\n", runs);
  std::printf("| export | file size | median | fastest |\n|---|---|---|---|\n");

  Discard discard;
  Figure alone = timeRuns(runs, [&] {
    std::ostream out(&discard);
    writeBookmarkFile(tree, out);
  });
  std::printf("| .html, the writer alone (no file) | %.1f MB | %.3f | %.3f |\n",
              static_cast<double>(discard.bytes()) / 1e6 / runs, alone.median, alone.fastest);
  for (const char* ending : {".html", ".opml", ".md"}) {
    const std::string name = (where / (std::string("bench-export") + ending)).string();
    Figure figure = timeRuns(runs, [&] {
      std::filesystem::remove(name);
      treeExport(tree, name.c_str());
    });
    std::printf("| %s | %.1f MB | %.3f | %.3f |\n", ending,
                static_cast<double>(std::filesystem::file_size(name)) / 1e6, figure.median,
                figure.fastest);
    std::filesystem::remove(name);
  }
  if (std::getenv("KEEP") == nullptr) std::filesystem::remove(treeName);
  return 0;
}
