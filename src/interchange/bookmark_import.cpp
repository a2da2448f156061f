#include "interchange/bookmark_import.h"

#include <libxml/HTMLparser.h>
#include <libxml/encoding.h>
#include <libxml/parserInternals.h>
#include <strings.h>

#include <cstring>
#include <istream>
#include <memory>
#include <new>
#include <string>

#include "interchange/bookmark_format.h"
#include "interchange/bookmark_scan.h"
#include "interchange/import_source.h"
#include "interchange/quiet_libxml.h"

namespace {

// The HTML parser hands over tag and attribute names in lower case; the
// names of bookmark_format.h are upper case, as written.
bool is(const xmlChar* name, const char* word) {
  return ::strcasecmp(reinterpret_cast<const char*>(name), word) == 0;
}

bool isHeading(const xmlChar* name) {
  return name[0] == 'h' && name[1] >= '1' && name[1] <= '6' && name[2] == '\0';
}

// The SAX walk: the parser calls these for every tag and text; they drive
// the folder stack of the imported tree.
class BookmarkWalk {
 public:
  BookmarkWalk(ImportedTree& tree, ImportReport& report) : tree_(tree), report_(report) {}

  void start(const xmlChar* name, const xmlChar** attributes);
  void end(const xmlChar* name);
  void text(const xmlChar* bytes, int size) {
    if (capture_ != kNone) text_.append(reinterpret_cast<const char*>(bytes), size);
  }
  /// Ends a link or a heading left open at the end of the file.
  void finish() { endCapture(); }

 private:
  enum Capture { kNone, kTitle, kFileHeading, kHeading, kLink };

  void startLink(const xmlChar** attributes);
  void countHeadingAttributes(const xmlChar** attributes);
  void endCapture();

