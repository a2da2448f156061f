#ifndef RAVELINK_DRIVER_UNSAVED_WORK_NOTICE_H_
#define RAVELINK_DRIVER_UNSAVED_WORK_NOTICE_H_

#include <ostream>
#include <string>

#include "driver/auto_copy.h"

/// At the start of a session at a terminal, before the first prompt: takes
/// the page's automatic copy for this session (AutoCopy::begin), keeps a
/// copy a killed session left and says so in one line,
///   Unsaved work from YYYY-MM-DD HH:MM was kept: load PATH to get it back.
/// then names each rescue file of the page (rescueFilesOf), one line each,
///   A rescue file of this page is at PATH: load it to get it back.
/// Loads nothing. A copy that another running session holds is not named.
void announceUnsavedWork(AutoCopy& copy, const std::string& pageName, std::ostream& out);

#endif  // RAVELINK_DRIVER_UNSAVED_WORK_NOTICE_H_
