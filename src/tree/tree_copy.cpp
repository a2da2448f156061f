// PENDING: copy and paste (being built).
#include "tree/ravelink.h"
void Ravelink::treePaste() { throw myException("treePaste", "not built yet"); }
void Ravelink::pasteBefore() { treePaste(); }
void Ravelink::pasteAfter() { treePaste(); }
void Ravelink::pasteAsChild() { treePaste(); }
