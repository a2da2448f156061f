#include "tree/my_exception.h"

#include <ostream>

#include "tree/text_field.h"

namespace {

struct FaultText {
  Fault fault;
  const char* funcName;
  const char* message;
};

// The table of every error the program raises, in one place.
constexpr FaultText kFaults[] = {
    {Fault::kBrowseNoNext, "treeBrowse", "no next node"},
    {Fault::kBrowseNoPrevious, "treeBrowse", "no previous node"},
    {Fault::kBrowseNoChild, "treeBrowse", "no child node"},
    {Fault::kBrowseNoParent, "treeBrowse", "no parent node"},
    {Fault::kAddRootHasNoBrother, "addTreeNode", "root node has no brother"},
    {Fault::kDeleteRoot, "deleteTreeNode", "cannot delete the root node"},
    {Fault::kDeleteNoOnlyChild, "deleteTreeNode", "no only child"},
    {Fault::kDeleteNoChild, "deleteTreeNode", "no child"},
    {Fault::kDeleteNoNext, "deleteTreeNode", "no next node"},
    {Fault::kDeleteFirstIsCurrent, "deleteTreeNode", "first brother is current"},
    {Fault::kPushStackFull, "pushActiveNode", "stack is full"},
    {Fault::kPopStackEmpty, "popActiveNode", "stack is empty"},
    {Fault::kCheckStackEmpty, "checkActiveNode", "active node stack empty"},
    {Fault::kPasteClipboardEmpty, "treePaste", "clipboard is empty"},
    {Fault::kPasteStackFull, "treePaste", "stack is full"},
    {Fault::kPasteInvalid, "treePaste", "the node to paste is invalid"},
    {Fault::kPasteParentToChild, "treePaste", "cannot paste parent to child"},
    {Fault::kGotoPlaceNotFound, "treeGotoWorkPlc", "Working place not found"},
    {Fault::kGotoPointNotFound, "treeGotoWorkPlc", "Working point not found"},
    {Fault::kShowTreeStackFull, "showTree", "active node stack full"},
    {Fault::kSaveOpen, "treeSave", "error opening file"},
    {Fault::kSaveStackFull, "treeSave", "active node stack full"},
    {Fault::kSaveWrite, "treeSave", "error writing file"},
    {Fault::kLoadOpen, "treeLoad", "error opening file"},
    {Fault::kLoadUnknownInfo, "treeLoad", "unknown file info"},
    {Fault::kLoadUnexpectedEnd, "treeLoad", "unexpected end-of-file"},
    {Fault::kLoadUnexpectedInfo, "treeLoad", "unexpected file info"},
    {Fault::kWordNotInitialized, "wCaseOutputStr", "wordcase not initialized"},
    {Fault::kWordEndOfString, "wCaseOutputStr", "end-of-string encountered"},
    {Fault::kGenerateOpen, "generateOutput", "error opening file(s)"},
    {Fault::kGenerateWrite, "generateOutput", "error writing file(s)"},
    {Fault::kExportUnknownFormat, "export", "use .html, .htm, .opml or .md"},
    {Fault::kExportTooDeep, "export", "too deep for Markdown"},
    {Fault::kExportTooDeepForOpml, "export", "too deep for OPML"},
    {Fault::kExportWrite, "export", "error writing file"},
    {Fault::kFindNotFound, "find", "not found"},
    {Fault::kViewNeedsTerminal, "view", "needs a terminal, 20x4 or more"},
    {Fault::kImportOpen, "import", "error opening file"},
    {Fault::kImportRead, "import", "error reading file"},
    {Fault::kImportUnknownFormat, "import", "unknown file format"},
    {Fault::kImportBadDatabase, "import", "unreadable bookmark database"},
    {Fault::kImportCycle, "import", "folders form a cycle"},
    {Fault::kImportNoProfile, "import", "no browser profile found"},
    {Fault::kImportNoSuchProfile, "import", "no such profile"},
    {Fault::kUndoNothing, "undo", "nothing to undo"},
    {Fault::kRedoNothing, "redo", "nothing to redo"},
    {Fault::kSortNoChild, "sort", "no child node"},
};

const FaultText& lookup(Fault fault) {
  for (const FaultText& entry : kFaults) {
    if (entry.fault == fault) return entry;
  }
  return kFaults[0];  // unreachable: every Fault has a row
}

}  // namespace

myException::myException(Fault fault)
    : myException(lookup(fault).funcName, lookup(fault).message) {}

myException::myException(const char* name, const char* text) {
  storeField(funcName, sizeof funcName, name);
  storeField(message, sizeof message, text);
}

void printError(std::ostream& out, const myException& error) {
  out << "Error of " << error.getFuncName() << ": " << error.getMessage() << '\n';
}
