#ifndef RAVELINK_DRIVER_RESCUE_FILE_H_
#define RAVELINK_DRIVER_RESCUE_FILE_H_

// Where the tree goes when a signal ends the run: a new file, never one
// that replaces another (a second stopped run must not overwrite the first
// one's rescue), in the first place that takes it.

#include <string>
#include <vector>

#include "tree/ravelink.h"

/// The program's own folder for state kept between runs:
/// $XDG_STATE_HOME/ravelink when XDG_STATE_HOME is an absolute path, else
/// $HOME/.local/state/ravelink. Made when missing, the last folder with
/// mode 0700. Empty when there is no such folder and it cannot be made.
std::string stateFolder();

/// The name of the n-th rescue file (n from 1) of the page file `base`:
/// "BASE.rescue.tree", then "BASE.rescue.2.tree", "BASE.rescue.3.tree", ...
std::string rescueName(const std::string& base, int n);

/// Writes `tree` in the marker format to a new rescue file of the page
/// `pageName` and returns its name, or "" when no place took it. The
/// places, in order: beside the page; the state folder; $TMPDIR (or /tmp).
/// In the last two the file is named after the page file alone, and only
/// its owner may read it. In each place the first free rescueName() is
/// taken.
std::string writeRescueFile(const Ravelink& tree, const std::string& pageName);

/// The rescue files of the page `pageName` that are there now, in the
/// places writeRescueFile() uses and in their order, each place from n = 1
/// on; in the state folder and $TMPDIR only files of this user. Those two
/// places name a file after the page file alone, so a page of that name in
/// another folder shares them.
std::vector<std::string> rescueFilesOf(const std::string& pageName);

#endif  // RAVELINK_DRIVER_RESCUE_FILE_H_
