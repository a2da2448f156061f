// PENDING: working places (being built).
#include "tree/ravelink.h"
void Ravelink::setWorkPlace(int) {}
void Ravelink::treeGotoWorkPlc(int) { throw myException("treeGotoWorkPlc", "not built yet"); }
void Ravelink::move12() { treeGotoWorkPlc(1); }
