#ifndef RAVELINK_INTERCHANGE_QUIET_LIBXML_H_
#define RAVELINK_INTERCHANGE_QUIET_LIBXML_H_

#include <libxml/xmlerror.h>

/// While it lives, libxml2 writes nothing to standard error. The parsers'
/// own errors go to their contexts' handlers, but a failing charset
/// conversion reports through the library-wide handler, which would print
/// "encoding error : ..." in the middle of the user's session. What such an
/// error costs shows in the import's report instead.
class QuietLibxml {
 public:
  QuietLibxml() { xmlSetGenericErrorFunc(nullptr, silent); }
  ~QuietLibxml() { xmlSetGenericErrorFunc(nullptr, nullptr); }  // the library's default again
  QuietLibxml(const QuietLibxml&) = delete;
  QuietLibxml& operator=(const QuietLibxml&) = delete;

 private:
  static void silent(void*, const char*, ...) {}
};

#endif  // RAVELINK_INTERCHANGE_QUIET_LIBXML_H_
