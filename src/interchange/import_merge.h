#ifndef RAVELINK_INTERCHANGE_IMPORT_MERGE_H_
#define RAVELINK_INTERCHANGE_IMPORT_MERGE_H_

#include <unordered_set>

#include "interchange/import_report.h"
#include "tree/ravelink.h"

// Importing a file again adds only what is new. A folder is a node with
// children or without an href. Below the node imported into, and below
// every folder merged into, an incoming link whose href is the same link
// (tree/same_link.h) as a child's that was there before the import is not
// added again; an incoming folder whose text equals that of a folder child
// that was there before is merged into it (the n-th incoming folder of a
// text into the n-th such child) when its href, if any, is that child's
// too. What is added goes in as the last children, through the tree, so
// the undo history records it; current stays.

/// Moves the children of the detached `holder` into the tree below its
/// current node by the rules above; `holder` is left empty. The report's
/// links and folders then count only what was added (`madeFolders` tells
/// which incoming nodes were counted as folders), and alreadyHere the
/// links not added again.
void mergeImported(Ravelink& tree, RavelinkChild* holder,
                   const std::unordered_set<const RavelinkChild*>& madeFolders,
                   ImportReport& report);

#endif  // RAVELINK_INTERCHANGE_IMPORT_MERGE_H_
