#ifndef RAVELINK_TREEFILES_FILE_LINES_H_
#define RAVELINK_TREEFILES_FILE_LINES_H_

#include <cstddef>
#include <fstream>
#include <iosfwd>
#include <string>

// Lines of the tree files, shared by both formats.
//
// Files are read and written as binary streams; the text-mode rules are
// applied here, the same on every platform: a line written ends with CR LF;
// on reading, CR bytes are dropped wherever they stand and a byte 0x1A ends
// the file.

/// Reads the next line of `in` whole, however long, into `line`, without its
/// line feed and without any CR byte. A last line without a line feed is
/// still a line. Returns false, with `line` empty, when the file was at its
/// end before any byte of a line: at the end of the stream, or at a byte
/// 0x1A, after which every further read returns false too.
bool readFileLine(std::istream& in, std::string& line);

/// Writes `text` and CR LF, leaving out the control bytes 0x01 to 0x1F (a
/// tab, a CR or a line feed in a text would break the line structure).
/// Bytes 0x80 to 0xFF are written as they are.
void writeFileLine(std::ostream& out, const char* text);

/// Opens `name` for reading as a tree file. False when it cannot be opened
/// or is neither a file nor a pipe (a folder, a device).
bool openTreeFile(std::ifstream& in, const char* name);

/// Cuts a line read from a file to what a node field of `capacity` bytes
/// holds, never in the middle of a UTF-8 sequence (see storeField).
void cutToField(std::string& line, std::size_t capacity);

#endif  // RAVELINK_TREEFILES_FILE_LINES_H_
