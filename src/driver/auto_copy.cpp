#include "driver/auto_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <system_error>

#include "driver/rescue_file.h"
#include "treefiles/safe_replace.h"
#include "treefiles/tree_file.h"

namespace {

constexpr std::chrono::milliseconds kWait{5000};
constexpr long kLongestTestWait = 600000;
// Kept names for copies written within one second of each other; beyond
// this many the copy stays under its own name.
constexpr int kMostKeptPerSecond = 100;

// The page's absolute path, resolved as far as it exists; "" when there is
// none (the working folder is gone).
std::string absolutePath(const std::string& page) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(page, error);
  if (error) return "";
  std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
  if (error) resolved = absolute.lexically_normal();
  return resolved.string();
}

std::string hexHash(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;  // 64-bit FNV-1a
  for (unsigned char c : text) {
    hash ^= c;
    hash *= 1099511628211ULL;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return digits;
}

std::string keptName(const std::string& folder, const std::string& name, std::time_t written,
                     int n) {
  std::tm local{};
  localtime_r(&written, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::string path = folder;
  path.append("/").append(name).append(".kept-").append(stamp);
  if (n > 1) path.append("-").append(std::to_string(n));
  return path.append(".tree");
}

}  // namespace

std::string autoCopyName(const std::string& absolutePage) {
  std::string name;
  for (std::size_t i = absolutePage.starts_with('/') ? 1 : 0; i < absolutePage.size(); ++i) {
    const char c = absolutePage[i];
    if (c == '%') {
      name += "%25";
    } else if (c == '/') {
      name += "%2F";
    } else {
      name += c;
    }
  }
  if (name.size() <= AutoCopy::kMaxName) return name;
  // The hash tells long paths apart; the end of the path, from a folder's
  // beginning on, still tells the user which page it was.
  std::string tail = name.substr(name.size() - (AutoCopy::kMaxName - 17));
  const std::size_t slash = tail.find("%2F");
  if (slash != std::string::npos) tail.erase(0, slash + 3);
  std::string hashed = hexHash(absolutePage);
  return hashed.append("-").append(tail);
}

std::chrono::milliseconds autoCopyWait() {
  const char* text = std::getenv("RAVELINK_TEST_IDLE_MS");
  if (text == nullptr || *text == '\0') return kWait;
  char* end = nullptr;
  const long ms = std::strtol(text, &end, 10);
  if (*end != '\0' || ms < 1 || ms > kLongestTestWait) return kWait;
  return std::chrono::milliseconds(ms);
}

AutoCopy::AutoCopy(const std::string& pageName) {
  const std::string absolute = absolutePath(pageName);
  if (!absolute.empty()) name_ = autoCopyName(absolute);
}

AutoCopy::~AutoCopy() {
  if (lockFd_ >= 0) ::close(lockFd_);
}

bool AutoCopy::begin() {
  if (name_.empty() || lockFd_ >= 0) return active_;
  folder_ = stateFolder();
  if (folder_.empty()) return false;
  copyPath_ = folder_ + "/" + name_ + ".autosave.tree";
  const std::string lockPath = folder_ + "/" + name_ + ".autosave.lock";
  // Close-on-exec: a program started from the session (xdg-open, a
  // browser it starts) must not hold the lock after the session is gone.
  lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (lockFd_ < 0) return false;
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    ::close(lockFd_);
    lockFd_ = -1;
    return false;
  }
  active_ = true;
  return true;
}

std::optional<AutoCopy::Kept> AutoCopy::keepLeftover() {
  if (!active_) return std::nullopt;
  struct stat info;
  if (::lstat(copyPath_.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  Kept kept{copyPath_, info.st_mtime};
  // A hard link never replaces a file; the copy's own name goes after.
  for (int n = 1; n <= kMostKeptPerSecond; ++n) {
    const std::string path = keptName(folder_, name_, info.st_mtime, n);
    if (::link(copyPath_.c_str(), path.c_str()) == 0) {
      ::unlink(copyPath_.c_str());
      kept.path = path;
      return kept;
    }
    if (errno != EEXIST) break;
  }
  active_ = false;
  return kept;
}

bool AutoCopy::writeCopy(const Ravelink& tree) const {
  try {
    // The folder is the user's own (0700) and the file is made for the
    // owner only: a tree may hold private links.
    SafeReplace file(copyPath_.c_str());
    if (!file.openPrivate()) return false;
    writeTreeFile(tree, file.stream());
    return file.commit();
  } catch (...) {
    return false;  // a stop signal or a failed write: the copy stays as it was
  }
}

bool AutoCopy::writerRunning() {
  if (writer_ <= 0) return false;
  int status;
  const pid_t done = ::waitpid(writer_, &status, WNOHANG);
  if (done == 0) return true;
  writer_ = -1;  // ended (or reaped by nobody else: it is gone either way)
  return false;
}

void AutoCopy::waitForWriter() {
  if (writer_ <= 0) return;
  int status;
  while (::waitpid(writer_, &status, 0) < 0 && errno == EINTR) {
  }
  writer_ = -1;
}

void AutoCopy::writeIfChanged(const Ravelink& tree, const EditHistory& history) {
  if (!active_ || !history.changed() || writtenVersion_ == history.version()) return;
  // One writer at a time: an older one finishing last would leave an older
  // tree. The next pause tries again.
  if (writerRunning()) return;
  writtenVersion_ = history.version();
  written_ = true;
  // A million nodes take a second or more to write and sync: a child process
  // writes the tree as it is now (fork copies it lazily), and the prompt
  // answers the next key at once.
  const pid_t child = ::fork();
  if (child == 0) {
    // The lock stays the session's alone, so that it goes with the session.
    // _exit: the parent's buffers (the prompt held for the terminal) and
    // exit handlers are not the child's to run.
    ::close(lockFd_);
    ::_exit(writeCopy(tree) ? 0 : 1);
  }
  if (child < 0) {
    writeCopy(tree);
    return;
  }
  writer_ = child;
}

void AutoCopy::removeIfSaved(const EditHistory& history) {
  if (written_ && !history.changed()) remove();
}

void AutoCopy::remove() {
  if (!active_) return;
  // A writer still at work would put the copy back after it is removed.
  waitForWriter();
  if (written_) ::unlink(copyPath_.c_str());
  written_ = false;
  writtenVersion_.reset();
}
