#ifndef RAVELINK_TREEFILES_FILE_LINES_H_
#define RAVELINK_TREEFILES_FILE_LINES_H_

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

#include "base/block_writer.h"

class FdStreamBuf;

// Lines of the tree files, shared by both formats.
//
// Files are read and written as binary streams; the text-mode rules are
// applied here, the same on every platform: a line written ends with CR LF;
// on reading, CR bytes are dropped wherever they stand and a byte 0x1A ends
// the file (tree/text_rules.h, the console's rules too).

/// A record's two text lines, a node's text and its href, as
/// FileLineReader::readTextLines gives them. A view lies in the reader's
/// buffer, or in its store when bytes had to be dropped or the line crossed
/// the end of a piece; either way it lives until the next read.
struct TextLines {
  std::string_view text;
  std::string_view href;
  std::uint64_t textTabs = 0;  // the tabs that began each line, when counted
  std::uint64_t hrefTabs = 0;
  std::string textStore;
  std::string hrefStore;
};

/// Reads the lines of a tree file from a stream. It reads ahead in large
/// pieces, so while it lives it is the stream's only reader, and what it has
/// read ahead is not given back: the loaders read nothing after the tree.
class FileLineReader {
 public:
  /// The size of a piece read; a line that crosses the end of one is put
  /// together in a string.
  static constexpr std::size_t kPieceSize = std::size_t{1} << 18;

  explicit FileLineReader(std::istream& in);
  FileLineReader(const FileLineReader&) = delete;
  FileLineReader& operator=(const FileLineReader&) = delete;

  /// Reads the next line into `line`, without its line feed and without
  /// any CR byte, keeping at most `keep` of its bytes: the rest of a longer
  /// line is read past in constant memory. A last line without a line feed
  /// is still a line. Returns false, with `line` empty, when the file was at
  /// its end before any byte of a line: at the end of the stream, or at a
  /// byte 0x1A, after which every further read returns false too.
  bool readFileLine(std::string& line, std::size_t keep);

  /// Reads the next line as the text of a node field, as readFileLine does,
  /// except that the control bytes 0x01 to 0x1F are dropped before `keep`
  /// counts (the writers never write them; a file from elsewhere may hold
  /// terminal escapes). When `indent` is not null, the tabs that begin the
  /// line are counted there instead of dropped.
  bool readTextLine(std::string& line, std::size_t keep, std::uint64_t* indent = nullptr);

  /// Reads two lines as readTextLine does, keeping at most `textKeep` and
  /// `hrefKeep` bytes, and counting the leading tabs of each when
  /// `countTabs`. False when the file ends before either line. A line that
  /// needs no byte dropped is not copied: its view lies in the buffer.
  bool readTextLines(TextLines& lines, std::size_t textKeep, std::size_t hrefKeep,
                     bool countTabs);

  /// Reads the next line as readFileLine(line, 1) does and gives its first
  /// byte, or NUL for an empty line. False at the end of the file.
  bool readFirstByte(char& first);

 private:
  bool readLine(std::string& line, std::size_t keep, bool asText, std::uint64_t* indent);
  /// readTextLine, with the line as a view: into the buffer when the whole
  /// line is there and no byte of it but a last CR needs dropping, else
  /// into `store`.
  bool readTextView(std::string_view& line, std::string& store, std::size_t keep,
                    std::uint64_t* indent);
  /// Reads the next piece of the stream; false at its end. A byte 0x1A in
  /// it ends the piece and the file.
  bool fill();

  std::streambuf& in_;
  FdStreamBuf* fdIn_;  // the same stream when it reads a descriptor, else null
  std::unique_ptr<char[]> buffer_;
  std::size_t begin_ = 0;  // the unread bytes are [begin_, end_)
  std::size_t end_ = 0;
  bool finished_ = false;  // the end of the stream or a 0x1A was met
  bool stopped_ = false;   // a 0x1A ended the bytes in the buffer
  // A view of a line read before, which a refill would overwrite: its bytes
  // move to the store first.
  std::string_view* held_ = nullptr;
  std::string* heldStore_ = nullptr;
  std::string spare_;
};

/// Writes `text` and CR LF, leaving out the control bytes 0x01 to 0x1F (a
/// tab, a CR or a line feed in a text would break the line structure).
/// Bytes 0x80 to 0xFF are written as they are.
void writeFileLine(std::ostream& out, const char* text);

/// Collects the lines of a tree file and hands them to the stream in large
/// pieces, the last ones at flush().
class FileLineWriter {
 public:
  explicit FileLineWriter(std::ostream& out) : out_(out) {}
  FileLineWriter(const FileLineWriter&) = delete;
  FileLineWriter& operator=(const FileLineWriter&) = delete;

  /// Writes `tabs` tab characters, then `text` as writeFileLine does.
  void writeFileLine(std::string_view text, std::size_t tabs = 0);
  /// Hands every line written so far to the stream. Throws StopRequested
  /// (base/signals.h) instead when a stop signal came: a long save ends
  /// between its pieces.
  void flush() { out_.flush(); }

 private:
  BlockWriter out_;
};

/// How many bytes of a line a field of `capacity` bytes needs kept so that
/// cutToField cuts it as storeField does: the field's bytes and the few
/// after them that the UTF-8 cut rule looks at.
constexpr std::size_t lineKeepFor(std::size_t capacity) { return capacity + 3; }

/// Cuts a line read from a file to what a node field of `capacity` bytes
/// holds, never in the middle of a UTF-8 sequence (see storeField).
void cutToField(std::string& line, std::size_t capacity);
/// The same for the two lines of a record, which also end before any NUL
/// byte, as a node's texts do.
void cutToFields(TextLines& lines, std::size_t textCapacity, std::size_t hrefCapacity);

#endif  // RAVELINK_TREEFILES_FILE_LINES_H_
