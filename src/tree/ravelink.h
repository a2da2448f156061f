#ifndef RAVELINK_TREE_RAVELINK_H_
#define RAVELINK_TREE_RAVELINK_H_

#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "tree/my_exception.h"
#include "tree/ravelink_child.h"
#include "tree/text_field.h"

class EditHistory;

/// The settings of the published page, set by the settings commands and
/// reset by clearing the tree. Texts are cut to their fields.
struct PageSettings {
  static constexpr int kSettingSize = 128;  // prefix, suffix, base URL, base target
  static constexpr int kStyleSize = 320;    // style table
  using Setting = TextField<kSettingSize>;

  Setting hrefPrefix;
  Setting hrefSuffix;
  Setting baseUrl;
  Setting baseTarget{"_blank"};
  TextField<kStyleSize> styleTable;
  bool usingPara = true;
};

/// The references the context keeps to nodes: the active-node stack, the
/// clipboard and the two working places (a place and its point each). They
/// own nothing and are not cleared when their nodes are deleted; each is
/// looked up (NodeRef::live) before it is followed.
struct NodeReferences {
  static constexpr int kStackSize = 32;

  NodeRef activeStack[kStackSize];
  int activeCount = 0;
  NodeRef clipboard;
  NodeRef workPlace[2];
  NodeRef workPoint[2];
};

/// The tree context: the link tree, the cursor, the node references and the
/// page settings.
///
/// The cursor: the current node is never empty and is always a node of the
/// tree. Every editing operation acts on it. An operation that throws
/// myException has changed nothing, unless its comment says otherwise.
///
/// Whole-tree walks (the listing, the tree files, the page) use TreeWalk
/// (tree/tree_walk.h) on getRoot() and never move the cursor. Queries that
/// only tests and checks need (containsNode, checkActiveNode) are free
/// functions in tree/tree_check.h.
///
/// Private data members end in an underscore, as in RavelinkChild.
///
/// An EditHistory (tree/edit_history.h) attached to the tree is told of
/// every change to the nodes, and takes the nodes a delete or a clear
/// removes instead of their being destroyed; it reaches the context's
/// members itself to undo and redo.
class Ravelink {
 public:
  static constexpr int kStackSize = NodeReferences::kStackSize;
  static constexpr int kSettingSize = PageSettings::kSettingSize;
  static constexpr int kStyleSize = PageSettings::kStyleSize;

  Ravelink();
  /// Deletes every node, without recursion; see leaveNodesToProcessExit().
  ~Ravelink();
  Ravelink(const Ravelink&) = delete;
  Ravelink& operator=(const Ravelink&) = delete;

  /// From this call on, a tree that is destroyed leaves its nodes to the end
  /// of the process instead of deleting them one by one. For the program's
  /// one tree, whose destruction is the last thing a run does: deleting a
  /// million nodes would take a tenth of a second that buys nothing. Builds
  /// with AddressSanitizer still delete them, so a leak elsewhere shows.
  static void leaveNodesToProcessExit();

  // ---- The cursor ----

  void gotoRoot() { current_ = root_; }
  bool isRoot() const { return current_->getParent() == nullptr; }
  /// Store into the current node as given: no href prefix or suffix.
  void setCurrentText(const char* text);
  void setCurrentHref(const char* href);

  const RavelinkChild* getRoot() const { return root_; }
  const RavelinkChild* getCurrent() const { return current_; }
  const NodeReferences& references() const { return refs_; }

  // ---- Settings: the page settings, texts cut to their fields ----

  const PageSettings& settings() const { return settings_; }
  PageSettings& settings() { return settings_; }

  // ---- Browsing: throw {"treeBrowse", "no ... node"} when the link is empty ----

  void browseNext();
  void browsePrevious();
  void browseFirstChild();
  void browseParent();

  // ---- Editing ----
  // A non-empty href given to an add becomes prefix + href + suffix (cut to
  // 127 bytes); an empty href stays empty.

  /// Appends a node after the current node's last child; current stays.
  void addAsChild(const char* text, const char* href);
  /// Links the detached node `detached`, with its subtree, as the last child
  /// of current and takes ownership of it; current stays. Cannot fail.
  void linkAsLastChildOfCurrent(RavelinkChild* detached);
  /// Inserts a node right after current and makes it current. Throws
  /// {"addTreeNode", "root node has no brother"} at the root.
  void addAsNext(const char* text, const char* href);
  /// Inserts a node right before current and makes it current; the same failure.
  void addAsPrevious(const char* text, const char* href);
  /// addAsChild and addAsNext for the loaders: texts of known length that
  /// hold no NUL byte, and the same nodes, without measuring them again.
  void addLoadedChild(std::string_view text, std::string_view href);
  void addLoadedNext(std::string_view text, std::string_view href);
  /// Deletes current with its subtree. Current becomes the next sibling,
  /// else the previous sibling, else the parent. Throws
  /// {"deleteTreeNode", "cannot delete the root node"} at the root.
  void deleteTreeNode();
  /// Puts the children of current in the order of `order`, which holds
  /// each of them once; current stays. Linear in their number.
  void reorderChildren(const std::vector<const RavelinkChild*>& order);
  /// Deletes every node but the root, empties the root's text and href, the
  /// stack and the clipboard, empties prefix, suffix, base URL, base target
  /// and style table, and turns paragraphs on. The working places stay.
  /// The root becomes current.
  void clearTree();

  // ---- Active-node stack and clipboard ----

