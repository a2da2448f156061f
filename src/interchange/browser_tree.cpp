#include "interchange/browser_tree.h"

#include <string>

#include "tree/my_exception.h"

void importBrowserRoots(const std::vector<BrowserItem>& items,
                        const std::vector<BrowserRoot>& roots, ImportRun& run) {
  std::vector<bool> reached(items.size(), false);
  struct Open {
    const BrowserItem* folder;
    std::size_t next;  // the index of the next child to add
  };
  std::vector<Open> stack;
  TextCollector text;
  auto enter = [&](std::uint32_t item) {
    if (reached[item]) throw myException(Fault::kImportCycle);
    reached[item] = true;
    stack.push_back({&items[item], 0});
  };
  for (const BrowserRoot& root : roots) {
    if (reached[root.item]) continue;  // below another root, imported there
    text.append(root.text, std::char_traits<char>::length(root.text));
    RavelinkChild* rootFolder = run.tree.addFolder(text);
    run.tree.open(rootFolder);
    enter(root.item);
    while (!stack.empty()) {
      Open& top = stack.back();
      if (top.next == top.folder->children.size()) {
        stack.pop_back();
        run.tree.close();
        if (stack.empty()) run.tree.dropIfEmpty(rootFolder);
        continue;
      }
      const std::uint32_t child = top.folder->children[top.next++];
      const BrowserItem& item = items[child];
      switch (item.kind) {
        case BrowserItem::Kind::kSeparator:
          run.report.count(Loss::kSeparators);
          break;
        case BrowserItem::Kind::kLink:
          text.append(item.title.data(), item.title.size());
          run.tree.addLink(item.href, text);
          break;
        case BrowserItem::Kind::kFolder:
          text.append(item.title.data(), item.title.size());
          run.tree.open(run.tree.addFolder(text));
          enter(child);  // may invalidate `top`
          break;
      }
    }
  }
}
