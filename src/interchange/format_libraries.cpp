#include "interchange/format_libraries.h"

#include <ostream>

void writeMissingLibrary(std::ostream& out, const MissingLibrary& missing) {
  out << "This build cannot " << (missing.writing ? "write " : "read ") << missing.format
      << ": it was built without " << missing.library << ".\n";
}
