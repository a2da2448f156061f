#ifndef RAVELINK_INTERCHANGE_IMPORTED_TREE_H_
#define RAVELINK_INTERCHANGE_IMPORTED_TREE_H_

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "interchange/import_report.h"
#include "interchange/import_text.h"
#include "tree/ravelink.h"

/// The nodes an import builds, detached from the user's tree until the whole
/// file has been read: a failed import links nothing and changes nothing.
/// Items are appended below the top of a folder stack (no recursion). No
/// folder is made below kMaxImportedFolderLevel: what a deeper folder holds
/// goes, in file order, into the deepest folder made, and the report counts
/// it. Every reader shares these rules: every text and href passes the
/// rules of import_text.h here, and every loss is counted in the report.
class ImportedTree {
 public:
  explicit ImportedTree(ImportReport& report);
  /// Destroys whatever was not linked into a tree.
  ~ImportedTree();
  ImportedTree(const ImportedTree&) = delete;
  ImportedTree& operator=(const ImportedTree&) = delete;

  /// Appends a folder named by the text gathered in `text` below the top
  /// and returns it; it does not become the top (see open()). Below the
  /// deepest level it makes none (counted) and returns nullptr.
  RavelinkChild* addFolder(TextCollector& text);
  /// Appends a link below the top and returns it, or skips it (counted and,
  /// for a script, data, too long or missing href, listed) and returns
  /// nullptr. Without a title the link is named after its host. An href
  /// too long for a link is kept whole when it fits without its tracking
  /// parameters (counted), and skipped otherwise.
  RavelinkChild* addLink(std::string_view href, TextCollector& text);
  /// A link marked as its folder's own href: sets the href of the top
  /// folder when that folder was just opened and is still empty; at the top
  /// level, before any other item, it is kept as the root's link (see
  /// linkInto()); anywhere else it is an ordinary link.
  void addFolderLink(std::string_view href, TextCollector& text);

  /// Takes `folder` (made by addFolder, no longer open) out again, uncounted,
  /// when it holds nothing and has no href; nothing for nullptr.
  void dropIfEmpty(RavelinkChild* folder);

  /// Makes `folder` (a node of this import) the top: items go below it.
  /// When it is nullptr (no folder was made), or a node below the deepest
  /// level (a link with items of its own: counted), the top is opened
  /// again instead, as by openTopAgain().
  void open(RavelinkChild* folder);
  /// Opens the top again: a list without a heading keeps its items where
  /// they are, and its close() comes back here.
  void openTopAgain();
  /// Returns to the top before the last open(); nothing at the top level.
  void close();
  /// The number of opens not closed yet.
  std::size_t depth() const { return stack_.size() - 1; }
  /// The level of the top: 0 at the top level, 1 in a top-level folder.
  std::size_t level() const { return stack_.back().level; }

  /// The file's title (cut to a text), for the root of an empty tree.
  void setTitle(TextCollector& text);
  bool hasTitle() const { return !title_.empty(); }

  /// Merges the top-level items, in order, into the tree's current node
  /// (see import_merge.h: what is there already is not added again);
  /// current stays. When the tree is empty (the root has no children and
  /// no text), the root first takes the title and, if the file began with a
  /// root's link, its href. Owns nothing afterwards.
  void linkInto(Ravelink& tree);

 private:
  /// The folders from the top level down to the top, for the report; only
  /// the last levels of a very deep path.
  std::string folderPath() const;
  /// The href cleaned and judged; empty when the link is skipped (counted
  /// and listed in the report as it is).
  std::string acceptHref(std::string_view raw, std::string_view text, bool& controls);
  RavelinkChild* top() const { return stack_.back().folder; }

  struct Open {
    RavelinkChild* folder;
    std::size_t level;  // of the folder; a list opened again repeats it
  };

  ImportReport& report_;
  RavelinkChild* holder_;    // detached; its children are the top level
  std::vector<Open> stack_;  // holder_ first
  RavelinkChild* rootLink_ = nullptr;
  std::string title_;
  std::unordered_set<const RavelinkChild*> madeFolders_;  // counted as folders
};

/// One reading of a file: the tree built and the report of it.
struct ImportRun {
  ImportReport report;
  ImportedTree tree{report};
};

#endif  // RAVELINK_INTERCHANGE_IMPORTED_TREE_H_
