#include "interchange/bookmark_scan.h"

#include <cstring>
#include <istream>
#include <string_view>

#include "interchange/import_source.h"

void LinkTagCounter::feed(const char* data, std::size_t size) {
  std::size_t i = 0;
  while (i < size) {
    if (state_ == 0) {
      const void* found = std::memchr(data + i, '<', size - i);
      if (found == nullptr) return;
      i = static_cast<std::size_t>(static_cast<const char*>(found) - data) + 1;
      state_ = 1;
      continue;
    }
    char c = data[i++];
    if (state_ == 1) {
      state_ = c == 'a' || c == 'A' ? 2 : c == '<' ? 1 : 0;
    } else {
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '>' || c == '/') {
        ++count_;
      }
      state_ = c == '<' ? 1 : 0;
    }
  }
}

BookmarkBytes scanBookmarkBytes(std::istream& in) {
  BookmarkBytes bytes;
  std::string piece;
  bool first = true;
  bool declaredUtf8 = false;
  Utf8Check check;
  LinkTagCounter counter;
  Utf8Converter fromUtf16(ByteEncoding::kUtf16Le);
  std::string converted;
  while (readImportPiece(in, piece)) {
    std::string_view data(piece);
    if (first) {
      first = false;
      bytes.bomLength = byteOrderMark(data, bytes.encoding);
      data.remove_prefix(bytes.bomLength);
      if (bytes.encoding == ByteEncoding::kUtf16Be) fromUtf16 = Utf8Converter(bytes.encoding);
      if (bytes.encoding == ByteEncoding::kUtf8) {
        bytes.encoding = ByteEncoding::kUnknown;  // checked like a declared UTF-8
        declaredUtf8 = true;
      } else if (bytes.encoding == ByteEncoding::kUnknown) {
        std::string charset = declaredCharset(data.substr(0, 8192));
        ByteEncoding declared =
            charset.empty() ? ByteEncoding::kUnknown : encodingOfCharset(charset);
        // A UTF-16 or UTF-32 name in an 8-bit file cannot be right: the
        // file says so in ASCII. Judge it by its bytes instead.
        if (declared == ByteEncoding::kUtf16Le || declared == ByteEncoding::kUtf16Be ||
            isWideCharset(charset)) {
          declared = ByteEncoding::kUnknown;
        }
        declaredUtf8 = declared == ByteEncoding::kUtf8;
        if (!declaredUtf8) bytes.encoding = declared;
        if (declared == ByteEncoding::kNamed) bytes.charset = charset;
      }
    }
    if (bytes.encoding == ByteEncoding::kUtf16Le || bytes.encoding == ByteEncoding::kUtf16Be) {
      converted.clear();
      fromUtf16.convert(data.data(), data.size(), converted);
      counter.feed(converted.data(), converted.size());
      continue;
    }
    if (bytes.encoding == ByteEncoding::kUnknown || bytes.encoding == ByteEncoding::kNamed) {
      check.feed(data.data(), data.size());
    }
    counter.feed(data.data(), data.size());
  }
  bytes.validUtf8 = check.validAtEnd();
  if (bytes.encoding == ByteEncoding::kUnknown) {
    bytes.encoding = check.validAtEnd() ? ByteEncoding::kUtf8
                     : declaredUtf8     ? ByteEncoding::kUtf8Damaged
                                        : ByteEncoding::kWindows1252;
  }
  bytes.linkTags = counter.count();
  return bytes;
}