  ImportedTree& tree_;
  ImportReport& report_;
  TextCollector text_;
  Capture capture_ = kNone;
  std::string href_;
  bool folderLink_ = false;
  bool sawFileHeading_ = false;
  bool sawTitle_ = false;
  // A folder named by its heading, waiting for the DL that opens it. A
  // folder whose DL never comes stays empty.
  RavelinkChild* namedFolder_ = nullptr;
};

void BookmarkWalk::start(const xmlChar* name, const xmlChar** attributes) {
  bool structural = is(name, kBookmarkLink) || is(name, kBookmarkItem) || is(name, kBookmarkList) ||
                    is(name, "dd") || is(name, "hr") || isHeading(name);
  // A link or heading never closed ends where the next item begins.
  if (structural && (capture_ == kLink || capture_ == kHeading || capture_ == kFileHeading)) {
    endCapture();
  }
  if (is(name, kBookmarkLink)) {
    namedFolder_ = nullptr;
    startLink(attributes);
  } else if (is(name, kBookmarkList)) {
    if (namedFolder_ != nullptr) {
      tree_.open(namedFolder_);
    } else {
      tree_.openTopAgain();
    }
    namedFolder_ = nullptr;
  } else if (is(name, "h1") && !sawFileHeading_) {
    sawFileHeading_ = true;
    capture_ = kFileHeading;
  } else if (isHeading(name)) {
    namedFolder_ = nullptr;
    countHeadingAttributes(attributes);
    capture_ = kHeading;
  } else if (is(name, "hr")) {
    report_.count(Loss::kSeparators);
  } else if (is(name, "dd")) {
    report_.count(Loss::kDescriptions);
  } else if (is(name, "title") && !sawTitle_ && capture_ == kNone) {
    sawTitle_ = true;
    capture_ = kTitle;
  }
}

void BookmarkWalk::end(const xmlChar* name) {
  if ((capture_ == kLink && is(name, kBookmarkLink)) || (capture_ == kTitle && is(name, "title")) ||
      ((capture_ == kHeading || capture_ == kFileHeading) && isHeading(name))) {
    endCapture();
  } else if (is(name, kBookmarkList)) {
    if (capture_ == kLink || capture_ == kHeading) endCapture();
    namedFolder_ = nullptr;
    tree_.close();
  }
}

void BookmarkWalk::startLink(const xmlChar** attributes) {
  ++report_.linkTagsRead;
  capture_ = kLink;
  href_.clear();
  folderLink_ = false;
  for (const xmlChar** at = attributes; at != nullptr && at[0] != nullptr; at += 2) {
    const xmlChar* key = at[0];
    if (is(key, kBookmarkHref)) {
      if (at[1] != nullptr) href_ = reinterpret_cast<const char*>(at[1]);
    } else if (is(key, kFolderLinkAttribute)) {
      folderLink_ = true;
    } else if (is(key, "add_date") || is(key, "last_modified") || is(key, "last_visit")) {
      report_.count(Loss::kDates);
    } else if (is(key, "icon") || is(key, "icon_uri")) {
      report_.count(Loss::kIcons);
    } else if (is(key, "tags")) {
      report_.count(Loss::kTags);
    } else if (is(key, "shortcuturl")) {
      report_.count(Loss::kKeywords);
    } else {
      report_.count(Loss::kOtherAttributes);
    }
  }
}

void BookmarkWalk::countHeadingAttributes(const xmlChar** attributes) {
  for (const xmlChar** at = attributes; at != nullptr && at[0] != nullptr; at += 2) {
    const xmlChar* key = at[0];
    if (is(key, "add_date") || is(key, "last_modified")) {
      report_.count(Loss::kDates);
    } else if (is(key, "personal_toolbar_folder") || is(key, "unfiled_bookmarks_folder") ||
               is(key, "folded")) {
      report_.count(Loss::kToolbarFlags);
    } else {
      report_.count(Loss::kOtherAttributes);
    }
  }
}

void BookmarkWalk::endCapture() {
  Capture done = capture_;
  capture_ = kNone;
  switch (done) {
    case kNone:
      return;
    case kTitle:
      // The H1 names the file where there is one; the TITLE only otherwise.
      if (!tree_.hasTitle()) {
        tree_.setTitle(text_);
      } else {
        text_.take();
      }
      return;
    case kFileHeading:
      tree_.setTitle(text_);
      return;
    case kHeading:
      namedFolder_ = tree_.addFolder(text_);
      return;
    case kLink:
      if (folderLink_) {
        tree_.addFolderLink(href_, text_);
      } else {
        tree_.addLink(href_, text_);
      }
      return;
  }
}

// The SAX callbacks. No exception may cross the C parser: a failed
// allocation stops the parser and is thrown again once it has returned.
struct SaxState {
  BookmarkWalk walk;
  xmlParserCtxtPtr parser = nullptr;
  bool outOfMemory = false;
};

template <typename Step>
void guarded(void* context, Step step) {
  auto* state = static_cast<SaxState*>(context);
  if (state->outOfMemory) return;
  try {
    step(state->walk);
  } catch (const std::bad_alloc&) {
    state->outOfMemory = true;
    xmlStopParser(state->parser);
  }
}

void onStart(void* context, const xmlChar* name, const xmlChar** attributes) {
  guarded(context, [&](BookmarkWalk& walk) { walk.start(name, attributes); });
}

void onEnd(void* context, const xmlChar* name) {
  guarded(context, [&](BookmarkWalk& walk) { walk.end(name); });
}

void onText(void* context, const xmlChar* bytes, int size) {
  guarded(context, [&](BookmarkWalk& walk) { walk.text(bytes, size); });
}

// The parser's complaints about tag soup are no news to the user: every
// bookmark file is tag soup. What was not read shows in the link count.
void onError(void*, xmlErrorPtr) {}

struct ParserFree {
  void operator()(xmlParserCtxtPtr parser) const {
    if (parser->myDoc != nullptr) xmlFreeDoc(parser->myDoc);
    htmlFreeParserCtxt(parser);
  }
};

// A parser that calls the walk of `state` and reads `source`. The text
// reaches it as UTF-8, unless `handler` (which it then owns) converts a
// charset named in the file; it never switches on a META tag of its own
// accord. The parser pulls its input through the source: libxml2's push
// parser keeps every byte pushed until the end (136 MB held for a 100 MB
// file), the pulling one only what it has not parsed yet.
std::unique_ptr<xmlParserCtxt, ParserFree> newParser(SaxState& state, ImportSource& source,
                                                     xmlCharEncodingHandlerPtr handler) {
  std::unique_ptr<xmlParserCtxt, ParserFree> parser(htmlNewParserCtxt());
  xmlParserInputBufferPtr buffer =
      parser ? xmlParserInputBufferCreateIO(ImportSource::read, ImportSource::close, &source,
                                            XML_CHAR_ENCODING_NONE)
             : nullptr;
  xmlParserInputPtr input =
      buffer ? xmlNewIOInputStream(parser.get(), buffer, XML_CHAR_ENCODING_NONE) : nullptr;
  if (input == nullptr) {
    if (buffer != nullptr) xmlFreeParserInputBuffer(buffer);
    if (handler != nullptr) xmlCharEncCloseFunc(handler);
    throw std::bad_alloc();
  }
  inputPush(parser.get(), input);
  htmlSAXHandler sax;
  std::memset(&sax, 0, sizeof sax);
  sax.initialized = XML_SAX2_MAGIC;  // so that serror is used
  sax.startElement = onStart;
  sax.endElement = onEnd;
  sax.characters = onText;
  sax.ignorableWhitespace = onText;
  sax.serror = onError;
  std::memcpy(parser->sax, &sax, sizeof sax);
  parser->userData = &state;
  state.parser = parser.get();
  htmlCtxtUseOptions(parser.get(), HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING |
                                       HTML_PARSE_IGNORE_ENC);
  if (handler != nullptr) {
    xmlSwitchToEncoding(parser.get(), handler);
  } else {
    xmlSwitchEncoding(parser.get(), XML_CHAR_ENCODING_UTF8);
  }
  return parser;
}

}  // namespace

std::unique_ptr<ImportRun> readBookmarkFile(std::istream& in) {
  auto run = std::make_unique<ImportRun>();
  std::streampos start = in.tellg();
  BookmarkBytes bytes = scanBookmarkBytes(in);
  xmlCharEncodingHandlerPtr handler = nullptr;
  if (bytes.encoding == ByteEncoding::kNamed) {
    handler = xmlFindCharEncodingHandler(bytes.charset.c_str());
    if (handler == nullptr) {
      // A name nobody knows: judged by the bytes, as if none were declared.
      bytes.encoding = bytes.validUtf8 ? ByteEncoding::kUtf8 : ByteEncoding::kWindows1252;
    }
  }
  run->report.linkTagsInFile = bytes.linkTags;
  in.clear();
  in.seekg(start);
  in.ignore(static_cast<std::streamsize>(bytes.bomLength));

  ImportSource source(in);
  if (bytes.encoding != ByteEncoding::kUtf8 && bytes.encoding != ByteEncoding::kNamed) {
    source.convertFrom(bytes.encoding);
  }
  source.dropNuls();
  SaxState state{BookmarkWalk(run->tree, run->report)};
  QuietLibxml quiet;
  auto parser = newParser(state, source, handler);
  htmlParseDocument(parser.get());
  source.checkRead();
  if (state.outOfMemory) throw std::bad_alloc();
  state.walk.finish();
  run->report.count(Loss::kControlBytes, source.droppedNuls());
  return run;
}
