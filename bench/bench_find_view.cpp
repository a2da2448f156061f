// bench_find_view TREEFILE: times the searches of `find`, and opening the
// full-screen view, the End key and paging (the view's model and its screen
// lines, without the terminal), on a tree loaded from
// TREEFILE (make one with bench_make_trees). Prints each figure as the
// median of RUNS (default 7) runs, in milliseconds, of the wall time
// (steady_clock) and the process's processor time around the operation
// alone (not the load); on a shared machine the second shows the work.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

#include "tree/ravelink.h"
#include "tree/tree_walk.h"
#include "treefiles/tree_file.h"
#include "view/tree_view.h"

namespace {

struct Figure {
  double wallMs;
  double cpuMs;
};

double cpuNowMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The medians of the wall time and the processor time over `runs` runs.
Figure median(int runs, const std::function<void()>& operation) {
  std::vector<double> walls;
  std::vector<double> cpus;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuNowMs();
    operation();
    cpus.push_back(cpuNowMs() - cpuStart);
    walls.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(walls.begin(), walls.end());
  std::sort(cpus.begin(), cpus.end());
  return {walls[walls.size() / 2], cpus[cpus.size() / 2]};
}

void report(const char* what, Figure figure) {
  std::printf("| %-54s | %8.2f | %8.2f |\n", what, figure.wallMs, figure.cpuMs);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_find_view TREEFILE\n");
    return 2;
  }
  const int runs = std::getenv("RUNS") != nullptr ? std::max(1, std::atoi(std::getenv("RUNS"))) : 7;
  Ravelink tree;
  try {
    treeLoad(tree, argv[1]);
  } catch (const myException& error) {
    std::fprintf(stderr, "bench_find_view: %s: %s\n", error.getFuncName(), error.getMessage());
    return 1;
  }
  std::int64_t nodes = 0;
  const RavelinkChild* last = tree.getRoot();
  for (const RavelinkChild* node = tree.getRoot(); node != nullptr; node = nextInPreorder(node)) {
    ++nodes;
    last = node;
  }
  std::printf("%lld nodes, median of %d runs\n\n", static_cast<long long>(nodes), runs);
  std::printf("| %-54s | %8s | %8s |\n|---|---:|---:|\n", "operation", "wall ms", "cpu ms");

  report("walk alone (nextInPreorder over every node)", median(runs, [&] {
           std::int64_t count = 0;
           for (const RavelinkChild* n = tree.getRoot(); n != nullptr; n = nextInPreorder(n)) {
             count += n->getText()[0];
           }
           if (count == 0) std::printf(" ");
         }));
  // The worst case: nothing matches, so every text and href is compared.
  const RavelinkChild* found = nullptr;
  report("find, no match (the whole tree)",
         median(runs, [&] { found = tree.findAfter(tree.getRoot(), "no such text anywhere"); }));
  if (found != nullptr) return 1;
  report("find, one letter that never occurs",
         median(runs, [&] { found = tree.findAfter(tree.getRoot(), "\x7f"); }));
  if (found != nullptr) return 1;
  // A match on the last node in pre-order, found from the root.
  tree.gotoNode(last);
  std::string lastHref = last->getHref();
  report("find, match on the last node (its href)",
         median(runs, [&] { found = tree.findAfter(tree.getRoot(), lastHref.c_str()); }));
  if (found == nullptr) return 1;

  // The view in a 200 x 50 terminal: the model and every screen line drawn,
  // which is all the view computes; ncurses then writes 50 lines.
  std::size_t drawn = 0;
  tree.gotoRoot();
  report("view: open at the root and draw", median(runs, [&] {
           TreeView view(tree, 49, 200);
           drawn += view.screenLines().size() + view.statusLine("").size();
         }));
  report("view: open at the root, End, draw", median(runs, [&] {
           TreeView view(tree, 49, 200);
           view.move(TreeView::Move::kEnd);
           drawn += view.screenLines().size() + view.statusLine("").size();
         }));
  tree.gotoNode(last);
  report("view: open at the last node (path opened), End, draw", median(runs, [&] {
           TreeView view(tree, 49, 200);
           view.move(TreeView::Move::kEnd);
           drawn += view.screenLines().size() + view.statusLine("").size();
         }));
  tree.gotoRoot();
  report("view: open, 100 x PgDn, draw each", median(runs, [&] {
           TreeView view(tree, 49, 200);
           for (int i = 0; i < 100; ++i) {
             view.move(TreeView::Move::kPageDown);
             drawn += view.screenLines().size();
           }
         }));
  report("view: open, search with no match, draw", median(runs, [&] {
           TreeView view(tree, 49, 200);
           if (view.search("no such text anywhere")) drawn = 0;
           drawn += view.screenLines().size();
         }));
  return drawn > 0 ? 0 : 1;
}
