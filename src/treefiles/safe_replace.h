#ifndef RAVELINK_TREEFILES_SAFE_REPLACE_H_
#define RAVELINK_TREEFILES_SAFE_REPLACE_H_

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "base/fd_streambuf.h"

/// Writes a file by way of a temporary file in the same folder, so that the
/// file named ends up either wholly replaced or exactly as it was: a full
/// disk, a file-size limit or a crash halfway never leaves it cut short.
///
///   SafeReplace file("tree.txt");
///   if (!file.open()) ...;          // cannot be created there
///   file.stream() << ...;
///   if (!file.commit()) ...;        // a write failed; tree.txt untouched
///
/// The temporary file is named ".ravelink-" and six random characters.
class SafeReplace {
 public:
  explicit SafeReplace(const char* target);
  /// Removes the temporary file unless commit() succeeded.
  ~SafeReplace();
  SafeReplace(const SafeReplace&) = delete;
  SafeReplace& operator=(const SafeReplace&) = delete;

  /// Creates the temporary file beside the target. False when the target
  /// cannot be written there: an empty name, a missing folder, a folder or
  /// other non-regular file by that name, no permission, a loop of symbolic
  /// links. A symbolic link is followed, so the file it leads to is the one
  /// replaced (or made, for a dangling link) and the link stays.
  bool open();
  /// As open(), for a new file that only its owner may read, to be named
  /// with linkAsNew(), or put in place with commit() in a folder only its
  /// owner reaches: the temporary file gets mode 0600, only the target's
  /// folder counts, and a file by the target's name is neither looked at
  /// nor followed (commit() replaces it, a symbolic link included).
  bool openPrivate();
  /// Where the contents go. REQUIRES: open() succeeded.
  std::ostream& stream() { return stream_; }
  /// Flushes and syncs the temporary file and renames it over the target,
  /// which gets the permissions, and as far as the process may set them the
  /// owner and group, of the file it replaces (a new file those of a file
  /// created normally); then syncs the folder. False, with the temporary
  /// file removed and the target untouched, when any write, the sync of the
  /// file or the rename failed. Another hard link to the old file keeps the
  /// old contents.
  bool commit();

  /// The same in two steps, for files replaced together (the page and its
  /// frameset page): finish() each, and only when all are written replace()
  /// one after the other. finish() flushes and closes the temporary file,
  /// syncing it first when `sync` (a file made again at every run needs no
  /// sync); replace() renames it over the target. Either returns false, with
  /// the temporary file removed and the target untouched, when it failed.
  /// REQUIRES: finish() after open(), replace() after a finish() that succeeded.
  bool finish(bool sync);
  bool replace();
  /// After a finish() that succeeded: gives the finished file the name
  /// `name` (in the same file system) only when no file has that name yet;
  /// nothing is ever replaced. False when it did not (errno EEXIST: the
  /// name is taken); the temporary file then stays, for another name.
  bool linkAsNew(const std::string& name);

 private:
  void discard();
  bool openWithMode(bool ownerOnly);

  std::string target_;
  std::string temp_;
  int fd_ = -1;
  FdStreamBuf buffer_;
  std::ostream stream_;
};

/// Writes the file `name` with `write` through SafeReplace. Throws
/// {"treeSave", "error opening file"} when the file cannot be created there
/// and {"treeSave", "error writing file"} when writing failed; the previous
/// file, if any, is then unchanged.
void writeFileSafely(const char* name, const std::function<void(std::ostream&)>& write);

#endif  // RAVELINK_TREEFILES_SAFE_REPLACE_H_
