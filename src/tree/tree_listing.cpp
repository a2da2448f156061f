// PENDING: listing (being built).
#include "tree/ravelink.h"
void Ravelink::showTree(std::ostream&, const std::function<bool()>&) {}
