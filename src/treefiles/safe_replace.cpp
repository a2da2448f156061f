#include "treefiles/safe_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "tree/my_exception.h"

namespace {

// The permissions a file created with open(..., 0666) would get.
mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Follows `target` through symbolic links, relative ones from the folder of
// the link, to the name of the file they lead to, which need not exist yet
// (a save through a dangling link makes it). False for a loop of links.
bool followLinks(std::string& target) {
  constexpr int kMostLinks = 40;  // as the system allows in one path
  for (int hops = 0; hops < kMostLinks; ++hops) {
    struct stat info;
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
    std::string next(static_cast<std::size_t>(info.st_size) + 1, '\0');
    ssize_t length = ::readlink(target.c_str(), next.data(), next.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= next.size()) return false;
    next.resize(static_cast<std::size_t>(length));
    std::string::size_type slash = target.rfind('/');
    if (next[0] != '/' && slash != std::string::npos) next.insert(0, target, 0, slash + 1);
    target = next;
  }
  return false;
}

// Gives the new file `fd` the owner and group of the file it replaces, as
// far as the process may: root keeps both, a member of the old group keeps
// the group. Before the permissions are set, which a change of owner may
// clear.
void keepOwner(int fd, const struct stat& old) {
  if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return;
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);  // EPERM: kept as made
  }
}

// The folder part of `name`, "." for none.
std::string folderOf(const std::string& name) {
  std::string::size_type slash = name.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : name.substr(0, slash);
}

// Writes the folder's entries to the disk, so the rename survives a crash.
// Best effort: some file systems cannot sync a folder, and the file is
// replaced by then.
void syncFolder(const std::string& name) {
  int fd = ::open(folderOf(name).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

SafeReplace::SafeReplace(const char* target) : target_(target), stream_(&buffer_) {}

SafeReplace::~SafeReplace() { discard(); }

bool SafeReplace::open() { return openWithMode(false); }
bool SafeReplace::openPrivate() { return openWithMode(true); }

bool SafeReplace::openWithMode(bool ownerOnly) {
  // A private file is made to be named by linkAsNew: only the target's
  // folder counts, and whatever has the target's name stays untouched.
  if (target_.empty() || (!ownerOnly && !followLinks(target_))) return false;
  mode_t mode = ownerOnly ? 0600 : newFileMode();
  struct stat info;
  const bool replacing = !ownerOnly && ::stat(target_.c_str(), &info) == 0;
  if (replacing) {
    if (!S_ISREG(info.st_mode) || ::access(target_.c_str(), W_OK) != 0) return false;
    mode = info.st_mode & 07777;
  }
  std::string::size_type slash = target_.rfind('/');
  std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
  temp_ = folder + ".ravelink-XXXXXX";
  fd_ = ::mkstemp(temp_.data());
  if (fd_ < 0) {
    temp_.clear();
    return false;
  }
  if (replacing) keepOwner(fd_, info);
  if (::fchmod(fd_, mode) != 0) {
    discard();
    return false;
  }
  buffer_.attachForWriting(fd_);
  return true;
}

bool SafeReplace::commit() {
  stream_.flush();
  bool ok = stream_.good() && !buffer_.failed() && ::fsync(fd_) == 0;
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (ok && std::rename(temp_.c_str(), target_.c_str()) == 0) {
    temp_.clear();
    syncFolder(target_);
    return true;
  }
  discard();
  return false;
}

bool SafeReplace::finish(bool sync) {
  stream_.flush();
  bool ok = stream_.good() && !buffer_.failed() && (!sync || ::fsync(fd_) == 0);
  ok = ::close(fd_) == 0 && ok;
  fd_ = -1;
  if (!ok) discard();
  return ok;
}

bool SafeReplace::replace() {
  if (fd_ < 0 && !temp_.empty() && std::rename(temp_.c_str(), target_.c_str()) == 0) {
    temp_.clear();
    return true;
  }
  discard();
  return false;
}

bool SafeReplace::linkAsNew(const std::string& name) {
  if (fd_ >= 0 || temp_.empty()) return false;
  if (::link(temp_.c_str(), name.c_str()) != 0) return false;
  ::unlink(temp_.c_str());
  temp_.clear();
  syncFolder(name);
  return true;
}

void SafeReplace::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

void writeFileSafely(const char* name, const std::function<void(std::ostream&)>& write) {
  SafeReplace file(name);
  if (!file.open()) throw myException(Fault::kSaveOpen);
  write(file.stream());
  if (!file.commit()) throw myException(Fault::kSaveWrite);
}
