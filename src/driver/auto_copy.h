#ifndef RAVELINK_DRIVER_AUTO_COPY_H_
#define RAVELINK_DRIVER_AUTO_COPY_H_

// The automatic copy of a session at a terminal. While the tree has changes
// that are not saved and the prompt has waited a while for a key, the tree
// is written in the marker format to a file of its own in the state folder
// (stateFolder() in driver/rescue_file.h), one per page, so that a session
// that is killed (SIGKILL, a crash, the machine going down) loses no more
// than the last pause. Beside it:
//
//   NAME.autosave.tree   the copy: the tree only, no page settings
//   NAME.autosave.lock   locked (flock) for the whole life of the session
//                        of the page at a terminal; never removed
//   NAME.kept-YYYYMMDD-HHMMSS.tree
//                        a copy a killed session left, renamed by the next
//                        session of the page (the time is when it was
//                        written, local time; "-2", "-3", ... follow when
//                        that name is taken); never replaced nor removed
//
// NAME is the page's absolute path (symbolic links and "." and ".."
// resolved as far as the path exists) without its leading '/', with each
// '%' written "%25" and each '/' written "%2F": two pages never share a
// NAME, and the page can be read off it. A NAME that would be longer than
// kMaxName bytes is instead 16 hex digits of a hash of the path, '-', and
// the end of the long NAME from a '/' on.
//
// Only the session that holds the lock writes, renames or removes the copy:
// a second session of the page at the same time leaves it to the first.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "tree/edit_history.h"
#include "tree/ravelink.h"

class AutoCopy {
 public:
  /// The longest NAME, in bytes: the kept names must fit the 255 bytes a
  /// file name may have.
  static constexpr std::size_t kMaxName = 200;

  /// The copy of the page `pageName`. Touches nothing yet.
  explicit AutoCopy(const std::string& pageName);
  /// Gives the lock back; the copy stays as it is (a writer still at work
  /// finishes it).
  ~AutoCopy();
  AutoCopy(const AutoCopy&) = delete;
  AutoCopy& operator=(const AutoCopy&) = delete;

  /// Makes the state folder and takes the page's lock, for the life of this
  /// object. False when there is no state folder or another running session
  /// of the page holds the lock; nothing is then ever written, renamed or
  /// removed.
  bool begin();
  /// Whether begin() took the lock and this session writes the copy.
  bool active() const { return active_; }

  /// A copy left by a session that did not end, as keepLeftover() kept it.
  struct Kept {
    std::string path;     // where it is now
    std::time_t written;  // when it was last written
  };
  /// After begin(): when a copy is there, its session is gone (it held the
  /// lock); the copy gets its kept name. When it cannot be renamed it stays
  /// under its own name, and this session writes no copy so as not to
  /// replace it. Nothing when there is no copy or the session is not active.
  std::optional<Kept> keepLeftover();

  /// Writes the tree to the copy when it has changes that are not saved
  /// and the copy does not hold this version of it yet (a failed write is
  /// not tried again before the next change). A child process writes it,
  /// so this returns at once; while one still writes, nothing is started.
  void writeIfChanged(const Ravelink& tree, const EditHistory& history);
  /// Waits until the copy being written, if any, is finished.
  void waitForWriter();
  /// Removes the copy when the tree has no changes any more (it was saved,
  /// or the changes were undone).
  void removeIfSaved(const EditHistory& history);
  /// Removes the copy: the run ended, or its tree went to a rescue file.
  /// Waits first for a writer still at work.
  void remove();

  const std::string& copyPath() const { return copyPath_; }

 private:
  std::string name_;  // NAME, empty when the page has no absolute path
  std::string folder_;
  std::string copyPath_;
  /// Writes the tree to the copy in this process; false when it failed.
  bool writeCopy(const Ravelink& tree) const;
  /// Whether the child process writing the copy is still at work.
  bool writerRunning();

  int lockFd_ = -1;
  pid_t writer_ = -1;  // the child process writing the copy, or -1
  bool active_ = false;
  bool written_ = false;  // the copy on disk is this session's
  std::optional<std::uint64_t> writtenVersion_;
};

/// NAME for a page at the absolute path `absolutePage` (as above).
std::string autoCopyName(const std::string& absolutePage);

/// How long the prompt waits for a key before the copy is written: 5
/// seconds. For tests only, RAVELINK_TEST_IDLE_MS (1 to 600000) sets it in
/// milliseconds.
std::chrono::milliseconds autoCopyWait();

#endif  // RAVELINK_DRIVER_AUTO_COPY_H_
