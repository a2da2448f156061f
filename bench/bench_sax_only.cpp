// bench_sax_only FILE [push]: how fast libxml2's HTML parser alone gets
// through a bookmark file, with SAX callbacks that only count elements and
// text pieces: the floor under import, which does the same parse and builds
// the tree on top. Like import, the parser pulls the file through input
// callbacks in 256 KiB pieces, as UTF-8; with "push", the file is pushed to
// libxml2's push parser in such pieces instead (which keeps every byte
// pushed until the end). Prints the seconds, the elements and the links.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#ifdef RAVELINK_HAVE_LIBXML2
#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>

namespace {

struct Counts {
  long elements = 0;
  long links = 0;
  long texts = 0;
};

void onStart(void* context, const xmlChar* name, const xmlChar**) {
  auto* counts = static_cast<Counts*>(context);
  ++counts->elements;
  if (name[0] == 'a' && name[1] == '\0') ++counts->links;
}

void onText(void* context, const xmlChar*, int) { ++static_cast<Counts*>(context)->texts; }

void onError(void*, xmlErrorPtr) {}

int readPiece(void* context, char* buffer, int size) {
  auto* in = static_cast<std::ifstream*>(context);
  in->read(buffer, size);
  return static_cast<int>(in->gcount());
}

int closeNothing(void*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: bench_sax_only FILE [push]\n");
    return 2;
  }
  bool push = argc == 3 && std::strcmp(argv[2], "push") == 0;
  auto started = std::chrono::steady_clock::now();
  std::ifstream in(argv[1], std::ios::binary);
  htmlSAXHandler sax;
  std::memset(&sax, 0, sizeof sax);
  sax.initialized = XML_SAX2_MAGIC;
  sax.startElement = onStart;
  sax.characters = onText;
  sax.serror = onError;
  Counts counts;
  const int options =
      HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_IGNORE_ENC;
  if (push) {
    htmlParserCtxtPtr parser =
        htmlCreatePushParserCtxt(&sax, &counts, nullptr, 0, nullptr, XML_CHAR_ENCODING_UTF8);
    htmlCtxtUseOptions(parser, options);
    std::string piece(256 * 1024, '\0');
    while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
      htmlParseChunk(parser, piece.data(), static_cast<int>(in.gcount()), 0);
    }
    htmlParseChunk(parser, nullptr, 0, 1);
    htmlFreeParserCtxt(parser);
  } else {
    std::vector<char> buffer(256 * 1024);
    in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    htmlParserCtxtPtr parser = htmlNewParserCtxt();
    xmlParserInputBufferPtr input =
        xmlParserInputBufferCreateIO(readPiece, closeNothing, &in, XML_CHAR_ENCODING_NONE);
    inputPush(parser, xmlNewIOInputStream(parser, input, XML_CHAR_ENCODING_NONE));
    std::memcpy(parser->sax, &sax, sizeof sax);
    parser->userData = &counts;
    htmlCtxtUseOptions(parser, options);
    xmlSwitchEncoding(parser, XML_CHAR_ENCODING_UTF8);
    htmlParseDocument(parser);
    if (parser->myDoc != nullptr) xmlFreeDoc(parser->myDoc);
    htmlFreeParserCtxt(parser);
  }
  double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("%.3f s, %ld elements, %ld links, %ld text pieces\n", seconds, counts.elements,
              counts.links, counts.texts);
  return 0;
}
#else
int main() {
  std::fprintf(stderr, "bench_sax_only: built without libxml2\n");
  return 1;
}
#endif
