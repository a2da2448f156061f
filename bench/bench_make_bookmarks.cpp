// bench_make_bookmarks LINKS FOLDERS FILE: writes a bookmark file in the
// layout Chromium exports (DOCTYPE, charset META, upper-case tags, four-space
// indents, unclosed DT and p, an ICON on every link), for the import
// benchmark (bench/import.sh). LINKS links in FOLDERS folders: 20 folders at
// the top level, then ten subfolders to a folder down to the fourth level
// until FOLDERS are made, and the links shared out evenly among the folders
// in file order. Titles and hrefs hold "&" (escaped, and raw in hrefs as
// browsers write them) and non-ASCII letters. The bytes depend only on the
// arguments: 400000 20000 gives about 100 MB.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const kWords[] = {"Project", "notes",  "release", "plan",    "weekly", "Q&amp;A",
                              "design",  "docs",   "API",     "guide",   "server", "Lisbon",
                              "Zürich",  "backup", "R&amp;D", "summary", "music",  "maps"};
constexpr int kWordCount = sizeof kWords / sizeof kWords[0];

// A small fixed-sequence generator: the same numbers on every machine.
std::uint64_t next(std::uint64_t& state) {
  state = state * 6364136223846793005ULL + 1442695040888963407ULL;
  return state >> 33;
}

std::string title(std::uint64_t& state) {
  std::string text;
  int words = 2 + static_cast<int>(next(state) % 5);
  for (int i = 0; i < words; ++i) {
    if (i > 0) text += ' ';
    text += kWords[next(state) % kWordCount];
  }
  return text;
}

struct Writer {
  std::ofstream& out;
  std::int64_t linksLeft;
  std::int64_t foldersLeft;
  std::int64_t linksPerFolder;
  std::uint64_t state = 20240607;
  std::string icon;

  void links(const std::string& indent, std::int64_t count) {
    for (std::int64_t i = 0; i < count && linksLeft > 0; ++i, --linksLeft) {
      std::uint64_t n = next(state);
      out << indent << "<DT><A HREF=\"https://www.example.org/p/" << n % 100000
          << "/page?id=" << linksLeft << "&ref=bench\" ADD_DATE=\"1700000000\" ICON=\"" << icon
          << "\">" << title(state) << "</A>\n";
    }
  }

  void folder(const std::string& indent, int level) {
    --foldersLeft;
    out << indent << "<DT><H3 ADD_DATE=\"1700000000\" LAST_MODIFIED=\"1700000000\">" << title(state)
        << "</H3>\n"
        << indent << "<DL><p>\n";
    std::string inner = indent + "    ";
    links(inner, linksPerFolder);
    for (int i = 0; i < 10 && level < 4 && foldersLeft > 0; ++i)
      folder(inner, level + 1);
    out << indent << "</DL><p>\n";
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_make_bookmarks LINKS FOLDERS FILE\n");
    return 2;
  }
  std::ofstream out(argv[3], std::ios::binary);
  Writer writer{out, std::atoll(argv[1]), std::atoll(argv[2]), 0, 20240607, ""};
  writer.linksPerFolder = writer.linksLeft / std::max<std::int64_t>(writer.foldersLeft, 1);
  writer.icon = "data:image/png;base64,";
  for (int i = 0; i < 70; ++i)
    writer.icon += "iVBORw0KG"[i % 9];
  out << "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
         "<!-- This is an automatically generated file.\n"
         "     It will be read and overwritten.\n"
         "     DO NOT EDIT! -->\n"
         "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
         "<TITLE>Bookmarks</TITLE>\n"
         "<H1>Bookmarks</H1>\n"
         "<DL><p>\n";
  for (int i = 0; i < 20 && writer.foldersLeft > 0; ++i)
    writer.folder("    ", 1);
  writer.links("    ", writer.linksLeft);  // what the even share left over
  out << "</DL><p>\n";
  return out ? 0 : 1;
}
