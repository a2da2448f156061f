#ifndef RAVELINK_TREE_RAVELINK_H_
#define RAVELINK_TREE_RAVELINK_H_

#include <functional>
#include <iosfwd>
#include <string>

#include "tree/my_exception.h"
#include "tree/ravelink_child.h"
#include "tree/text_field.h"

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

/// The tree context: the link tree, the cursor, the active-node stack, the
/// clipboard, the two working places and the page settings.
///
/// The cursor: `current` is never empty and is always a node of the tree.
/// Every editing operation acts on it. An operation that throws myException
/// has changed nothing, unless its comment says otherwise.
///
/// The stack, the clipboard and the working places hold NodeRefs, which are
/// not cleared when their nodes are deleted; they are looked up in the tree
/// with containsNode() before use.
///
/// Whole-tree walks (the listing, the tree files, the page) use TreeWalk
/// (tree/tree_walk.h) on getRoot() and never move the cursor.
class Ravelink {
 public:
  static constexpr int kStackSize = 32;
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

  void gotoRoot() { current = root; }
  bool hasNext() const { return current->getNextSibling() != nullptr; }
  bool hasPrevious() const { return current->getPrevSibling() != nullptr; }
  bool hasChild() const { return current->getFirstChild() != nullptr; }
  bool isRoot() const { return current->getParent() == nullptr; }
  const char* getCurrentText() const { return current->getText(); }
  const char* getCurrentHref() const { return current->getHref(); }
  /// Store into the current node as given: no href prefix or suffix.
  void setCurrentText(const char* text) { current->setText(text); }
  void setCurrentHref(const char* href) { current->setHref(href); }

  const RavelinkChild* getRoot() const { return root; }
  const RavelinkChild* getCurrent() const { return current; }

  /// True when `node` is the current node or lies anywhere below it. A stale
  /// reference is told in constant time and never followed; a live one
  /// climbs from its node towards the root (cost: its depth).
  bool containsNode(NodeRef node) const;

  // ---- Settings (texts cut to their fields: 127 bytes, the style 319) ----

  const PageSettings& settings() const { return settings_; }
  void setHrefPrefix(const char* text) { settings_.hrefPrefix.set(text); }
  const char* getHrefPrefix() const { return settings_.hrefPrefix.get(); }
  void setHrefSuffix(const char* text) { settings_.hrefSuffix.set(text); }
  const char* getHrefSuffix() const { return settings_.hrefSuffix.get(); }
  void setBaseUrl(const char* text) { settings_.baseUrl.set(text); }
  const char* getBaseUrl() const { return settings_.baseUrl.get(); }
  void setBaseTarget(const char* text) { settings_.baseTarget.set(text); }
  const char* getBaseTarget() const { return settings_.baseTarget.get(); }
  void setStyleTable(const char* text) { settings_.styleTable.set(text); }
  const char* getStyleTable() const { return settings_.styleTable.get(); }
  void setUsingPara(bool on) { settings_.usingPara = on; }
  bool getUsingPara() const { return settings_.usingPara; }

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
  void linkAsLastChildOfCurrent(RavelinkChild* detached) { current->linkAsLastChild(detached); }
  /// Inserts a node right after current and makes it current. Throws
  /// {"addTreeNode", "root node has no brother"} at the root.
  void addAsNext(const char* text, const char* href);
  /// Inserts a node right before current and makes it current; the same failure.
  void addAsPrevious(const char* text, const char* href);
  /// Deletes current with its subtree. Current becomes the next sibling,
  /// else the previous sibling, else the parent. Throws
  /// {"deleteTreeNode", "cannot delete the root node"} at the root.
  void deleteTreeNode();
  void deleteOnlyChildOfCurrent();
  void deleteNextOfCurrent();
  void deleteFirstSiblingOfCurrent();
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
  /// Whether the top entry is current. Throws
  /// {"checkActiveNode", "active node stack empty"}.
  bool checkActiveNode() const;
  void clearActiveStack() { activeCount = 0; }
  int getActiveCount() const { return activeCount; }
  /// The whole-tree commands that once kept the user's place on the stack
  /// (list, save, savevcl, the page at quit) still refuse with a full stack.
  bool isStackFull() const { return activeCount == kStackSize; }
  void copyCurrent() { clipboard = NodeRef(current); }
  bool hasClipboard() const { return !clipboard.empty(); }
  /// Tests that the clipboard can be pasted at current; changes nothing when
  /// it can. Throws under "treePaste", in this order: "clipboard is empty",
  /// "stack is full", "the node to paste is invalid" (the clipboard is then
  /// emptied), "cannot paste parent to child".
  void treePaste();
  /// Insert a deep copy of the clipboard node before / after current; the copy
  /// becomes current. Throw as treePaste, then {"addTreeNode", "root node has
  /// no brother"} at the root, changing nothing.
  void pasteBefore();
  void pasteAfter();
  /// Appends a deep copy of the clipboard node as the last child of current;
  /// current stays. Pasting a node into itself copies it once.
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
  /// The find command: makes findAfter(current, needle) current and
  /// remembers `needle` as the last search. An empty `needle` repeats the
  /// last search from the new current node. Throws {"find", "not found"}
  /// when nothing matches or there has been no search yet, changing nothing
  /// (the last search included).
  void findNext(const char* needle);
  /// The text of the last search that found a node; empty before the
  /// first. Kept by clearTree and load: it belongs to the user, not to the tree.
  const char* getLastSearch() const { return lastSearch_.get(); }
  /// The texts from the root down to `node`, joined by " > " (find and
  /// check print it). Linear in the depth of `node`.
  static std::string pathTo(const RavelinkChild* node);
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
  /// The node a stored reference names, or nullptr when it is gone; constant
  /// time. References are made from this tree's nodes, and a live node is
  /// always in the tree (only a paste's copy is briefly detached).
  RavelinkChild* findInTree(NodeRef ref) const;
  void composeHref(const char* href, char* out) const;
  /// The checks of treePaste; returns the clipboard node to copy.
  RavelinkChild* pasteSource();
  /// True when `top` is a proper ancestor of `node`.
  static bool isBelow(const RavelinkChild* node, const RavelinkChild* top);
  /// treeGotoWorkPlc with the follow-up comparing place `firstIndex` (0 or 1)
  /// before the other one.
  void gotoWorkPlace(int k, int firstIndex);
  /// A new detached node holding `text` and the composed `href`.
  RavelinkChild* newNode(const char* text, const char* href) const;

  RavelinkChild* root;
  RavelinkChild* current;
  NodeRef activeStack[kStackSize];
  int activeCount = 0;
  NodeRef clipboard;
  NodeRef workPlace[2];
  NodeRef workPoint[2];
  PageSettings settings_;
  TextField<RavelinkChild::kHrefSize> lastSearch_;
};

#endif  // RAVELINK_TREE_RAVELINK_H_
