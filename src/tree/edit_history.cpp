#include "tree/edit_history.h"

#include <cstring>
#include <utility>

#include "tree/tree_walk.h"

namespace {

bool nodesLeftToProcessExit = false;

// What a node costs while it is parked: its place and its text piece.
std::size_t nodeBytes(const RavelinkChild* node) {
  return node_slots::kNodeBytes + std::strlen(node->getText()) + std::strlen(node->getHref()) + 2;
}

// Parks `top` and its subtree (or gives them back) and returns their bytes.
std::size_t parkSubtree(RavelinkChild* top, bool park) {
  std::size_t bytes = 0;
  for (TreeWalk walk(top); walk.next();) {
    if (!walk.entering()) continue;
    if (park) {
      node_slots::park(walk.node()->slot());
    } else {
      node_slots::unpark(walk.node()->slot());
    }
    bytes += nodeBytes(walk.node());
  }
  return bytes;
}

// Parks (or gives back) the children of `holder` with their subtrees.
std::size_t parkChildren(RavelinkChild* holder, bool park) {
  std::size_t bytes = 0;
  for (RavelinkChild* child = holder->getFirstChild(); child != nullptr;
       child = child->getNextSibling()) {
    bytes += parkSubtree(child, park);
  }
  return bytes;
}

// Moves `node` to the place the edit holds, and leaves in the edit the
// place it came from.
void moveBack(RavelinkChild* node, std::uint32_t& parent, std::uint32_t& previous);

// Links the detached `node` back under `parent`, after `previous` (nullptr:
// as the first child).
void linkBack(RavelinkChild* node, RavelinkChild* parent, RavelinkChild* previous) {
  if (previous != nullptr) {
    previous->linkAfter(node);
  } else if (RavelinkChild* first = parent->getFirstChild()) {
    first->linkBefore(node);
  } else {
    parent->linkAsLastChild(node);
  }
}

RavelinkChild* nodeAt(std::uint32_t slot) { return node_slots::nodeAt(slot); }
std::uint32_t slotOf(const RavelinkChild* node) { return node != nullptr ? node->slot() : 0; }

void moveBack(RavelinkChild* node, std::uint32_t& parent, std::uint32_t& previous) {
  const std::uint32_t nowParent = slotOf(node->getParent());
  const std::uint32_t nowPrevious = slotOf(node->getPrevSibling());
  node->unlink();
  linkBack(node, nodeAt(parent), nodeAt(previous));
  parent = nowParent;
  previous = nowPrevious;
}

// The page settings by number, so a step keeps only those it changed.
constexpr int kTextSettings = 5;

const char* settingText(const PageSettings& settings, int field) {
  switch (field) {
    case 0:
      return settings.hrefPrefix.get();
    case 1:
      return settings.hrefSuffix.get();
    case 2:
      return settings.baseUrl.get();
    case 3:
      return settings.baseTarget.get();
    default:
      return settings.styleTable.get();
  }
}

void setSettingText(PageSettings& settings, int field, const char* text) {
  switch (field) {
    case 0:
      settings.hrefPrefix.set(text);
      break;
    case 1:
      settings.hrefSuffix.set(text);
      break;
    case 2:
      settings.baseUrl.set(text);
      break;
    case 3:
      settings.baseTarget.set(text);
      break;
    default:
      settings.styleTable.set(text);
      break;
  }
}

bool sameReferences(const NodeReferences& a, const NodeReferences& b) {
  if (a.activeCount != b.activeCount || !(a.clipboard == b.clipboard)) return false;
  for (int i = 0; i < a.activeCount; ++i) {
    if (!(a.activeStack[i] == b.activeStack[i])) return false;
  }
  for (int k = 0; k < 2; ++k) {
    if (!(a.workPlace[k] == b.workPlace[k]) || !(a.workPoint[k] == b.workPoint[k])) return false;
  }
  return true;
}

}  // namespace

