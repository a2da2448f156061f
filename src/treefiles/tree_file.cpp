#include "treefiles/tree_file.h"

#include <ostream>

#include "base/regular_file.h"
#include "tree/tree_walk.h"
#include "treefiles/file_lines.h"
#include "treefiles/safe_replace.h"

namespace {

void writeRecord(FileLineWriter& out, const RavelinkChild* node) {
  out.writeFileLine({node->getText(), node->getTextLength()});
  out.writeFileLine({node->getHref(), node->getHrefLength()});
}

void writeMarker(FileLineWriter& out, char marker) { out.writeFileLine({&marker, 1}); }

// The root's record, then below it: entering a first child writes "c" and
// its record, entering a later sibling "n" and its record, and leaving a last
// child "p", which climbs to its parent.
void writeNodes(const Ravelink& tree, std::ostream& stream) {
  FileLineWriter out(stream);
  const RavelinkChild* root = tree.getRoot();
  for (TreeWalk walk(root); walk.next();) {
    const RavelinkChild* node = walk.node();
    if (node == root) {
      if (walk.entering()) writeRecord(out, node);
    } else if (walk.entering()) {
      writeMarker(out, node->getPrevSibling() == nullptr ? kChildMarker : kNextMarker);
      writeRecord(out, node);
    } else if (node->getNextSibling() == nullptr) {
      writeMarker(out, kParentMarker);
    }
  }
  out.flush();
}

}  // namespace

bool readNodeLines(FileLineReader& in, TextLines& lines) {
  if (!in.readTextLines(lines, lineKeepFor(RavelinkChild::kTextSize),
                        lineKeepFor(RavelinkChild::kHrefSize), false)) {
    return false;
  }
  cutToFields(lines, RavelinkChild::kTextSize, RavelinkChild::kHrefSize);
  return true;
}

namespace {

// Reads a record, or throws at the end of the file.
void readRecord(FileLineReader& in, TextLines& lines) {
  if (!readNodeLines(in, lines)) throw myException(Fault::kLoadUnexpectedEnd);
}

}  // namespace

void writeTreeFile(const Ravelink& tree, std::ostream& out) {
  writeNodes(tree, out);
  if (!out) throw myException(Fault::kSaveWrite);
}

void readTreeFile(Ravelink& tree, std::istream& stream) {
  FileLineReader in(stream);
  tree.clearTree();
  TextLines lines;
  readRecord(in, lines);
  tree.setCurrentText(std::string(lines.text).c_str());
  tree.setCurrentHref(std::string(lines.href).c_str());
  char marker;
  if (!in.readFirstByte(marker)) return;  // the root alone
  if (marker != kChildMarker) throw myException(Fault::kLoadUnknownInfo);
  readRecord(in, lines);
  tree.addLoadedChild(lines.text, lines.href);
  tree.browseFirstChild();
  // While markers are read the current node is never the root, so adding a
  // sibling and climbing cannot fail.
  for (;;) {
    if (!in.readFirstByte(marker)) throw myException(Fault::kLoadUnexpectedEnd);
    switch (marker) {
      case kChildMarker:
        // Appends after any children the node already has (only a hand-made
        // file gives it some) and goes on at its first child.
        readRecord(in, lines);
        tree.addLoadedChild(lines.text, lines.href);
        tree.browseFirstChild();
        break;
      case kNextMarker:
        readRecord(in, lines);
        tree.addLoadedNext(lines.text, lines.href);
        break;
      case kParentMarker:
        tree.browseParent();
        if (tree.isRoot()) return;
        break;
      default:
        throw myException(Fault::kLoadUnexpectedInfo);
    }
  }
}

void treeSave(const Ravelink& tree, const char* fileName) {
  // Tried first, so a full stack touches no file.
  if (tree.isStackFull()) throw myException(Fault::kSaveStackFull);
  writeFileSafely(fileName, [&tree](std::ostream& out) { writeNodes(tree, out); });
}

void treeLoad(Ravelink& tree, const char* fileName) {
  RegularFileInput file;
  if (!file.open(fileName)) throw myException(Fault::kLoadOpen);
  readTreeFile(tree, file.stream());
}
