#ifndef RAVELINK_TREE_MY_EXCEPTION_H_
#define RAVELINK_TREE_MY_EXCEPTION_H_

#include <iosfwd>

/// Every failure the program reports. The name of the operation that saw the
/// fault and what went wrong; fixed-size fields, cut to 15 and 31 characters.
enum class Fault {
  kBrowseNoNext,
  kBrowseNoPrevious,
  kBrowseNoChild,
  kBrowseNoParent,
  kAddRootHasNoBrother,
  kDeleteRoot,
  kDeleteNoOnlyChild,
  kDeleteNoChild,
  kDeleteNoNext,
  kDeleteFirstIsCurrent,
  kPushStackFull,
  kPopStackEmpty,
  kCheckStackEmpty,
  kPasteClipboardEmpty,
  kPasteStackFull,
  kPasteInvalid,
  kPasteParentToChild,
  kGotoPlaceNotFound,
  kGotoPointNotFound,
  kShowTreeStackFull,
  kSaveOpen,
  kSaveStackFull,
  kSaveWrite,
  kLoadOpen,
  kLoadUnknownInfo,
  kLoadUnexpectedEnd,
  kLoadUnexpectedInfo,
  kWordNotInitialized,
  kWordEndOfString,
  kGenerateOpen,
  kGenerateWrite,
  kExportUnknownFormat,
  kExportTooDeep,
  kExportTooDeepForOpml,
  kExportWrite,
  kFindNotFound,
  kViewNeedsTerminal,
  kImportOpen,
  kImportRead,
  kImportUnknownFormat,
  kImportBadDatabase,
  kImportCycle,
  kImportNoProfile,
  kImportNoSuchProfile,
  kUndoNothing,
  kRedoNothing,
  kSortNoChild,
};

/// The error record. Thrown by value, caught by const reference; the one
/// place that shows it is printError().
class myException {
 public:
  explicit myException(Fault fault);
  myException(const char* name, const char* text);

  const char* getFuncName() const { return funcName; }
  const char* getMessage() const { return message; }

 private:
  char funcName[16];
  char message[32];
};

/// Writes "Error of NAME: MESSAGE" and a line end.
void printError(std::ostream& out, const myException& error);

#endif  // RAVELINK_TREE_MY_EXCEPTION_H_