// One change within a step. Each kind is its own inverse's record: undo and
// redo exchange what the tree holds with what the edit holds.
struct EditHistory::Edit {
  enum class Kind : std::uint8_t {
    kLinked,    // `node` was linked in; parked while undone
    kRemoved,   // `node` was unlinked; parked while done
    kMoved,     // `node` moved; `parent` and `previous` tell the other place
    kText,      // `value` is the node's other text
    kHref,      // `value` is the node's other href
    kReplaced,  // the tree was cleared: `node` is a holder whose children,
                // text and href are the root's other ones, always parked
  };
  Kind kind;
  bool parked = false;
  std::uint32_t node = 0;
  std::uint32_t parent = 0;    // where a removed or undone node goes back
  std::uint32_t previous = 0;  // its previous sibling there, 0 for none
  std::string value;
};

struct EditHistory::Step {
  const char* word = nullptr;
  std::uint64_t id = 0;
  std::vector<Edit> edits;
  std::uint32_t currentBefore = 0;
  std::uint32_t currentAfter = 0;
  // The settings the step changed, by number (kTextSettings: usingPara as
  // "1" or ""), each with its other value.
  std::vector<std::pair<int, std::string>> settings;
  // The references before the step (after it, once undone), when it
  // changed them.
  std::unique_ptr<NodeReferences> references;
  std::size_t parkedBytes = 0;
  std::size_t fixedBytes = 0;
};

EditHistory::EditHistory(Ravelink& tree, std::size_t limit) : tree_(tree), limit_(limit) {
  tree_.history_ = this;
}

EditHistory::~EditHistory() {
  tree_.history_ = nullptr;
#if RAVELINK_NODE_POOL
  if (nodesLeftToProcessExit) return;
#endif
  for (auto& step : done_)
    dropStep(*step);
  for (auto& step : undone_)
    dropStep(*step);
}

void EditHistory::leaveNodesToProcessExit() { nodesLeftToProcessExit = true; }

std::uint64_t EditHistory::position() const {
  return done_.empty() ? firstDroppedId_ : done_.back()->id;
}

void EditHistory::beginStep(const char* word) {
  while (bytes_ > limit_ && !(done_.empty() && undone_.empty())) {
    if (!done_.empty()) {
      firstDroppedId_ = done_.front()->id;
      dropStep(*done_.front());
      done_.pop_front();
    } else {
      // The step undone first is redone last: it goes first, so that what
      // stays can still be redone in order.
      dropStep(*undone_.front());
      undone_.pop_front();
    }
  }
  open_ = std::make_unique<Step>();
  open_->word = word;
  open_->currentBefore = slotOf(tree_.current_);
  settingsAtStart_ = tree_.settings_;
  referencesAtStart_ = tree_.refs_;
  recording_ = true;
}

void EditHistory::markSaved() {
  if (open_ != nullptr) {
    markAtEnd_ = Mark::kSaved;
  } else {
    savedAt_ = position();
  }
}

void EditHistory::markUnsaved() {
  if (open_ != nullptr) {
    markAtEnd_ = Mark::kUnsaved;
  } else {
    savedAt_ = kNowhere;
  }
}

void EditHistory::endStep() {
  if (open_ == nullptr) return;
  keepStep();
  const Mark mark = markAtEnd_;
  markAtEnd_ = Mark::kNone;
  if (mark == Mark::kSaved) markSaved();
  if (mark == Mark::kUnsaved) markUnsaved();
}

void EditHistory::keepStep() {
  recording_ = false;
  std::unique_ptr<Step> step = std::move(open_);
  for (int field = 0; field < kTextSettings; ++field) {
    const char* before = settingText(settingsAtStart_, field);
    if (std::strcmp(before, settingText(tree_.settings_, field)) != 0) {
      step->settings.emplace_back(field, before);
    }
  }
  if (settingsAtStart_.usingPara != tree_.settings_.usingPara) {
    step->settings.emplace_back(kTextSettings, settingsAtStart_.usingPara ? "1" : "");
  }
  if (step->edits.empty() && step->settings.empty()) {
    // Nothing to undo. Nodes are parked only with an edit, so none is held.
    return;
  }
  if (!sameReferences(referencesAtStart_, tree_.refs_)) {
    step->references = std::make_unique<NodeReferences>(referencesAtStart_);
  }
  step->currentAfter = slotOf(tree_.current_);
  step->id = nextId_++;
  for (auto& redo : undone_)
    dropStep(*redo);
  undone_.clear();
  account(*step);
  done_.push_back(std::move(step));
  ++version_;
}

