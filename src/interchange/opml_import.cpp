#include "interchange/opml_import.h"

#include <libxml/xmlreader.h>

#include <algorithm>
#include <cstring>
#include <istream>
#include <string>

#include "interchange/ampersand_escaper.h"
#include "interchange/import_source.h"
#include "interchange/opml_format.h"
#include "interchange/quiet_libxml.h"

namespace {

// The first error the reader reports; warnings do not count.
struct FirstError {
  bool seen = false;
  int line = 0;
  bool tooDeep = false;
};

void onError(void* context, xmlErrorPtr error) {
  auto* first = static_cast<FirstError*>(context);
  if (first->seen || error == nullptr || error->level < XML_ERR_ERROR) return;
  first->seen = true;
  first->line = error->line;
  first->tooDeep = error->code == XML_ERR_INTERNAL_ERROR && error->message != nullptr &&
                   std::strstr(error->message, "depth") != nullptr;
}

struct ReaderFree {
  void operator()(xmlTextReaderPtr reader) const { xmlFreeTextReader(reader); }
};

bool is(const xmlChar* name, const char* word) {
  return name != nullptr && std::strcmp(reinterpret_cast<const char*>(name), word) == 0;
}

std::string copy(const xmlChar* value) {
  return value != nullptr ? reinterpret_cast<const char*>(value) : "";
}

// True when two texts read the same once cleaned (white space and all).
bool sameText(const std::string& one, const std::string& other) {
  TextCollector first, second;
  first.append(one.data(), one.size());
  second.append(other.data(), other.size());
  return first.take() == second.take();
}

// The walk over the reader's nodes: head/title, and the outlines of body
// with the folder stack of the imported tree.
class OpmlWalk {
 public:
  OpmlWalk(xmlTextReaderPtr reader, ImportRun& run) : reader_(reader), run_(run) {}

  void element(const xmlChar* name, int depth);
  void endElement(const xmlChar* name, int depth);
  void text() {
    if (inTitle_) {
      const char* value = reinterpret_cast<const char*>(xmlTextReaderConstValue(reader_));
      if (value != nullptr) title_.append(value, std::strlen(value));
    }
  }

 private:
  void outline();

