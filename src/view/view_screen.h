#ifndef RAVELINK_VIEW_VIEW_SCREEN_H_
#define RAVELINK_VIEW_VIEW_SCREEN_H_

#include "tree/ravelink.h"

/// Whether this build has the full-screen view (it needs ncurses).
bool haveFullScreenView();

/// Shows `tree` on the whole terminal until the user leaves (see TreeView
/// for what is shown and the moves). Returns the node highlighted when the
/// user pressed Enter, or nullptr after q, Escape or Ctrl-C. The terminal
/// is given back as it was in every case, an exception included.
/// Throws {"view", "needs a terminal, 20x4 or more"}, without touching the
/// screen, when standard input or output is no terminal, the terminal has
/// no cursor addressing or is smaller than 20 columns by 4 lines.
/// REQUIRES: a build with the view (haveFullScreenView()).
const RavelinkChild* runFullScreenView(const Ravelink& tree);

#endif  // RAVELINK_VIEW_VIEW_SCREEN_H_
