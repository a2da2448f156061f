// The pieces under the importers: text and href rules, conversions fed in
// pieces that split characters, the "&" escaper, the NUL filter and the
// link-tag counter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "interchange/ampersand_escaper.h"
#include "interchange/bookmark_scan.h"
#include "interchange/byte_encoding.h"
#include "interchange/import_text.h"
#include "interchange/nul_filter.h"

namespace {

std::string collected(const std::vector<std::string>& pieces, bool* cut = nullptr,
                      bool* controls = nullptr) {
  TextCollector text;
  for (const std::string& piece : pieces)
    text.append(piece.data(), piece.size());
  std::string result = text.take();
  if (cut) *cut = text.wasCut();
  if (controls) *controls = text.droppedControls();
  return result;
}

}  // namespace

TEST(ImportText, CleansTextsAndHrefs) {
  bool cut = false, controls = false;
  EXPECT_EQ("a b c", collected({"  a \t\r\n", " b", "   c  "}, &cut, &controls));
  EXPECT_FALSE(cut);
  EXPECT_FALSE(controls);
  EXPECT_EQ("ab c", collected({"a\x1b", "b \xC2\x9B", "c\x7F"}, &cut, &controls));
  EXPECT_TRUE(controls);
  // 62 bytes and a two-byte letter: the letter goes whole.
  EXPECT_EQ(std::string(62, 'x'), collected({std::string(62, 'x') + "\xC3\xA9"}, &cut));
  EXPECT_TRUE(cut);
  // Exactly 63 bytes once the spaces are gone: nothing cut.
  EXPECT_EQ(std::string(63, 'y'), collected({"   ", std::string(63, 'y'), "   "}, &cut));
  EXPECT_FALSE(cut);
  // A cut right after a space leaves no trailing space; megabytes cost nothing.
  EXPECT_EQ(std::string(62, 'z'),
            collected({std::string(62, 'z') + " " + std::string(1 << 20, 'w')}, &cut));
  EXPECT_TRUE(cut);

  controls = false;
  EXPECT_EQ("https://a.example/x y", cleanHref(" \t https://a.example/\nx y \r\n", controls));
  EXPECT_FALSE(controls);
  EXPECT_EQ("https://a.example/", cleanHref("\x01https://a.\x1b"
                                            "ex\fam\vple/\xC2\x85",
                                            controls));
  EXPECT_TRUE(controls);

  struct Kind {
    const char* href;
    HrefKind kind;
  };
  for (const Kind& k : std::vector<Kind>{{"", HrefKind::kEmpty},
                                         {"https://x/", HrefKind::kOrdinary},
                                         {"mailto:me@x", HrefKind::kOrdinary},
                                         {"relative/page.html", HrefKind::kOrdinary},
                                         {"JavaScript:x", HrefKind::kScript},
                                         {"vbscript:x", HrefKind::kScript},
                                         {"DATA:text/html,x", HrefKind::kScript},
                                         {"place:sort=8", HrefKind::kBrowserInternal},
                                         {"about:blank", HrefKind::kBrowserInternal},
                                         {"chrome://settings", HrefKind::kBrowserInternal},
                                         {"javascript", HrefKind::kOrdinary},
                                         {"x/javascript:y", HrefKind::kOrdinary}}) {
    EXPECT_EQ(k.kind, classifyHref(k.href)) << k.href;
  }

  EXPECT_EQ("host.example", hostOf("https://user:pw@host.example:8080/p?q#f"));
  EXPECT_EQ("[::1]", hostOf("http://[::1]:80/"));
  EXPECT_EQ("h", hostOf("ftp://h"));
  EXPECT_EQ("", hostOf("mailto:me@x"));
  EXPECT_EQ("", hostOf("no scheme://x"));
}

