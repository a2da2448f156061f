#include "treefiles/outline_file.h"

#include <ostream>

#include "base/regular_file.h"
#include "tree/tree_walk.h"
#include "treefiles/file_lines.h"
#include "treefiles/safe_replace.h"

namespace {

// Every node's record, in pre-order, indented by its depth.
void writeNodes(const Ravelink& tree, std::ostream& stream) {
  FileLineWriter out(stream);
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (!walk.entering()) continue;
    const auto depth = static_cast<std::size_t>(walk.depth());
    const RavelinkChild* node = walk.node();
    out.writeFileLine({node->getText(), node->getTextLength()}, depth);
    out.writeFileLine({node->getHref(), node->getHrefLength()}, depth);
  }
  out.flush();
}

void throwUnknownInfo(std::ostream& console, const char* mark) {
  console << mark << '\n';
  throw myException(Fault::kLoadUnknownInfo);
}

}  // namespace

std::int64_t readVclNodeLines(FileLineReader& in, TextLines& lines, std::ostream& console) {
  // The tabs of the indentation are only counted; a line that needs no byte
  // dropped is not copied.
  if (!in.readTextLines(lines, lineKeepFor(RavelinkChild::kTextSize),
                        lineKeepFor(RavelinkChild::kHrefSize), true)) {
    return kOutlineEnd;
  }
  if (lines.hrefTabs != lines.textTabs) throwUnknownInfo(console, "errB");
  cutToFields(lines, RavelinkChild::kTextSize, RavelinkChild::kHrefSize);
  return static_cast<std::int64_t>(lines.textTabs);
}

void writeVclFile(const Ravelink& tree, std::ostream& out) {
  writeNodes(tree, out);
  if (!out) throw myException(Fault::kSaveWrite);
}

void readVclFile(Ravelink& tree, std::istream& stream, std::ostream& console) {
  FileLineReader in(stream);
  tree.clearTree();
  TextLines lines;
  // The root's indentation is not used: its tabs are simply dropped.
  if (readVclNodeLines(in, lines, console) == kOutlineEnd) {
    throw myException(Fault::kLoadUnexpectedEnd);
  }
  tree.setCurrentText(std::string(lines.text).c_str());
  tree.setCurrentHref(std::string(lines.href).c_str());
  std::int64_t depth = readVclNodeLines(in, lines, console);
  if (depth == kOutlineEnd) return;  // the root alone
  if (depth < 1) throwUnknownInfo(console, "errA");
  tree.addLoadedChild(lines.text, lines.href);
  tree.browseFirstChild();
  for (std::int64_t previous = depth;; previous = depth) {
    depth = readVclNodeLines(in, lines, console);
    if (depth == kOutlineEnd) break;
    if (depth > previous) {
      // However many levels deeper: a child of the record before.
      tree.addLoadedChild(lines.text, lines.href);
      tree.browseFirstChild();
    } else {
      // The climb stops with "no parent node" above the root, and the add
      // with "root node has no brother" at it: both only in a damaged file.
      for (std::int64_t up = depth; up < previous; ++up)
        tree.browseParent();
      tree.addLoadedNext(lines.text, lines.href);
    }
  }
  tree.gotoRoot();
}

void treeSaveVcl(const Ravelink& tree, const char* fileName) {
  // Tried first, so a full stack touches no file.
  if (tree.isStackFull()) throw myException(Fault::kSaveStackFull);
  writeFileSafely(fileName, [&tree](std::ostream& out) { writeNodes(tree, out); });
}

void treeLoadVcl(Ravelink& tree, const char* fileName, std::ostream& console) {
  RegularFileInput file;
  if (!file.open(fileName)) throw myException(Fault::kLoadOpen);
  readVclFile(tree, file.stream(), console);
}
