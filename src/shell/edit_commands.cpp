// Commands that browse and edit the tree at the current node.
#include <cstring>
#include <string>

#include "base/counts.h"
#include "shell/commands.h"
#include "tree/tree_walk.h"

namespace {

constexpr std::size_t kTextLimit = RavelinkChild::kTextSize - 1;

// The add commands read both answers before adding, so a failing add (a
// sibling of the root) still asks for the text and the href.
void askTextAndHref(Shell& shell) {
  ask(shell, "Text: ", shell.line, kTextLimit);
  const PageSettings& settings = shell.tree.settings();
  askHref(shell, "HRef: ", shell.answer,
          std::strlen(settings.hrefPrefix.get()) + std::strlen(settings.hrefSuffix.get()));
}

}  // namespace

void addChildCommand(Shell& shell) {
  askTextAndHref(shell);
  shell.tree.addAsChild(shell.line, shell.answer);
}

void addNextCommand(Shell& shell) {
  askTextAndHref(shell);
  shell.tree.addAsNext(shell.line, shell.answer);
}

void addPreviousCommand(Shell& shell) {
  askTextAndHref(shell);
  shell.tree.addAsPrevious(shell.line, shell.answer);
}

// At a terminal, deleting a whole subtree says how much went and that undo
// brings it back, so a del on the wrong node is not a silent loss. A
// script sees no such line.
void deleteCommand(Shell& shell) {
  const RavelinkChild* doomed = shell.tree.getCurrent();
  const bool tell = shell.console.interactive() && shell.history != nullptr &&
                    doomed->getFirstChild() != nullptr;
  std::size_t below = 0;
  std::string text;
  if (tell) {
    below = subtreeSize(doomed) - 1;
    text = doomed->getText();
  }
  shell.tree.deleteTreeNode();
  if (tell) {
    shell.out() << "Deleted \"" << text << "\" and " << countOf(below, "node", "nodes")
                << " below it; undo brings them back.\n";
  }
}
void browseFirstChildCommand(Shell& shell) { shell.tree.browseFirstChild(); }
void browseNextCommand(Shell& shell) { shell.tree.browseNext(); }
void browsePreviousCommand(Shell& shell) { shell.tree.browsePrevious(); }
void browseParentCommand(Shell& shell) { shell.tree.browseParent(); }

void getInfoCommand(Shell& shell) {
  shell.out() << shell.tree.getCurrent()->getText() << "\nhref='" << shell.tree.getCurrent()->getHref()
              << "'\n";
}

void setTextCommand(Shell& shell) {
  shell.out() << "current text: " << shell.tree.getCurrent()->getText() << '\n';
  ask(shell, "new text: ", shell.line, kTextLimit);
  shell.tree.setCurrentText(shell.line);
}

void setHrefCommand(Shell& shell) {
  shell.out() << "current href: " << shell.tree.getCurrent()->getHref() << '\n';
  askHref(shell, "new href: ", shell.line, 0);
  shell.tree.setCurrentHref(shell.line);
}

void zapCommand(Shell& shell) {
  if (confirm(shell, "You are about to delete the whole tree.\n")) shell.tree.clearTree();
}
