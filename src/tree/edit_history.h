#ifndef RAVELINK_TREE_EDIT_HISTORY_H_
#define RAVELINK_TREE_EDIT_HISTORY_H_

// Undo and redo. Every command that changes the tree or a setting is one
// step; the history records what each step changed as it happens, so a
// step that fails half-way is undone as far as it went.
//
// Nodes a step removes are not destroyed but parked: kept, detached, with
// their slots held and their generations moved on, so that no stored
// reference names them. Undo links them back where they were and gives
// their generations back, so the active-node stack, the clipboard and the
// working places name them again. Nothing is copied: a zap or a load parks
// the whole tree it replaced. Parking costs no memory beyond what the
// nodes hold already.
//
// The tree reports its changes to the history attached to it (the
// history's constructor attaches it; Ravelink calls the note... methods).
// Settings, the current node and the node references are compared at the
// start and at the end of a step instead.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "tree/ravelink.h"

class EditHistory {
 public:
  /// The bytes the history may hold beyond the tree itself. The newest
  /// step is kept whatever its size.
  static constexpr std::size_t kDefaultLimit = std::size_t{64} << 20;

  /// Attaches the history to `tree` for its life. REQUIRES: the tree has
  /// no history attached and outlives this.
  explicit EditHistory(Ravelink& tree, std::size_t limit = kDefaultLimit);
  /// Detaches it and destroys the parked nodes.
  ~EditHistory();
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  /// From this call on, a history that is destroyed leaves its parked nodes
  /// to the end of the process, as Ravelink::leaveNodesToProcessExit() does
  /// for the tree.
  static void leaveNodesToProcessExit();

  // ---- Steps ----

  /// Before a command that may change the tree: drops the oldest steps
  /// while the history holds more than its limit, so that at most one
  /// replaced tree is held beside the tree, then starts recording a step
  /// named `word` (a string that outlives the history: a command word).
  void beginStep(const char* word);
  /// Ends the step: kept when it changed the tree, a setting or (with one
  /// of those) the references; otherwise forgotten. A kept step clears what
  /// could be redone.
  void endStep();

  /// Reverts the last step not yet undone and returns its word; nullptr
  /// when there is none. The tree, the settings and the current node are
  /// then as before the step, the references too when the step changed them.
  const char* undo();
  /// Applies again the step undone last and returns its word; nullptr when
  /// there is none.
  const char* redo();

  // ---- What the tree reports (Ravelink calls these) ----

  /// `node` (with its subtree) was just linked into the tree.
  void noteLinked(RavelinkChild* node);
  /// `node` (with its subtree) was just unlinked from under `parent`, after
  /// `previous` (nullptr: it was the first child). The history takes it.
  void noteRemoved(RavelinkChild* node, RavelinkChild* parent, RavelinkChild* previous);
  /// `node` was just moved within the tree from under `parent`, after
  /// `previous` (nullptr: it was the first child).
  void noteMoved(RavelinkChild* node, RavelinkChild* parent, RavelinkChild* previous);
  /// The text (or href) of `node` is about to change from `old`.
  void noteText(RavelinkChild* node, const char* old);
  void noteHref(RavelinkChild* node, const char* old);
  /// The tree is about to be cleared: the history takes the root's
  /// children, text and href. False when it does not (outside a step, or a
  /// second clear in one step, whose nodes are the step's own): the caller
  /// then deletes them.
  bool takeTreeBeingCleared();
  /// Whether the tree's changes are being recorded now: inside a step and
  /// not after a clear (then the end of the step takes the whole tree).
  bool recording() const { return recording_; }

  // ---- Saved or not ----

  /// Whether the tree differs from the last point marked saved (the start,
  /// a save, a load): undo and redo move away from it and back.
  bool changed() const { return savedAt_ != position(); }
  /// The tree as it is now is saved (or was loaded) where the user chose.
  /// Inside a step (a load), it counts for the tree as the step leaves it.
  void markSaved();
  /// The tree as it is now is saved nowhere the user chose (it came from an
  /// automatic copy or a rescue file).
  void markUnsaved();
  /// Moves on with every step kept, every undo and every redo: what was
  /// written at one value needs no writing again at the same value.
  std::uint64_t version() const { return version_; }

  /// What the history holds now, in bytes, beyond the tree: for tests and
  /// the benchmarks.
  std::size_t bytes() const { return bytes_; }
  std::size_t stepCount() const;
  std::size_t redoCount() const;

 private:
  struct Edit;
  struct Step;

  static constexpr std::uint64_t kNowhere = ~std::uint64_t{0};

  /// The id of the last step done, 0 at the start.
  std::uint64_t position() const;
  /// endStep() but for the marks.
  void keepStep();
  /// noteText (`href` false) and noteHref.
  void noteValue(RavelinkChild* node, const char* old, bool href);
  /// Takes one edit back or does it again; the change in parked bytes.
  std::ptrdiff_t applyEdit(Edit& edit, bool backward);
  /// Takes a step's edits back, the last first, or does them again.
  void applyStep(Step& step, bool backward);
  /// undo() (`backward`) and redo(): the newest step of `from` goes to `to`.
  const char* travel(std::deque<std::unique_ptr<Step>>& from,
                     std::deque<std::unique_ptr<Step>>& to, bool backward);
  void dropStep(Step& step);
  void account(Step& step);

  Ravelink& tree_;
  std::size_t limit_;
  std::deque<std::unique_ptr<Step>> done_;
  std::deque<std::unique_ptr<Step>> undone_;
  std::unique_ptr<Step> open_;        // the step being recorded
  PageSettings settingsAtStart_;      // of the step being recorded
  NodeReferences referencesAtStart_;  // of the step being recorded
  bool recording_ = false;
  std::size_t bytes_ = 0;
  std::uint64_t nextId_ = 1;
  std::uint64_t firstDroppedId_ = 0;  // the id of the newest step dropped
  std::uint64_t savedAt_ = 0;
  enum class Mark { kNone, kSaved, kUnsaved } markAtEnd_ = Mark::kNone;  // of the open step
  std::uint64_t version_ = 0;
};

#endif  // RAVELINK_TREE_EDIT_HISTORY_H_
