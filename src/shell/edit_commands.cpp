// Commands that browse and edit the tree at the current node.
#include <cstring>

#include "shell/commands.h"

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

void deleteCommand(Shell& shell) { shell.tree.deleteTreeNode(); }
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
