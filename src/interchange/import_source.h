#ifndef RAVELINK_INTERCHANGE_IMPORT_SOURCE_H_
#define RAVELINK_INTERCHANGE_IMPORT_SOURCE_H_

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "interchange/ampersand_escaper.h"
#include "interchange/byte_encoding.h"
#include "interchange/nul_filter.h"

/// The size of the pieces files are read in.
inline constexpr std::size_t kImportPieceSize = std::size_t{256} * 1024;

/// Reads the next piece of `in` into `piece` (replacing what it held);
/// false at the end. Throws {"import", "error reading file"} when the
/// stream fails other than by ending.
bool readImportPiece(std::istream& in, std::string& piece);

/// What a libxml2 parser reads through its input callbacks: the stream a
/// piece at a time, as it is, converted to UTF-8, or with raw "&" escaped;
/// and, after either, with its NULs dropped.
/// Memory stays at a piece or two however long the file.
class ImportSource {
 public:
  explicit ImportSource(std::istream& in) : in_(in) {}
  ImportSource(const ImportSource&) = delete;
  ImportSource& operator=(const ImportSource&) = delete;

  /// Converts from `encoding` (see Utf8Converter) on the way.
  void convertFrom(ByteEncoding encoding) { converter_.emplace(encoding); }
  /// Escapes every "&" that begins no reference on the way.
  void escapeAmpersands() { escaper_.emplace(); }
  /// Drops NUL bytes and references to U+0000 on the way (see NulFilter).
  void dropNuls() { nulFilter_.emplace(); }

  /// libxml2's read callback (xmlInputReadCallback); `context` is the
  /// source. Returns the bytes given, 0 at the end, -1 when reading failed.
  static int read(void* context, char* buffer, int size);
  /// libxml2's close callback; the stream belongs to the caller.
  static int close(void*) { return 0; }

  /// Throws {"import", "error reading file"} when a read failed. No
  /// exception crosses the C parser: the callback keeps the failure here.
  void checkRead() const;
  /// The "&" escaped so far.
  std::int64_t escaped() const { return escaper_ ? escaper_->escaped() : 0; }
  /// The NULs dropped so far.
  std::int64_t droppedNuls() const { return nulFilter_ ? nulFilter_->dropped() : 0; }

 private:
  /// Refills ready_; false at the end.
  bool refill();

  std::istream& in_;
  std::optional<Utf8Converter> converter_;
  std::optional<AmpersandEscaper> escaper_;
  std::optional<NulFilter> nulFilter_;
  std::string piece_;
  std::string ready_;
  std::string unfiltered_;
  std::size_t readyAt_ = 0;
  bool ended_ = false;
  bool failed_ = false;
};

#endif  // RAVELINK_INTERCHANGE_IMPORT_SOURCE_H_
