#ifndef RAVELINK_TESTS_FUZZ_FUZZ_CHECKS_H_
#define RAVELINK_TESTS_FUZZ_FUZZ_CHECKS_H_

#include <cstdlib>

#include "../support/tree_round_trip.h"

// What must hold for any tree a loader built, whole or partial: saved in
// either format it loads back without error, and saving that gives the same
// bytes again. A broken link or a misplaced cursor shows up here as a crash,
// a sanitizer report, or differing bytes.
inline void checkSavesAndLoadsBack(Ravelink& tree) {
  const RoundTrip trip = roundTrip(tree);
  if (trip.markersAgain != trip.markers) std::abort();
  if (!trip.outlineConsole.empty() || trip.markersFromOutline != trip.markers) std::abort();
}

#endif  // RAVELINK_TESTS_FUZZ_FUZZ_CHECKS_H_
