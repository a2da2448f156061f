#include "linkcheck/check_texts.h"

#include <cerrno>
#include <cstring>

#include "tree/text_field.h"

namespace {

struct Reason {
  int status;
  const char* phrase;
};

// The reason phrases of RFC 9110, and 429 of RFC 6585.
constexpr Reason kReasons[] = {
    {200, "OK"},
    {201, "Created"},
    {202, "Accepted"},
    {203, "Non-Authoritative Information"},
    {204, "No Content"},
    {205, "Reset Content"},
    {206, "Partial Content"},
    {300, "Multiple Choices"},
    {301, "Moved Permanently"},
    {302, "Found"},
    {303, "See Other"},
    {304, "Not Modified"},
    {305, "Use Proxy"},
    {307, "Temporary Redirect"},
    {308, "Permanent Redirect"},
    {400, "Bad Request"},
    {401, "Unauthorized"},
    {402, "Payment Required"},
    {403, "Forbidden"},
    {404, "Not Found"},
    {405, "Method Not Allowed"},
    {406, "Not Acceptable"},
    {407, "Proxy Authentication Required"},
    {408, "Request Timeout"},
    {409, "Conflict"},
    {410, "Gone"},
    {411, "Length Required"},
    {412, "Precondition Failed"},
    {413, "Content Too Large"},
    {414, "URI Too Long"},
    {415, "Unsupported Media Type"},
    {416, "Range Not Satisfiable"},
    {417, "Expectation Failed"},
    {421, "Misdirected Request"},
    {422, "Unprocessable Content"},
    {426, "Upgrade Required"},
    {429, "Too Many Requests"},
    {500, "Internal Server Error"},
    {501, "Not Implemented"},
    {502, "Bad Gateway"},
    {503, "Service Unavailable"},
    {504, "Gateway Timeout"},
    {505, "HTTP Version Not Supported"},
};

constexpr std::size_t kReasonLimit = 60;

// The reason phrase of a status line "HTTP/1.1 404 Not Found", or "".
std::string_view reasonOf(std::string_view line) {
  std::size_t space = line.find(' ');
  if (line.substr(0, 5) != "HTTP/" || space == std::string_view::npos) return {};
  line.remove_prefix(space + 1);
  std::size_t digits = 0;
  while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9')
    ++digits;
  if (digits != 3 || line.size() < 4 || line[3] != ' ') return {};
  line.remove_prefix(4);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || line.back() == ' ')) {
    line.remove_suffix(1);
  }
  return line;
}

bool isTlsFailure(CURLcode code) {
  switch (code) {
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CLIENTCERT:
      return true;
    default:
      return false;
  }
}

}  // namespace

const char* standardReason(int status) {
  for (const Reason& reason : kReasons) {
    if (reason.status == status) return reason.phrase;
  }
  return "";
}

std::string statusText(int status, std::string_view statusLine) {
  std::string reason = dropControlBytes(reasonOf(statusLine));
  if (reason.empty()) reason = standardReason(status);
  reason.resize(utf8CutLength(reason.data(), reason.size(), kReasonLimit));
  std::string text = std::to_string(status);
  if (!reason.empty()) text += ' ' + reason;
  return text;
}

std::string dropControlBytes(std::string_view text) {
  std::string clean;
  clean.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) continue;
    // U+0080..U+009F in UTF-8 (C2 80..C2 9F): a terminal that reads UTF-8
    // takes U+009B as an escape sequence's start, as it does ESC [.
    if (c == 0xC2 && i + 1 < text.size()) {
      auto next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9F) {
        ++i;
        continue;
      }
    }
    clean += static_cast<char>(c);
  }
  return clean;
}

std::string failureText(CURLcode code, long osErrno, std::string_view detail) {
  switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
      return "timed out";
    case CURLE_COULDNT_RESOLVE_HOST:
      return "no such host";
    case CURLE_COULDNT_CONNECT:
      if (osErrno == ECONNREFUSED) return "connection refused";
      if (osErrno == 0) return "cannot connect";
      return std::string("cannot connect: ") + std::strerror(static_cast<int>(osErrno));
    case CURLE_URL_MALFORMAT:
      return "malformed URL";
    default:
      break;
  }
  if (isTlsFailure(code)) {
    return "TLS error: " +
           (detail.empty() ? std::string(curl_easy_strerror(code)) : dropControlBytes(detail));
  }
  return curl_easy_strerror(code);
}