  xmlTextReaderPtr reader_;
  ImportRun& run_;
  bool inHead_ = false;
  bool inBody_ = false;
  bool inTitle_ = false;
  bool sawTitle_ = false;
  TextCollector title_;
};

void OpmlWalk::element(const xmlChar* name, int depth) {
  bool empty = xmlTextReaderIsEmptyElement(reader_) == 1;
  if (depth == 0) {
    if (!is(name, kOpmlRoot)) throw myException(Fault::kImportUnknownFormat);
  } else if (depth == 1) {
    inHead_ = is(name, kOpmlHead) && !empty;
    inBody_ = is(name, kOpmlBody) && !empty;
  } else if (inHead_ && depth == 2 && is(name, kOpmlTitle) && !sawTitle_) {
    sawTitle_ = true;
    inTitle_ = !empty;
  } else if (inBody_ && is(name, kOpmlOutline)) {
    outline();
  }
}

void OpmlWalk::endElement(const xmlChar* name, int depth) {
  if (depth == 1) {
    inHead_ = inBody_ = false;
  } else if (inTitle_ && depth == 2) {
    inTitle_ = false;
    run_.tree.setTitle(title_);
  } else if (inBody_ && is(name, kOpmlOutline)) {
    run_.tree.close();
  }
}

void OpmlWalk::outline() {
  bool empty = xmlTextReaderIsEmptyElement(reader_) == 1;
  std::string text, title, url, htmlUrl, xmlUrl;
  bool folderLink = false;
  ImportReport& report = run_.report;
  while (xmlTextReaderMoveToNextAttribute(reader_) == 1) {
    const xmlChar* key = xmlTextReaderConstLocalName(reader_);
    const xmlChar* value = xmlTextReaderConstValue(reader_);
    if (is(key, kOpmlText)) {
      text = copy(value);
    } else if (is(key, kOpmlTitleAttribute)) {
      title = copy(value);
    } else if (is(key, kOpmlUrl)) {
      url = copy(value);
    } else if (is(key, kOpmlHtmlUrl)) {
      htmlUrl = copy(value);
    } else if (is(key, kOpmlXmlUrl)) {
      xmlUrl = copy(value);
    } else if (is(key, kFolderLinkAttribute) && is(value, kFolderLinkValue)) {
      folderLink = true;
    } else if (is(key, kOpmlType)) {
      // The href is found the same way for every type ("link", "rss",
      // "include", in any case), so the type itself carries nothing more.
    } else if (is(key, "created")) {
      report.count(Loss::kDates);
    } else if (is(key, "category")) {
      report.count(Loss::kTags);
    } else if (is(key, "description") || is(key, "_note")) {
      report.count(Loss::kDescriptions);
    } else {
      report.count(Loss::kOtherAttributes);
    }
  }
  xmlTextReaderMoveToElement(reader_);
  const std::string& name = !text.empty() ? text : title;
  const std::string& href = !url.empty() ? url : !htmlUrl.empty() ? htmlUrl : xmlUrl;
  // A second address (a feed's, beside its site's) or a title that says
  // more than the text is dropped: counted.
  for (const std::string* other : {&url, &htmlUrl, &xmlUrl}) {
    if (!other->empty() && *other != href) report.count(Loss::kOtherAttributes);
  }
  if (&name == &text && !title.empty() && !sameText(title, text)) {
    report.count(Loss::kOtherAttributes);
  }
  TextCollector collected;
  collected.append(name.data(), name.size());
  if (folderLink && empty && !href.empty()) {
    // The root's own link (or a folder's, first in it), as export writes it.
    run_.tree.addFolderLink(href, collected);
    return;
  }
  RavelinkChild* node = nullptr;
  if (!href.empty()) node = run_.tree.addLink(href, collected);
  if (node == nullptr && (href.empty() || !empty)) {
    // A folder; or an outline whose href was skipped, kept as a folder
    // for the outlines below it (addLink took the text: gather it again).
    if (!href.empty()) collected.append(name.data(), name.size());
    node = run_.tree.addFolder(collected);
  }
  if (!empty) run_.tree.open(node);
}

// One reading of the whole file; false, with `error` set, when the reader
// stopped at an error.
bool readOnce(std::istream& in, bool escape, ImportRun& run, FirstError& error,
              std::int64_t& escaped) {
  QuietLibxml quiet;
  ImportSource source(in);
  if (escape) source.escapeAmpersands();
  std::unique_ptr<xmlTextReader, ReaderFree> reader(xmlReaderForIO(
      ImportSource::read, ImportSource::close, &source, nullptr, nullptr, XML_PARSE_NONET));
  if (!reader) {
    source.checkRead();
    throw myException(Fault::kImportUnknownFormat);
  }
  xmlTextReaderSetStructuredErrorHandler(reader.get(), onError, &error);
  OpmlWalk walk(reader.get(), run);
  int status;
  while ((status = xmlTextReaderRead(reader.get())) == 1) {
    int type = xmlTextReaderNodeType(reader.get());
    int depth = xmlTextReaderDepth(reader.get());
    const xmlChar* name = xmlTextReaderConstLocalName(reader.get());
    if (type == XML_READER_TYPE_ELEMENT) {
      walk.element(name, depth);
    } else if (type == XML_READER_TYPE_END_ELEMENT) {
      walk.endElement(name, depth);
    } else if (type == XML_READER_TYPE_TEXT || type == XML_READER_TYPE_CDATA ||
               type == XML_READER_TYPE_SIGNIFICANT_WHITESPACE) {
      walk.text();
    }
  }
  source.checkRead();
  escaped = source.escaped();
  return status == 0 && !error.seen;
}

[[noreturn]] void throwAtLine(const char* what, int line) {
  std::string message = std::string(what) + " at line " + std::to_string(line);
  throw myException("import", message.c_str());
}

}  // namespace

std::unique_ptr<ImportRun> readOpmlFile(std::istream& in) {
  xmlInitParser();
  std::streampos start = in.tellg();
  auto run = std::make_unique<ImportRun>();
  FirstError error;
  std::int64_t escaped = 0;
  if (readOnce(in, false, *run, error, escaped)) return run;
  if (error.tooDeep) throwAtLine("too deep", error.line);

  // A raw "&" is the usual fault: read the file again with them escaped,
  // into a fresh tree.
  in.clear();
  in.seekg(start);
  run = std::make_unique<ImportRun>();
  error = FirstError();
  if (!readOnce(in, true, *run, error, escaped)) {
    throwAtLine(error.tooDeep ? "too deep" : "bad XML", error.line);
  }
  run->report.escapedAmpersands = escaped;
  return run;
}
