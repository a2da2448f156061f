#include "linkcheck/check_texts.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

TEST(StatusText, ReasonFromTheServerElseTheStandardOne) {
  struct Case {
    int status;
    const char* line;
    const char* text;
  } cases[] = {
      {404, "HTTP/1.1 404 Not Found\r\n", "404 Not Found"},
      {404, "HTTP/1.1 404 Nothing to see\r\n", "404 Nothing to see"},  // the server's words
      {410, "HTTP/2 410 \r\n", "410 Gone"},                            // HTTP/2 sends none
      {410, "HTTP/2 410\r\n", "410 Gone"},
      {500, "", "500 Internal Server Error"},
      {503, "HTTP/1.0 503 \r\n", "503 Service Unavailable"},
      {599, "HTTP/1.1 599 \r\n", "599"},  // no standard phrase
      {404, "HTTP/1.1 404 Not\x1b[31m Here\x07\r\n", "404 Not[31m Here"},
      {404, "HTTP/1.1 404 \x1b\x07\r\n", "404 Not Found"},  // nothing left of it
      {404, "HTTP/1.1 4040 Odd\r\n", "404 Not Found"},      // not a status line
      {404, "garbage", "404 Not Found"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, statusText(c.status, c.line)) << c.line;
}

TEST(StatusText, LongReasonCutWithoutSplittingACharacter) {
  std::string line = "HTTP/1.1 404 " + std::string(59, 'x') + "\xc3\xa9" + "tail\r\n";
  EXPECT_EQ("404 " + std::string(59, 'x'), statusText(404, line));
}

TEST(DropControlBytes, KeepsPrintableAndNonAsciiBytes) {
  EXPECT_EQ("http://x.org/a[2Jb", dropControlBytes("http://x.org/a\x1b[2J\r\nb\x7f"));
  EXPECT_EQ("caf\xc3\xa9 ?", dropControlBytes("caf\xc3\xa9 \t?"));
  EXPECT_EQ("", dropControlBytes(std::string("\0\x01\x1f", 3)));
  // U+009B and U+0080 in UTF-8 (octal: C2 9B, C2 80) go; U+00A0, a lone
  // 0x9B and a lone C2 (text that is not UTF-8) stay.
  EXPECT_EQ("a2Jb", dropControlBytes("a\302\2332J\302\200b"));
  EXPECT_EQ("\302\240 \2331m \302", dropControlBytes("\302\240 \2331m \302"));
}

TEST(FailureText, WhatTheReportSaysOfEachFailure) {
  EXPECT_EQ("timed out",
            failureText(CURLE_OPERATION_TIMEDOUT, 0, "Operation timed out after 1000 ms"));
  EXPECT_EQ("no such host",
            failureText(CURLE_COULDNT_RESOLVE_HOST, 0, "Could not resolve host: x"));
  EXPECT_EQ("connection refused", failureText(CURLE_COULDNT_CONNECT, ECONNREFUSED, ""));
  EXPECT_EQ("cannot connect: Network is unreachable",
            failureText(CURLE_COULDNT_CONNECT, ENETUNREACH, ""));
  EXPECT_EQ("malformed URL", failureText(CURLE_URL_MALFORMAT, 0, ""));
  EXPECT_EQ("TLS error: SSL certificate problem: self-signed certificate",
            failureText(CURLE_PEER_FAILED_VERIFICATION, 0,
                        "SSL certificate problem: self-signed certificate"));
  EXPECT_EQ("TLS error: no match for 'a[1mb'",
            failureText(CURLE_SSL_CONNECT_ERROR, 0, "no match for 'a\x1b[1mb'"));
  EXPECT_EQ(std::string("TLS error: ") + curl_easy_strerror(CURLE_SSL_CACERT_BADFILE),
            failureText(CURLE_SSL_CACERT_BADFILE, 0, ""));
  EXPECT_EQ(curl_easy_strerror(CURLE_GOT_NOTHING), failureText(CURLE_GOT_NOTHING, 0, "whatever"));
}
