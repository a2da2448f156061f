// The OPML writer (see export_file.h): libxml2's xmlTextWriter does the
// escaping and the structure; the indentation is written here, so that it
// can stop growing at kMaxIndentLevels.
#include <libxml/xmlerror.h>
#include <libxml/xmlwriter.h>

#include <ostream>
#include <string>

#include "interchange/export_file.h"
#include "interchange/export_text.h"
#include "interchange/opml_format.h"
#include "tree/my_exception.h"
#include "tree/tree_walk.h"

namespace {

const auto* xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

int writeToStream(void* context, const char* bytes, int length) {
  auto* out = static_cast<std::ostream*>(context);
  out->write(bytes, length);
  return *out ? length : -1;
}

// libxml2 reports a failed write on stderr as well as in the return value;
// the return value is what counts here, so its reports are kept quiet for
// as long as a writer lives, and the handlers before are put back after.
class QuietLibxml {
 public:
  QuietLibxml()
      : generic_(xmlGenericError),
        genericContext_(xmlGenericErrorContext),
        structured_(xmlStructuredError),
        structuredContext_(xmlStructuredErrorContext) {
    xmlSetGenericErrorFunc(nullptr, ignore);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
  }
  ~QuietLibxml() {
    xmlSetGenericErrorFunc(genericContext_, generic_);
    xmlSetStructuredErrorFunc(structuredContext_, structured_);
  }
  QuietLibxml(const QuietLibxml&) = delete;
  QuietLibxml& operator=(const QuietLibxml&) = delete;

 private:
  static void ignore(void*, const char*, ...) {}
  xmlGenericErrorFunc generic_;
  void* genericContext_;
  xmlStructuredErrorFunc structured_;
  void* structuredContext_;
};

class OpmlWriter {
 public:
  explicit OpmlWriter(std::ostream& out) {
    xmlOutputBufferPtr buffer = xmlOutputBufferCreateIO(writeToStream, nullptr, &out, nullptr);
    if (buffer != nullptr) writer_ = xmlNewTextWriter(buffer);  // owns the buffer now
    ok_ = writer_ != nullptr;
  }
  ~OpmlWriter() {
    if (writer_ != nullptr) xmlFreeTextWriter(writer_);
  }
  OpmlWriter(const OpmlWriter&) = delete;
  OpmlWriter& operator=(const OpmlWriter&) = delete;

  void begin(const char* title) {
    if (!ok_) return;
    check(xmlTextWriterStartDocument(writer_, nullptr, "UTF-8", nullptr));
    check(xmlTextWriterStartElement(writer_, xml(kOpmlRoot)));
    check(xmlTextWriterWriteAttribute(writer_, xml(kOpmlVersionAttribute), xml(kOpmlVersion)));
    lineBreak(1);
    check(xmlTextWriterStartElement(writer_, xml(kOpmlHead)));
    lineBreak(2);
    check(xmlTextWriterWriteElement(writer_, xml(kOpmlTitle), xml(clean(title))));
    lineBreak(1);
    check(xmlTextWriterEndElement(writer_));
    lineBreak(1);
    check(xmlTextWriterStartElement(writer_, xml(kOpmlBody)));
  }

  // Starts the outline of `node` at `level` (1 for the root's children);
  // `hasChildren` leaves it open for them. `folderLink` marks the root's
  // own link.
  void outline(std::int64_t level, const RavelinkChild* node, bool hasChildren,
               bool folderLink = false) {
    if (!ok_) return;
    lineBreak(level + 1);
    check(xmlTextWriterStartElement(writer_, xml(kOpmlOutline)));
    check(xmlTextWriterWriteAttribute(writer_, xml(kOpmlText), xml(clean(node->getText()))));
    if (node->getHref()[0] != '\0') {
      check(xmlTextWriterWriteAttribute(writer_, xml(kOpmlType), xml(kOpmlLinkType)));
      check(xmlTextWriterWriteAttribute(writer_, xml(kOpmlUrl), xml(clean(node->getHref()))));
    }
    if (folderLink) {
      check(xmlTextWriterWriteAttribute(writer_, xml(kFolderLinkAttribute), xml(kFolderLinkValue)));
    }
    if (!hasChildren) check(xmlTextWriterEndElement(writer_));  // written as <outline .../>
  }

  void closeOutline(std::int64_t level) {
    if (!ok_) return;
    lineBreak(level + 1);
    check(xmlTextWriterEndElement(writer_));
  }

  // Ends body and opml; true when everything reached the stream.
  bool end() {
    if (!ok_) return false;
    lineBreak(1);
    check(xmlTextWriterEndElement(writer_));
    lineBreak(0);
    check(xmlTextWriterEndDocument(writer_));
    check(xmlTextWriterFlush(writer_));
    return ok_;
  }

 private:
  // Once the writer failed, every further call is skipped.
  void check(int result) {
    if (result < 0) ok_ = false;
  }

  void lineBreak(std::int64_t level) {
    if (!ok_) return;
    const std::int64_t levels = level < kMaxIndentLevels ? level : kMaxIndentLevels;
    indent_.assign(1, '\n');
    indent_.append(static_cast<std::size_t>(levels) * 2, ' ');
    check(xmlTextWriterWriteRaw(writer_, xml(indent_.c_str())));
  }

  const char* clean(const char* field) { return exportText(field, scratch_); }

  xmlTextWriterPtr writer_ = nullptr;
  bool ok_ = false;
  std::string indent_;
  std::string scratch_;
};

}  // namespace

void writeOpmlFile(const Ravelink& tree, std::ostream& out) {
  // Refused before a byte is written: a file our own import cannot read
  // back is no export.
  for (TreeWalk walk(tree.getRoot()); walk.next();) {
    if (walk.depth() > kMaxOpmlDepth) throw myException(Fault::kExportTooDeepForOpml);
  }
  QuietLibxml quiet;
  OpmlWriter writer(out);
  const RavelinkChild* root = tree.getRoot();
  writer.begin(root->getText());
  // The root's own link, when it has one, comes first at the top level.
  if (root->getHref()[0] != '\0') writer.outline(1, root, false, true);
  TreeWalk walk(root);
  walk.next();  // the root: the head and body are its
  while (walk.next() && walk.node() != root) {
    const RavelinkChild* node = walk.node();
    const bool hasChildren = node->getFirstChild() != nullptr;
    if (walk.entering()) {
      writer.outline(walk.depth(), node, hasChildren);
    } else if (hasChildren) {
      writer.closeOutline(walk.depth());
    }
  }
  if (!writer.end() || !out) throw myException(Fault::kExportWrite);
}
