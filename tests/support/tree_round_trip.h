#ifndef RAVELINK_TESTS_SUPPORT_TREE_ROUND_TRIP_H_
#define RAVELINK_TESTS_SUPPORT_TREE_ROUND_TRIP_H_

// Saving a tree in both formats and loading it back, for the unit tests and
// the fuzz targets alike. Header-only: the fuzz targets are built from src/
// and their own folder, without the tests' support library.

#include <sstream>
#include <string>

#include "tree/ravelink.h"
#include "tree/tree_walk.h"
#include "treefiles/outline_file.h"
#include "treefiles/tree_file.h"

/// Every node in pre-order as "depth|text|href\n": compares trees whose
/// texts may hold any byte, which treeShape's notation cannot.
inline std::string treeRecords(const Ravelink& tree) {
  std::string records;
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (!walk.entering()) continue;
    const RavelinkChild* node = walk.node();
    records += std::to_string(walk.depth()) + "|" + node->getText() + "|" + node->getHref() + "\n";
  }
  return records;
}

/// The bytes of the tree in the marker format.
inline std::string savedMarkers(const Ravelink& tree) {
  std::ostringstream out;
  writeTreeFile(tree, out);
  return out.str();
}

/// The bytes of the tree in the outline format.
inline std::string savedOutline(const Ravelink& tree) {
  std::ostringstream out;
  writeVclFile(tree, out);
  return out.str();
}

/// Loads marker-format `bytes` into `tree`.
inline void loadMarkers(Ravelink& tree, const std::string& bytes) {
  std::istringstream in(bytes);
  readTreeFile(tree, in);
}

/// Loads outline `bytes` into `tree`; returns what the load wrote on the console.
inline std::string loadOutline(Ravelink& tree, const std::string& bytes) {
  std::istringstream in(bytes);
  std::ostringstream console;
  readVclFile(tree, in, console);
  return console.str();
}

/// A tree saved in both formats, each loaded back, and the loaded trees
/// saved again in the marker format.
struct RoundTrip {
  std::string markers;              // the first save
  std::string recordsFromMarkers;   // the tree loaded from it
  std::string markersAgain;         // that tree saved again
  std::string recordsFromOutline;   // the tree loaded from the outline save
  std::string outlineConsole;       // what that load wrote
  std::string markersFromOutline;   // that tree saved in the marker format
};

inline RoundTrip roundTrip(const Ravelink& tree) {
  RoundTrip trip;
  trip.markers = savedMarkers(tree);
  Ravelink fromMarkers;
  loadMarkers(fromMarkers, trip.markers);
  trip.recordsFromMarkers = treeRecords(fromMarkers);
  trip.markersAgain = savedMarkers(fromMarkers);
  Ravelink fromOutline;
  trip.outlineConsole = loadOutline(fromOutline, savedOutline(tree));
  trip.recordsFromOutline = treeRecords(fromOutline);
  trip.markersFromOutline = savedMarkers(fromOutline);
  return trip;
}

#endif  // RAVELINK_TESTS_SUPPORT_TREE_ROUND_TRIP_H_