  /// Puts current on the stack. Throws {"pushActiveNode", "stack is full"}.
  void pushActiveNode();
  /// Takes the top entry off and makes it current; when it is no longer in
  /// the tree, the root becomes current (no error). Throws
  /// {"popActiveNode", "stack is empty"}.
  void popActiveNode();
  /// The whole-tree commands that once kept the user's place on the stack
  /// (list, save, savevcl, the page at quit) still refuse with a full stack.
  bool isStackFull() const { return refs_.activeCount == kStackSize; }
  void copyCurrent() { refs_.clipboard = NodeRef(current_); }
  /// Insert a deep copy of the clipboard node before / after current; the
  /// copy becomes current. Throw under "treePaste", in this order,
  /// "clipboard is empty", "stack is full", "the node to paste is invalid"
  /// (the clipboard is then emptied), "cannot paste parent to child"; then
  /// {"addTreeNode", "root node has no brother"} at the root, changing nothing.
  void pasteBefore();
  void pasteAfter();
  /// Appends a deep copy of the clipboard node as the last child of current;
  /// current stays. The same failures under "treePaste". Pasting a node into
  /// itself copies it once.
  void pasteAsChild();

  // ---- Working places (k is 1 or 2) ----

  /// Remembers the current node as point k and its parent (the root for the
  /// root) as place k.
  void setWorkPlace(int k);
  /// Makes point k current. First the follow-up: when current's parent is
  /// place 1 (else place 2), that point becomes current's node, even if the
  /// goto then fails. Throws {"treeGotoWorkPlc", "Working place not found"}
  /// (place k emptied) or "Working point not found" (point k emptied);
  /// current is then unchanged.
  void treeGotoWorkPlc(int k);
  /// The move12 batch: gotowp1, copy, gotowp2, pasaft, gotowp1, del. The first
  /// step that throws ends it; the steps before it stay done.
  void move12();

  // ---- Searching ----

  /// The first node after `from` in pre-order whose text or href holds
  /// `needle` as a substring, ASCII letters compared without regard to case
  /// and every other byte as it is; the walk wraps round from the last node
  /// to the root, and `from` itself is tried last. nullptr when there is no
  /// such node or `needle` is empty. Linear in the tree; the cursor stays.
  /// REQUIRES: `from` is a node of this tree.
  const RavelinkChild* findAfter(const RavelinkChild* from, const char* needle) const;
  /// The find command: makes findAfter(current, needle) current. A
  /// non-empty `needle` becomes the last search, found or not; an empty one
  /// repeats the last search from the current node. Throws {"find", "not
  /// found"} when nothing matches or there has been no search yet; the
  /// cursor then stays.
  void findNext(const char* needle);
  /// The text of the last search typed; empty before the first. Kept by
  /// clearTree and load: it belongs to the user, not to the tree.
  const char* getLastSearch() const { return lastSearch_.get(); }
  /// The texts from the root down to `node`, joined by " > " (find and
  /// check print it). Linear in the depth of `node`.
  static std::string pathTo(const RavelinkChild* node);
  /// The same, appended to `path`: for many paths in a row (dupes).
  static void appendPathTo(std::string& path, const RavelinkChild* node);
  /// Makes `node` current, for the view's Enter. REQUIRES: `node` is a node
  /// of this tree (checked in builds with assertions).
  void gotoNode(const RavelinkChild* node);

  // ---- Whole-tree views ----

  /// Replaces the tree with the sample tree and sets the base target "frame2".
  /// An error while building is written to `out` and absorbed.
  void buildSample(std::ostream& out);
  /// Draws the tree on `out`, the current node marked "*". After every 24th
  /// line calls `morePause`; false stops the listing. Throws {"showTree",
  /// "active node stack full"} before writing anything when the stack is
  /// full (the listing has always refused then).
  void showTree(std::ostream& out, const std::function<bool()>& morePause) const;

 private:
  friend class EditHistory;

  /// Hands a node just unlinked from under `parent`, after `previous`, to
  /// the history, or destroys it when no history records it.
  void dispose(RavelinkChild* node, RavelinkChild* parent, RavelinkChild* previous);
  /// Tells the history, if any, that `node` was linked into the tree.
  void noteLinked(RavelinkChild* node);

  /// The node a stored reference names, or nullptr when it is gone; constant
  /// time. References are made from this tree's nodes, and a live node is
  /// always in the tree (only a paste's copy is briefly detached).
  RavelinkChild* findInTree(NodeRef ref) const;
  void composeHref(const char* href, char* out) const;
  /// The checks of a paste; returns the clipboard node to copy.
  RavelinkChild* pasteSource();
  /// True when `top` is a proper ancestor of `node`.
  static bool isBelow(const RavelinkChild* node, const RavelinkChild* top);
  /// treeGotoWorkPlc with the follow-up comparing place `firstIndex` (0 or 1)
  /// before the other one.
  void gotoWorkPlace(int k, int firstIndex);
  /// A new detached node holding `text` and the composed `href`.
  RavelinkChild* newNode(const char* text, const char* href) const;
  RavelinkChild* newNode(std::string_view text, std::string_view href) const;

  RavelinkChild* root_;
  RavelinkChild* current_;
  NodeReferences refs_;
  PageSettings settings_;
  TextField<RavelinkChild::kHrefSize> lastSearch_;
  EditHistory* history_ = nullptr;
};

#endif  // RAVELINK_TREE_RAVELINK_H_