void EditHistory::account(Step& step) {
  std::size_t fixed =
      sizeof(Step) + sizeof(std::unique_ptr<Step>) + step.edits.capacity() * sizeof(Edit);
  for (const Edit& edit : step.edits)
    fixed += edit.value.capacity();
  for (const auto& setting : step.settings)
    fixed += sizeof setting + setting.second.capacity();
  if (step.references != nullptr) fixed += sizeof(NodeReferences);
  step.fixedBytes = fixed;
  bytes_ += fixed + step.parkedBytes;
}

void EditHistory::dropStep(Step& step) {
  for (Edit& edit : step.edits) {
    if (edit.kind == Edit::Kind::kReplaced || edit.parked) {
      RavelinkChild::destroyChain(nodeAt(edit.node));
    }
  }
  bytes_ -= step.fixedBytes + step.parkedBytes;
}

void EditHistory::noteLinked(RavelinkChild* node) {
  if (!recording_) return;
  Edit edit;
  edit.kind = Edit::Kind::kLinked;
  edit.node = node->slot();
  open_->edits.push_back(std::move(edit));
}

void EditHistory::noteRemoved(RavelinkChild* node, RavelinkChild* parent, RavelinkChild* previous) {
  Edit edit;
  edit.kind = Edit::Kind::kRemoved;
  edit.node = node->slot();
  edit.parent = slotOf(parent);
  edit.previous = slotOf(previous);
  edit.parked = true;
  open_->parkedBytes += parkSubtree(node, true);
  open_->edits.push_back(std::move(edit));
}

void EditHistory::noteMoved(RavelinkChild* node, RavelinkChild* parent, RavelinkChild* previous) {
  if (!recording_) return;
  Edit edit;
  edit.kind = Edit::Kind::kMoved;
  edit.node = node->slot();
  edit.parent = slotOf(parent);
  edit.previous = slotOf(previous);
  open_->edits.push_back(std::move(edit));
}

void EditHistory::noteText(RavelinkChild* node, const char* old) {
  noteValue(node, old, false);
}

void EditHistory::noteHref(RavelinkChild* node, const char* old) {
  noteValue(node, old, true);
}

void EditHistory::noteValue(RavelinkChild* node, const char* old, bool href) {
  if (!recording_) return;
  Edit edit;
  edit.kind = href ? Edit::Kind::kHref : Edit::Kind::kText;
  edit.node = node->slot();
  edit.value = old;
  open_->edits.push_back(std::move(edit));
}

bool EditHistory::takeTreeBeingCleared() {
  if (!recording_) return false;
  RavelinkChild* root = tree_.root_;
  RavelinkChild* holder = RavelinkChild::create();
  holder->setTextAndHref(root->getText(), root->getHref());
  root->swapChildren(holder);
  Edit edit;
  edit.kind = Edit::Kind::kReplaced;
  edit.node = holder->slot();
  open_->parkedBytes += parkChildren(holder, true) + nodeBytes(holder);
  open_->edits.push_back(std::move(edit));
  // From here the step's nodes are all new: the whole tree after the step
  // is what the holder's exchange brings back, so nothing more is recorded.
  recording_ = false;
  return true;
}

