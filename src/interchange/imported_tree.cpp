#include "interchange/imported_tree.h"

#include "interchange/import_merge.h"
#include "tree/tracking_parameters.h"

namespace {

constexpr std::size_t kHrefLimit = RavelinkChild::kHrefSize - 1;
constexpr std::size_t kPathLevels = 8;  // the most folder names a report line shows

}  // namespace

ImportedTree::ImportedTree(ImportReport& report)
    : report_(report), holder_(RavelinkChild::create()) {
  stack_.push_back({holder_, 0});
}

ImportedTree::~ImportedTree() { RavelinkChild::destroyChain(holder_); }

std::string ImportedTree::folderPath() const {
  std::vector<const char*> names;
  const RavelinkChild* folder = top();
  for (; folder != holder_ && names.size() < kPathLevels; folder = folder->getParent()) {
    names.push_back(folder->getText()[0] != '\0' ? folder->getText() : "(no name)");
  }
  std::string path = folder != holder_ ? "... > " : "";
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    path += *name;
    if (name + 1 != names.rend()) path += " > ";
  }
  return path;
}

std::string ImportedTree::acceptHref(std::string_view raw, std::string_view text, bool& controls) {
  std::string href = cleanHref(raw, controls);
  switch (classifyHref(href)) {
    case HrefKind::kEmpty:
      report_.skip(Loss::kNoHref, std::string(text), folderPath());
      return "";
    case HrefKind::kScript:
      report_.skip(Loss::kScriptHref, std::move(href), folderPath());
      return "";
    case HrefKind::kBrowserInternal:
      report_.count(Loss::kBrowserHref);
      return "";
    case HrefKind::kOrdinary:
      break;
  }
  if (href.size() > kHrefLimit) {
    std::string shorter = withoutTrackingParameters(href);
    if (shorter.size() > kHrefLimit) {
      report_.skip(Loss::kLongHref, std::move(href), folderPath());
      return "";
    }
    report_.count(Loss::kTrackingHref);
    return shorter;
  }
  return href;
}

RavelinkChild* ImportedTree::addFolder(TextCollector& text) {
  if (level() >= kMaxImportedFolderLevel) {
    text.take();
    report_.count(Loss::kDeepFolders);
    return nullptr;
  }
  auto* folder = RavelinkChild::create();
  std::string name = text.take();
  if (text.wasCut()) report_.count(Loss::kTextCut);
  if (text.droppedControls()) report_.count(Loss::kControlBytes);
  folder->setText(name.c_str());
  top()->linkAsLastChild(folder);
  madeFolders_.insert(folder);
  ++report_.folders;
  return folder;
}

RavelinkChild* ImportedTree::addLink(std::string_view href, TextCollector& text) {
  std::string name = text.take();
  bool controls = text.droppedControls();
  std::string kept = acceptHref(href, name, controls);
  if (controls) report_.count(Loss::kControlBytes);
  if (kept.empty()) return nullptr;
  if (text.wasCut()) report_.count(Loss::kTextCut);
  if (name.empty()) {
    // The host, else the href itself, under the rules of any text.
    std::string host = hostOf(kept);
    const std::string& stand = host.empty() ? kept : host;
    text.append(stand.data(), stand.size());
    name = text.take();
    report_.count(Loss::kHostAsText);
  }
  auto* link = RavelinkChild::create();
  link->setText(name.c_str());
  link->setHref(kept.c_str());
  top()->linkAsLastChild(link);
  ++report_.links;
  return link;
}

void ImportedTree::addFolderLink(std::string_view href, TextCollector& text) {
  RavelinkChild* folder = top();
  if (folder != holder_ && folder->getFirstChild() == nullptr && folder->getHref()[0] == '\0') {
    std::string name = text.take();  // the folder's own text again
    bool controls = text.droppedControls();
    std::string kept = acceptHref(href, name, controls);
    if (controls) report_.count(Loss::kControlBytes);
    folder->setHref(kept.c_str());
    return;
  }
  bool first = folder == holder_ && holder_->getFirstChild() == nullptr && rootLink_ == nullptr;
  RavelinkChild* link = addLink(href, text);
  if (first) rootLink_ = link;
}

void ImportedTree::dropIfEmpty(RavelinkChild* folder) {
  if (folder == nullptr || folder->getFirstChild() != nullptr || folder->getHref()[0] != '\0') {
    return;
  }
  folder->unlink();
  madeFolders_.erase(folder);
  RavelinkChild::destroyChain(folder);
  --report_.folders;
}

void ImportedTree::open(RavelinkChild* folder) {
  if (folder == nullptr) {
    openTopAgain();
  } else if (level() >= kMaxImportedFolderLevel) {
    report_.count(Loss::kDeepFolders);
    openTopAgain();
  } else {
    stack_.push_back({folder, level() + 1});
  }
}

void ImportedTree::openTopAgain() { stack_.push_back(stack_.back()); }

void ImportedTree::close() {
  if (stack_.size() > 1) stack_.pop_back();
}

void ImportedTree::setTitle(TextCollector& text) {
  title_ = text.take();
  if (text.wasCut()) report_.count(Loss::kTextCut);
  if (text.droppedControls()) report_.count(Loss::kControlBytes);
}

void ImportedTree::linkInto(Ravelink& tree) {
  const RavelinkChild* root = tree.getRoot();
  if (root->getFirstChild() == nullptr && root->getText()[0] == '\0' && !title_.empty()) {
    // An empty tree: current is the root.
    tree.setCurrentText(title_.c_str());
    if (rootLink_ != nullptr) {
      tree.setCurrentHref(rootLink_->getHref());
      rootLink_->unlink();
      RavelinkChild::destroyChain(rootLink_);
      --report_.links;
    }
  }
  rootLink_ = nullptr;
  mergeImported(tree, holder_, madeFolders_, report_);
  madeFolders_.clear();
  stack_.resize(1);
}
