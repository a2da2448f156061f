// libFuzzer target: any bytes typed at the program's standard input.
//
// Each input is one whole run of runProgram: the bytes are the console input,
// read to their end as from a pipe, and the page is written when the loop
// ends. After every command the tree's links are checked and `current` must
// be a node of the tree, and an undo followed by a redo must leave the tree,
// the current node, the settings and the references as they were;
// LeakSanitizer checks that the run freed everything.
//
// The run happens in a scratch folder made once per process (in $TMPDIR, else
// /dev/shm when it is there, else /tmp) holding the shipped templates and a
// few tree files. Every "/" of the input is turned into "_" so that no typed
// file name reaches outside that folder, and after each run the folder is put
// back as it was, so one input never sees the files of another.
//
// The working directory is the scratch folder only while an input runs: give
// libFuzzer an absolute -artifact_prefix, or a crashing input is written there.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "driver/program.h"
#include "shell/console.h"
#include "../support/tree_round_trip.h"
#include "tree/edit_history.h"
#include "tree/ravelink.h"
#include "tree/tree_check.h"

#ifndef RAVELINK_SOURCE_DIR
#error "build with -DRAVELINK_SOURCE_DIR=\"...\" (see build.sh)"
#endif

namespace {

// Past this many nodes a run is cut short after the command that grew the
// tree: copy and paste double a tree in seven bytes of input, and a run that
// only grows it tells nothing more. A paste at most doubles, so no tree in a
// run exceeds twice this.
constexpr int kMaxNodes = 4000;

struct TooManyNodes {};

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "program_fuzz: cannot read %s\n", path.c_str());
    std::abort();
  }
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

void writeWhole(const std::string& name, const std::string& contents) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out << contents;
  if (!out.flush()) std::abort();
}

/// The scratch folder and the files it holds between runs.
class Scratch {
 public:
  Scratch() {
    const std::string source = RAVELINK_SOURCE_DIR;
    for (const char* name : {"templateHead.tem", "templateEnd.tem", "templateFrame.tem"}) {
      files_[name] = readWhole(source + "/templates/" + name);
    }
    files_["tree.txt"] = readWhole(source + "/tests/fuzz/corpus/tree_file/example");
    files_["outline.txt"] = readWhole(source + "/tests/fuzz/corpus/outline_file/example");
    files_["bad.txt"] = readWhole(source + "/tests/fuzz/corpus/tree_file/bad-marker");

    const char* base = std::getenv("TMPDIR");
    std::string folder = base != nullptr && base[0] != '\0' ? base
                         : access("/dev/shm", W_OK) == 0    ? "/dev/shm"
                                                            : "/tmp";
    folder += "/ravelink-fuzz-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) std::abort();
    folder_ = folder;
    home_ = open(".", O_RDONLY | O_DIRECTORY);
    if (home_ < 0) std::abort();
  }

  /// Enters the folder, with exactly the starting files in it.
  void enter() {
    if (chdir(folder_.c_str()) != 0) std::abort();
    DIR* dir = opendir(".");
    if (dir == nullptr) std::abort();
    while (const dirent* entry = readdir(dir)) {
      std::string name = entry->d_name;
      if (name != "." && name != ".." && files_.count(name) == 0) unlink(name.c_str());
    }
    closedir(dir);
    for (const auto& [name, contents] : files_) {
      writeWhole(name, contents);
    }
  }

  /// Goes back to where the process started.
  void leave() {
    if (fchdir(home_) != 0) std::abort();
  }

  /// Removes the folder; called when the process ends normally.
  void remove() {
    enter();
    for (const auto& entry : files_) {
      unlink(entry.first.c_str());
    }
    leave();
    rmdir(folder_.c_str());
  }

 private:
  std::map<std::string, std::string> files_;
  std::string folder_;
  int home_ = -1;
};

Scratch* scratch = nullptr;

