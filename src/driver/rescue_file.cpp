#include "driver/rescue_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "treefiles/safe_replace.h"
#include "treefiles/tree_file.h"

namespace {

// Enough for every run a user could stop by hand; past it a place counts
// as full and the next place is tried.
constexpr int kMostRescues = 1000;

// Makes `path` and the folders above it that are missing; the last one
// gets `mode`, the others 0700 too (they are the user's own state folders).
bool makeFolders(const std::string& path, mode_t mode) {
  for (std::string::size_type slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string parent = path.substr(0, slash);
    if (::mkdir(parent.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  if (::mkdir(path.c_str(), mode) != 0 && errno != EEXIST) return false;
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string fileNameOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Writes the tree to a new file `prefix` + rescueName(...) in the folder
// of `prefix`; "" when the folder does not take it.
std::string writeNew(const Ravelink& tree, const std::string& prefix, bool ownerOnly) {
  SafeReplace file(rescueName(prefix, 1).c_str());
  if (!(ownerOnly ? file.openPrivate() : file.open())) return "";
  writeTreeFile(tree, file.stream());
  if (!file.finish(true)) return "";
  for (int n = 1; n <= kMostRescues; ++n) {
    const std::string name = rescueName(prefix, n);
    if (file.linkAsNew(name)) return name;
    if (errno != EEXIST) return "";
  }
  return "";
}

std::string tempFolder() {
  const char* temp = std::getenv("TMPDIR");
  return temp != nullptr && temp[0] == '/' ? temp : "/tmp";
}

}  // namespace

std::string stateFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string folder;
  if (state != nullptr && state[0] == '/') {
    folder = state;
  } else {
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') return "";
    folder = std::string(home) + "/.local/state";
  }
  folder += "/ravelink";
  return makeFolders(folder, 0700) ? folder : "";
}

std::string rescueName(const std::string& base, int n) {
  return n == 1 ? base + ".rescue.tree" : base + ".rescue." + std::to_string(n) + ".tree";
}

std::string writeRescueFile(const Ravelink& tree, const std::string& pageName) {
  std::string written = writeNew(tree, pageName, false);
  if (!written.empty()) return written;
  const std::string base = fileNameOf(pageName);
  const std::string state = stateFolder();
  if (!state.empty()) written = writeNew(tree, state + "/" + base, true);
  if (!written.empty()) return written;
  return writeNew(tree, tempFolder() + "/" + base, true);
}

std::vector<std::string> rescueFilesOf(const std::string& pageName) {
  const std::string base = fileNameOf(pageName);
  const std::string state = stateFolder();
  std::vector<std::string> prefixes{pageName};
  if (!state.empty()) prefixes.push_back(state + "/" + base);
  prefixes.push_back(tempFolder() + "/" + base);
  std::vector<std::string> found;
  for (std::size_t place = 0; place < prefixes.size(); ++place) {
    for (int n = 1; n <= kMostRescues; ++n) {
      const std::string name = rescueName(prefixes[place], n);
      struct stat info;
      if (::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
      if (place > 0 && info.st_uid != ::getuid()) continue;
      // The page may lie in one of the other places itself.
      if (std::find(found.begin(), found.end(), name) == found.end()) found.push_back(name);
    }
  }
  return found;
}
