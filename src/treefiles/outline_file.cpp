#include "treefiles/outline_file.h"

#include <fstream>
#include <ostream>

#include "treefiles/file_lines.h"
#include "treefiles/preorder_walk.h"
#include "treefiles/safe_replace.h"

namespace {

void writeRecord(FileLineWriter& out, const Ravelink& tree, std::int64_t depth) {
  out.writeFileLine(tree.getCurrentText(), static_cast<std::size_t>(depth));
  out.writeFileLine(tree.getCurrentHref(), static_cast<std::size_t>(depth));
}

// The walk itself; the caller keeps the cursor.
void writeNodes(Ravelink& tree, std::ostream& stream) {
  FileLineWriter out(stream);
  std::int64_t depth = 0;
  tree.gotoRoot();
  writeRecord(out, tree, depth);
  walkBelowRoot(tree, [&](WalkStep step) {
    switch (step) {
      case WalkStep::kDown:
        writeRecord(out, tree, ++depth);
        break;
      case WalkStep::kNext:
        writeRecord(out, tree, depth);
        break;
      case WalkStep::kUp:
        --depth;
        break;
    }
  });
  out.flush();
}

std::int64_t indentOf(const std::string& line) {
  std::string::size_type end = line.find_first_not_of(kIndentTab);
  return static_cast<std::int64_t>(end == std::string::npos ? line.size() : end);
}

void throwUnknownInfo(std::ostream& console, const char* mark) {
  console << mark << '\n';
  throw myException(Fault::kLoadUnknownInfo);
}

}  // namespace

std::int64_t readVclNodeLines(FileLineReader& in, std::string& text, std::string& href,
                              std::ostream& console) {
  // The lines are read into the caller's strings and their tabs cut off in
  // place, so a load allocates nothing per record.
  if (!in.readFileLine(text) || !in.readFileLine(href)) return kOutlineEnd;
  std::int64_t depth = indentOf(text);
  if (indentOf(href) != depth) throwUnknownInfo(console, "errB");
  text.erase(0, static_cast<std::size_t>(depth));
  href.erase(0, static_cast<std::size_t>(depth));
  cutToField(text, RavelinkChild::kTextSize);
  cutToField(href, RavelinkChild::kHrefSize);
  return depth;
}

void writeVclFile(Ravelink& tree, std::ostream& out) {
  CursorSave keep(tree, Fault::kSaveStackFull);
  writeNodes(tree, out);
  if (!out) throw myException(Fault::kSaveWrite);
}

void readVclFile(Ravelink& tree, std::istream& stream, std::ostream& console) {
  FileLineReader in(stream);
  tree.clearTree();
  std::string text, href;
  // The root's indentation is not used: its tabs are simply dropped.
  if (readVclNodeLines(in, text, href, console) == kOutlineEnd) {
    throw myException(Fault::kLoadUnexpectedEnd);
  }
  tree.setCurrentText(text.c_str());
  tree.setCurrentHref(href.c_str());
  std::int64_t depth = readVclNodeLines(in, text, href, console);
  if (depth == kOutlineEnd) return;  // the root alone
  if (depth < 1) throwUnknownInfo(console, "errA");
  tree.addAsChild(text.c_str(), href.c_str());
  tree.browseFirstChild();
  for (std::int64_t previous = depth;; previous = depth) {
    depth = readVclNodeLines(in, text, href, console);
    if (depth == kOutlineEnd) break;
    if (depth > previous) {
      // However many levels deeper: a child of the record before.
      tree.addAsChild(text.c_str(), href.c_str());
      tree.browseFirstChild();
    } else {
      // The climb stops with "no parent node" above the root, and the add
      // with "root node has no brother" at it: both only in a damaged file.
      for (std::int64_t up = depth; up < previous; ++up) tree.browseParent();
      tree.addAsNext(text.c_str(), href.c_str());
    }
  }
  tree.gotoRoot();
}

void treeSaveVcl(Ravelink& tree, const char* fileName) {
  // The push is tried first, so a full stack touches no file.
  CursorSave keep(tree, Fault::kSaveStackFull);
  writeFileSafely(fileName, [&tree](std::ostream& out) { writeNodes(tree, out); });
}

void treeLoadVcl(Ravelink& tree, const char* fileName, std::ostream& console) {
  std::ifstream in;
  if (!openTreeFile(in, fileName)) throw myException(Fault::kLoadOpen);
  readVclFile(tree, in, console);
}