int countNodes(const Ravelink& tree) {
  int count = 0;
  const RavelinkChild* root = tree.getRoot();
  const RavelinkChild* node = root;
  for (;;) {
    ++count;
    if (node->getFirstChild() != nullptr) {
      node = node->getFirstChild();
      continue;
    }
    while (node != root && node->getNextSibling() == nullptr) {
      node = node->getParent();
    }
    if (node == root) return count;
    node = node->getNextSibling();
  }
}

void requireSoundTree(const Ravelink& tree, const char* when) {
  std::string problem = checkTree(tree);
  if (!problem.empty()) {
    std::fprintf(stderr, "program_fuzz: broken tree %s: %s\n", when, problem.c_str());
    std::abort();
  }
}

// Everything an undo and a redo must give back, in one string.
std::string stateOf(const Ravelink& tree) {
  const PageSettings& s = tree.settings();
  std::string state = treeRecords(tree) + "current " + std::to_string(tree.getCurrent()->slot()) +
                      "\n" + s.hrefPrefix.get() + "\n" + s.hrefSuffix.get() + "\n" +
                      s.baseUrl.get() + "\n" + s.baseTarget.get() + "\n" + s.styleTable.get() +
                      (s.usingPara ? "\np\n" : "\ndiv\n");
  const NodeReferences& refs = tree.references();
  auto add = [&state](NodeRef ref) {
    state += std::to_string(ref.slot) + "." + std::to_string(ref.generation) + " ";
  };
  for (int i = 0; i < refs.activeCount; ++i) add(refs.activeStack[i]);
  add(refs.clipboard);
  for (int k = 0; k < 2; ++k) {
    add(refs.workPlace[k]);
    add(refs.workPoint[k]);
  }
  return state;
}

// The history's version, and how many steps could be redone, when the last
// command was looked at: a command that moved the version made a step or
// was an undo or a redo; an undo is told by a longer redo list. Reset for
// every run.
std::uint64_t versionSeen = 0;
std::size_t redosSeen = 0;

void checkAfterCommand(const Ravelink& tree, EditHistory* history) {
  requireSoundTree(tree, "after a command");
  if (countNodes(tree) > kMaxNodes) throw TooManyNodes{};
  // Right after a step (or a redo) the tree is as the step left it, which
  // is what an undo and a redo must give back; after a browse or an undo
  // it is not.
  if (history == nullptr || history->version() == versionSeen) return;
  const bool afterUndo = history->redoCount() > redosSeen;
  versionSeen = history->version();
  redosSeen = history->redoCount();
  if (afterUndo || history->stepCount() == 0) return;
  const std::string before = stateOf(tree);
  const char* undone = history->undo();
  requireSoundTree(tree, "after an undo");
  const char* redone = history->redo();
  requireSoundTree(tree, "after a redo");
  if (undone == nullptr || redone != undone || stateOf(tree) != before) {
    std::fprintf(stderr, "program_fuzz: undo and redo of %s changed the tree\n%s\n-- became --\n%s\n",
                 undone != nullptr ? undone : "(nothing)", before.c_str(), stateOf(tree).c_str());
    std::abort();
  }
  versionSeen = history->version();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (scratch == nullptr) {
    scratch = new Scratch;
    std::atexit([] { scratch->remove(); });
  }
  std::string typed(reinterpret_cast<const char*>(data), size);
  for (char& c : typed) {
    if (c == '/') c = '_';
  }
  // One, two or three file names, chosen by the length so that every seed
  // runs with some set of names and a mutation may move it to another.
  const char* const args[] = {"out.html", "frames.html", "default.html"};
  int argc = static_cast<int>(size % 3) + 1;

  std::stringbuf input(typed, std::ios::in);
  std::ostringstream output;
  Console console(input, output, false);
  scratch->enter();
  versionSeen = 0;
  redosSeen = 0;
  try {
    runProgram(argc, args, console, checkAfterCommand);
  } catch (const TooManyNodes&) {
    // Cut short; the tree was freed on the way out.
  }
  scratch->leave();
  return 0;
}
