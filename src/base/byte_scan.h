#ifndef RAVELINK_BASE_BYTE_SCAN_H_
#define RAVELINK_BASE_BYTE_SCAN_H_

// Whether a run of bytes holds any byte that needs a look: the readers and
// writers copy a text whole when it holds none, and go byte by byte only
// through the rare text that does. The bytes are looked at sixteen at a
// time, all of them, which the compiler turns into a few instructions.

#include <cstddef>

/// Any byte below 0x20 (a control byte, NUL included).
bool anyControlByte(const char* bytes, std::size_t length);
/// Any byte below 0x20, or 0xC2 (the lead byte of a C1 control in UTF-8).
bool anyControlOrC1Lead(const char* bytes, std::size_t length);
/// Any byte below 0x20, or one of & < > ' (what the page escapes).
bool anyControlOrMarkup(const char* bytes, std::size_t length);

#endif  // RAVELINK_BASE_BYTE_SCAN_H_