namespace {

// Exchanges the root's children, text and href with the holder's; the
// tree's new nodes come out of parking, the holder's go in. Returns the
// change in parked bytes.
std::ptrdiff_t exchangeTrees(RavelinkChild* root, RavelinkChild* holder) {
  const std::string text = root->getText();
  const std::string href = root->getHref();
  root->setTextAndHref(holder->getText(), holder->getHref());
  holder->setTextAndHref(text.c_str(), href.c_str());
  root->swapChildren(holder);
  const std::size_t parked = parkChildren(holder, true);
  const std::size_t returned = parkChildren(root, false);
  return static_cast<std::ptrdiff_t>(parked) - static_cast<std::ptrdiff_t>(returned);
}

void exchangeText(RavelinkChild* node, std::string& value, bool href) {
  std::string now = href ? node->getHref() : node->getText();
  if (href) {
    node->setHref(value.c_str());
  } else {
    node->setText(value.c_str());
  }
  value.swap(now);
}

}  // namespace

// Takes `edit` back (`backward`) or does it again. A node linked in is
// parked again by an undo exactly as a removed node is by a redo, and comes
// back by a redo as a removed one does by an undo: the same two moves serve
// both. Returns the change in parked bytes.
std::ptrdiff_t EditHistory::applyEdit(Edit& edit, bool backward) {
  RavelinkChild* node = nodeAt(edit.node);
  switch (edit.kind) {
    case Edit::Kind::kLinked:
    case Edit::Kind::kRemoved:
      if (backward == (edit.kind == Edit::Kind::kLinked)) {
        // Out of the tree: where it stood is kept for its return.
        edit.parent = slotOf(node->getParent());
        edit.previous = slotOf(node->getPrevSibling());
        node->unlink();
        edit.parked = true;
        return static_cast<std::ptrdiff_t>(parkSubtree(node, true));
      }
      edit.parked = false;
      linkBack(node, nodeAt(edit.parent), nodeAt(edit.previous));
      return -static_cast<std::ptrdiff_t>(parkSubtree(node, false));
    case Edit::Kind::kMoved:
      moveBack(node, edit.parent, edit.previous);
      return 0;
    case Edit::Kind::kText:
    case Edit::Kind::kHref:
      exchangeText(node, edit.value, edit.kind == Edit::Kind::kHref);
      return 0;
    case Edit::Kind::kReplaced:
      return exchangeTrees(tree_.root_, node);
  }
  return 0;
}

void EditHistory::applyStep(Step& step, bool backward) {
  std::ptrdiff_t parkedChange = 0;
  if (backward) {
    for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit)
      parkedChange += applyEdit(*edit, true);
  } else {
    for (Edit& edit : step.edits)
      parkedChange += applyEdit(edit, false);
  }
  step.parkedBytes =
      static_cast<std::size_t>(static_cast<std::ptrdiff_t>(step.parkedBytes) + parkedChange);
  bytes_ = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(bytes_) + parkedChange);
}

namespace {

// Exchanges the settings the step changed with the ones it holds.
void exchangeSettings(PageSettings& settings, std::vector<std::pair<int, std::string>>& changed) {
  for (auto& [field, other] : changed) {
    std::string now;
    if (field == kTextSettings) {
      now = settings.usingPara ? "1" : "";
      settings.usingPara = !other.empty();
    } else {
      now = settingText(settings, field);
      setSettingText(settings, field, other.c_str());
    }
    other.swap(now);
  }
}

}  // namespace

// Moves the newest step of `from` to `to`, undoing it (`backward`) or
// doing it again; the settings, the references and the cursor follow.
const char* EditHistory::travel(std::deque<std::unique_ptr<Step>>& from,
                                std::deque<std::unique_ptr<Step>>& to, bool backward) {
  if (from.empty()) return nullptr;
  Step& step = *from.back();
  applyStep(step, backward);
  exchangeSettings(tree_.settings_, step.settings);
  if (step.references != nullptr) std::swap(tree_.refs_, *step.references);
  tree_.current_ = nodeAt(backward ? step.currentBefore : step.currentAfter);
  to.push_back(std::move(from.back()));
  from.pop_back();
  ++version_;
  return step.word;
}

const char* EditHistory::undo() { return travel(done_, undone_, true); }
const char* EditHistory::redo() { return travel(undone_, done_, false); }

std::size_t EditHistory::stepCount() const { return done_.size(); }
std::size_t EditHistory::redoCount() const { return undone_.size(); }