TEST(ImportText, ConvertsPiecesThatSplitCharacters) {
  auto convert = [](ByteEncoding from, const std::vector<std::string>& pieces) {
    Utf8Converter converter(from);
    std::string out;
    for (const std::string& piece : pieces)
      converter.convert(piece.data(), piece.size(), out);
    converter.finish(out);
    return out;
  };
  const std::string euro = "\xE2\x82\xAC", bad = "\xEF\xBF\xBD";
  EXPECT_EQ(euro + "a", convert(ByteEncoding::kUtf8Damaged, {"\xE2", "\x82",
                                                             "\xAC"
                                                             "a"}));
  EXPECT_EQ(bad + "a" + bad, convert(ByteEncoding::kUtf8Damaged, {"\xE2\x82"
                                                                  "a",
                                                                  "\xF0\x9F"}));
  EXPECT_EQ(bad + bad + bad, convert(ByteEncoding::kUtf8Damaged, {"\xC0\xAF\xFF"}));
  EXPECT_EQ(bad + bad + bad, convert(ByteEncoding::kUtf8Damaged, {"\xED\xA0\x80"}));  // a surrogate
  EXPECT_EQ(euro +
                "\xC3\xBF"
                "\xC2\x81",
            convert(ByteEncoding::kWindows1252, {"\x80\xFF\x81"}));
  EXPECT_EQ("a\xF0\x9F\x98\x80",
            convert(ByteEncoding::kUtf16Le,
                    {"a", std::string("\0\x3D", 2), "\xD8", std::string("\0\xDE", 2)}));
  EXPECT_EQ("a" + bad + "b", convert(ByteEncoding::kUtf16Be, {std::string("\0a\xDC\0\0b", 6)}));
  EXPECT_EQ(bad, convert(ByteEncoding::kUtf16Be, {"\xD8\x3D"}));  // a high surrogate at the end

  Utf8Check check;
  check.feed("ok \xE2\x82", 5);
  EXPECT_FALSE(check.validAtEnd());
  check.feed("\xAC", 1);
  EXPECT_TRUE(check.validAtEnd());
  check.feed("\xE0\x80\x80", 3);  // overlong
  EXPECT_FALSE(check.validAtEnd());

  EXPECT_EQ("utf-8", declaredCharset("<META CONTENT=\"text/html; charset=UTF-8\">"));
  EXPECT_EQ("iso-8859-2", declaredCharset("<meta charset='ISO-8859-2'>"));
  EXPECT_EQ("", declaredCharset("<DL><DT><A HREF=\"x?charset=koi8-r\">"));
  EXPECT_EQ("windows-1250", declaredCharset("<?xml version=\"1.0\" encoding=\"windows-1250\"?>"));
  EXPECT_EQ(ByteEncoding::kWindows1252, encodingOfCharset("us-ascii"));
  EXPECT_EQ(ByteEncoding::kNamed, encodingOfCharset("shift_jis"));
}

TEST(ImportText, EscapesOnlyRawAmpersands) {
  auto escaped = [](const std::vector<std::string>& pieces, std::int64_t count) {
    AmpersandEscaper escaper;
    std::string out;
    for (const std::string& piece : pieces)
      escaper.feed(piece.data(), piece.size(), out);
    escaper.finish(out);
    EXPECT_EQ(count, escaper.escaped());
    return out;
  };
  EXPECT_EQ("?a=1&amp;b=2", escaped({"?a=1&b=2"}, 1));
  EXPECT_EQ("&amp; &#38; &#x26; &lt;", escaped({"&am", "p; &#3", "8; &#x", "26; &lt;"}, 0));
  EXPECT_EQ("&amp;&amp; &amp;#; &amp;#x; &amp;1; &amp;;", escaped({"&&amp; &#; &#x; &1; &;"}, 5));
  EXPECT_EQ("x&amp;emc", escaped({"x&em", "c"}, 1));  // cut off by the end
  std::string longName(80, 'n');
  EXPECT_EQ("&amp;" + longName + ";", escaped({"&" + longName + ";"}, 1));
}

// Raw NULs and references to U+0000 go, each piece boundary anywhere;
// references to other characters and lookalikes stay as they were.
TEST(ImportText, DropsNulsSplitAnywhere) {
  auto filtered = [](const std::string& input, std::int64_t count) {
    for (std::size_t split = 0; split <= input.size(); ++split) {
      NulFilter filter;
      std::string out;
      filter.feed(input.data(), split, out);
      filter.feed(input.data() + split, input.size() - split, out);
      filter.finish(out);
      EXPECT_EQ(count, filter.dropped()) << "split at " << split;
      if (split == input.size()) return out;
    }
    return std::string();
  };
  using namespace std::string_literals;
  EXPECT_EQ("a/xb", filtered("a/\0\0x\0b"s, 2));
  EXPECT_EQ("ab cd ef gh", filtered("a&#0;b c&#x00;d e&#X000;f g&#0000h", 4));
  EXPECT_EQ("&#01; &#x0a; &#10; &amp; &# &#x; &&#",
            filtered("&#01; &#x0a; &#10; &amp; &# &#x; &&#", 0));
  EXPECT_EQ("x", filtered("x&#0"s, 1));  // ended by the end of the file
  EXPECT_EQ("&#1;", filtered("&#\0"
                             "1;"s,
                             1));  // a raw NUL is never part of anything
}

TEST(ImportText, CountsLinkTagsAcrossPieces) {
  LinkTagCounter counter;
  for (const char* piece : {"<", "a href", "<A>", "<abbr><a", "\n", "<b><", "A", "\t<<a/", "x<a"}) {
    counter.feed(piece, std::char_traits<char>::length(piece));
  }
  EXPECT_EQ(5, counter.count());
}
