#ifndef RAVELINK_VIEW_TREE_VIEW_H_
#define RAVELINK_VIEW_TREE_VIEW_H_

// The full-screen view of the tree, without the terminal: which nodes are
// shown, which one is highlighted, which part of the list is on screen, and
// the text of every screen line. view_screen.cpp draws these lines with
// ncurses and turns keys into the moves below; the tests drive it directly.
//
// The shown list is the tree in pre-order with the children of folded nodes
// left out. It is never built: the view keeps the node on the top screen
// line and steps from node to node (nextInPreorder / previousInPreorder
// with the folded set), so opening the view and any move cost what is on
// screen, not the size of the tree. The tree must not change while a view
// of it exists.

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "tree/ravelink.h"

class TreeView {
 public:
  enum class Move { kUp, kDown, kPageUp, kPageDown, kHome, kEnd, kRight, kLeft };

  /// A view of `tree` in a window of `rows` tree lines (the status line
  /// apart) and `columns` columns, at least 1 each. The root, its children
  /// and its grandchildren are shown, everything deeper folded, except that
  /// the ancestors of the current node are open; the current node is
  /// highlighted.
  TreeView(const Ravelink& tree, int rows, int columns);

  /// The window changed size; the highlighted node stays on screen.
  void resize(int rows, int columns);

  /// Up/Down: the shown node before/after; PageUp/PageDown: a screen less
  /// one line; Home/End: the first/last shown node. Right opens a folded
  /// node with children, or on an open one goes to its first child. Left
  /// folds an open node with children, or else goes to the parent. A move
  /// that cannot be made does nothing.
  void move(Move move);

  /// Highlights findAfter(highlighted, needle) (see Ravelink::findAfter),
  /// opening its ancestors. An empty `needle` repeats the last search of
  /// this view, or before the first one the last search of the find
  /// command. Returns false, changing nothing, when nothing matches.
  bool search(const char* needle);

  const RavelinkChild* highlighted() const { return highlight_; }
  bool isFolded(const RavelinkChild* node) const { return !showsChildren(node); }

  /// The tree lines of the screen, top to bottom: `rows` lines, empty after
  /// the last node, each as UTF-8 of at most `columns` columns. A line is
  /// drawn as by `list`: branches by depth, the text, "*" behind the current
  /// node, and " [+N]" behind a folded node with N children. A line too deep
  /// for the window shows "<" and the deepest part of its branches.
  std::vector<std::string> screenLines() const;
  /// The line of screenLines() that is highlighted.
  int highlightedRow() const { return row_; }
  /// The status line: the highlighted node's href at the left and the keys
  /// at the right, or `message` in place of the keys; at most `columns`
  /// less one columns (the last is left empty).
  std::string statusLine(const std::string& message) const;

 private:
  bool showsChildren(const RavelinkChild* node) const;
  const RavelinkChild* shownAfter(const RavelinkChild* node) const;
  const RavelinkChild* shownBefore(const RavelinkChild* node) const;
  void stepDown();
  void stepUp();
  /// Highlights `node`, which must be shown: where it is if it is on
  /// screen, else a third of the way down the screen.
  void jumpTo(const RavelinkChild* node);
  /// Moves the top line up while there is room below the last node, so a
  /// screen is full whenever the list is long enough.
  void fillScreen();

  const Ravelink& tree_;
  int rows_;
  int columns_;
  const RavelinkChild* top_;        // the node on the top screen line
  const RavelinkChild* highlight_;  // the highlighted node
  int row_ = 0;                     // its screen line: 0 <= row_ < rows_
  std::unordered_set<const RavelinkChild*> opened_;
  std::unordered_set<const RavelinkChild*> folded_;
  std::string lastSearch_;
};

/// The number of terminal columns `text` (UTF-8) takes. Bytes that are no
/// well-formed UTF-8, and control characters, take one column each (they
/// are shown as "?"); East Asian wide characters take two.
int displayColumns(const std::string& text);

#endif  // RAVELINK_VIEW_TREE_VIEW_H_
