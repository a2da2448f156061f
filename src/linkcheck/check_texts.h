#ifndef RAVELINK_LINKCHECK_CHECK_TEXTS_H_
#define RAVELINK_LINKCHECK_CHECK_TEXTS_H_

// The words of a check's report that come from HTTP and from the transfer:
// status texts, failure texts, and the cleaning of what a server sent.

#include <curl/curl.h>

#include <string>
#include <string_view>

/// The standard reason phrase of an HTTP status ("Not Found" for 404), or
/// "" for a code without one.
const char* standardReason(int status);

/// The status as the report shows it: "404 Not Found". The reason is taken
/// from `statusLine` ("HTTP/1.1 404 Gone for good") when the server gave
/// one, else from the table of standard phrases; control bytes are dropped
/// and it is cut to 60 bytes.
std::string statusText(int status, std::string_view statusLine);

/// `text` without its control characters: the bytes 0x00 to 0x1F and 0x7F,
/// and U+0080 to U+009F encoded in UTF-8 (C2 80 to C2 9F). What a server
/// sent must not move the cursor or colour the terminal when printed. Other
/// bytes stay, also those of text that is not UTF-8 (a lone 0x9B is a letter
/// in windows-1252).
std::string dropControlBytes(std::string_view text);

/// What the report says of a transfer that failed: "timed out", "no such
/// host", "connection refused", "TLS error: ..." and so on, from libcurl's
/// result, the system error it saw and its error buffer ("" when empty).
std::string failureText(CURLcode code, long osErrno, std::string_view detail);

#endif  // RAVELINK_LINKCHECK_CHECK_TEXTS_H_
