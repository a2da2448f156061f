// PENDING: sample tree (being built).
#include "tree/ravelink.h"
void Ravelink::buildSample(std::ostream&) { clearTree(); }
