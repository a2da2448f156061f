#include "page/escape.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using Writer = void (*)(const char*, std::ostream&);

std::string written(Writer writer, const std::string& text) {
  std::ostringstream out;
  writer(text.c_str(), out);
  return out.str();
}

}  // namespace

TEST(Escape, EachWriterReplacesItsOwnCharacters) {
  struct Case {
    const char* input;
    const char* text;
    const char* attribute;
    const char* markup;
  };
  const Case cases[] = {
      {"Fish & Chips <2>", "Fish &amp; Chips &lt;2&gt;", "Fish &amp; Chips <2>",
       "Fish &amp; Chips &lt;2&gt;"},
      {"it's", "it's", "it&#39;s", "it&#39;s"},
      {"say \"hi\"", "say \"hi\"", "say \"hi\"", "say \"hi\""},
      // A reference the user typed is not recognised: its "&" is replaced again.
      {"&amp;", "&amp;amp;", "&amp;amp;", "&amp;amp;"},
      {"", "", "", ""},
      {"\x01\x02\t\r\x1f", "", "", ""},
      {"a\tb\rc\x7f", "abc\x7f", "abc\x7f", "abc\x7f"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(c.text, written(escapeText, c.input));
    EXPECT_EQ(c.attribute, written(escapeAttribute, c.input));
    EXPECT_EQ(c.markup, written(escapeMarkup, c.input));
  }
}

TEST(Escape, KeepsUtf8Letters) {
  // Bytes 0x80 to 0xFF are parts of UTF-8 letters, never control characters.
  const std::string cafe = "Caf\xC3\xA9 \xE2\x82\xAC 5 & \xF0\x9F\x8C\x8D";
  EXPECT_EQ("Caf\xC3\xA9 \xE2\x82\xAC 5 &amp; \xF0\x9F\x8C\x8D", written(escapeText, cafe));
  EXPECT_EQ("Caf\xC3\xA9 \xE2\x82\xAC 5 &amp; \xF0\x9F\x8C\x8D", written(escapeAttribute, cafe));
  EXPECT_EQ("Caf\xC3\xA9 \xE2\x82\xAC 5 &amp; \xF0\x9F\x8C\x8D", written(escapeMarkup, cafe));
}

TEST(Escape, AttributeKeepsLineFeedsOfAStyleTable) {
  EXPECT_EQ("a { color: red }\np {margin: 0 }\n",
            written(escapeAttribute, "a { color: red }\r\np {\tmargin: 0 }\n"));
  EXPECT_EQ("ab", written(escapeText, "a\nb"));
  EXPECT_EQ("ab", written(escapeMarkup, "a\nb"));
}

// A style table is CSS inside a raw-text element: entities would corrupt
// quoted font names, and a "</style>" typed into it must not end the element.
TEST(Escape, StyleTableStaysCssAndCannotCloseItsElement) {
  EXPECT_EQ("a { color: red }\np {margin: 0 }\n",
            written(escapeStyle, "a { color: red }\r\np {\tmargin: 0 }\n"));
  EXPECT_EQ("body { font-family: 'Segoe UI', \"Fira Sans\" } a::after { content: '&' }",
            written(escapeStyle,
                    "body { font-family: 'Segoe UI', \"Fira Sans\" } a::after { content: '&' }"));
  EXPECT_EQ("p{}<\\/style><\\/STYLE>a > b, x<y", written(escapeStyle, "p{}</style></STYLE>a > b, x<y"));
  EXPECT_EQ("caf\xC3\xA9", written(escapeStyle, "caf\xC3\xA9"));
  // Control bytes go before the guard looks: none can hide a "</".
  EXPECT_EQ("<\\/style><img src=x>", written(escapeStyle, "<\x01/style><img src=x>"));
  EXPECT_EQ("<\\/\n<\\/<<\\/", written(escapeStyle, "<\t\r/\n<\x1f\x1a/<<\x02/"));
  EXPECT_EQ("<\n/style", written(escapeStyle, "<\n/style"));
}

TEST(Escape, TortureEveryByte) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  std::string high;
  for (int byte = 0x80; byte < 256; ++byte) high += static_cast<char>(byte);

  const std::string text = written(escapeText, all);
  const std::string attribute = written(escapeAttribute, all);
  const std::string markup = written(escapeMarkup, all);
  for (const std::string* out : {&text, &attribute, &markup}) {
    for (char c : *out) {
      EXPECT_TRUE(static_cast<unsigned char>(c) >= 0x20 || (c == '\n' && out == &attribute))
          << "control byte " << static_cast<int>(static_cast<unsigned char>(c));
    }
    EXPECT_EQ(high, out->substr(out->size() - high.size()));
  }
  EXPECT_EQ(std::string::npos, text.find_first_of("<>"));
  EXPECT_EQ(std::string::npos, attribute.find('\''));
  EXPECT_EQ(std::string::npos, markup.find_first_of("<>'"));
  // Every "&" left is the start of one of the writers' own references.
  for (const std::string* out : {&text, &attribute, &markup}) {
    for (std::size_t at = out->find('&'); at != std::string::npos; at = out->find('&', at + 1)) {
      const std::string rest = out->substr(at);
      EXPECT_TRUE(rest.rfind("&amp;", 0) == 0 || rest.rfind("&lt;", 0) == 0 ||
                  rest.rfind("&gt;", 0) == 0 || rest.rfind("&#39;", 0) == 0)
          << rest.substr(0, 6);
    }
  }
}
