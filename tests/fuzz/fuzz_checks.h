#ifndef RAVELINK_TESTS_FUZZ_FUZZ_CHECKS_H_
#define RAVELINK_TESTS_FUZZ_FUZZ_CHECKS_H_

#include <cstdlib>
#include <sstream>
#include <string>

#include "tree/ravelink.h"
#include "treefiles/outline_file.h"
#include "treefiles/tree_file.h"

// What must hold for any tree a loader built, whole or partial: saved in
// either format it loads back without error, and saving that gives the same
// bytes again. A broken link or a misplaced cursor shows up here as a crash,
// a sanitizer report, or differing bytes.
inline void checkSavesAndLoadsBack(Ravelink& tree) {
  std::ostringstream markers, outline;
  writeTreeFile(tree, markers);
  writeVclFile(tree, outline);

  Ravelink fromMarkers;
  std::istringstream markerIn(markers.str());
  readTreeFile(fromMarkers, markerIn);
  std::ostringstream markersAgain;
  writeTreeFile(fromMarkers, markersAgain);
  if (markersAgain.str() != markers.str()) std::abort();

  Ravelink fromOutline;
  std::istringstream outlineIn(outline.str());
  std::ostringstream console;
  readVclFile(fromOutline, outlineIn, console);
  std::ostringstream markersFromOutline;
  writeTreeFile(fromOutline, markersFromOutline);
  if (!console.str().empty() || markersFromOutline.str() != markers.str()) std::abort();
}

#endif  // RAVELINK_TESTS_FUZZ_FUZZ_CHECKS_H_
