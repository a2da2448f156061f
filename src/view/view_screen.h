#ifndef RAVELINK_VIEW_VIEW_SCREEN_H_
#define RAVELINK_VIEW_VIEW_SCREEN_H_

#include "tree/ravelink.h"

/// Whether this build has the full-screen view: it needs ncurses.
#ifdef RAVELINK_HAVE_NCURSES
inline constexpr bool kHaveFullScreenView = true;
#else
inline constexpr bool kHaveFullScreenView = false;
#endif

/// Shows `tree` on the whole terminal until the user leaves (see TreeView
/// for what is shown and the moves). Returns the node highlighted when the
/// user pressed Enter, or nullptr after q, Escape or Ctrl-C. The terminal
/// is given back as it was in every case, an exception included.
/// Throws {"view", "needs a terminal, 20x4 or more"}, without touching the
/// screen, when the terminal has no cursor addressing or is smaller than 20
/// columns by 4 lines. Whether the session is at a terminal at all is the
/// caller's to ask (the console knows).
/// REQUIRES: a build with the view (kHaveFullScreenView).
const RavelinkChild* runFullScreenView(const Ravelink& tree);

#endif  // RAVELINK_VIEW_VIEW_SCREEN_H_
