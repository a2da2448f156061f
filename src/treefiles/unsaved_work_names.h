#ifndef RAVELINK_TREEFILES_UNSAVED_WORK_NAMES_H_
#define RAVELINK_TREEFILES_UNSAVED_WORK_NAMES_H_

#include <string_view>

/// Whether `path` names a file the program wrote by itself to keep work
/// that was never saved: a rescue file after a stop signal
/// ("PAGE.rescue.tree", "PAGE.rescue.N.tree": rescueName in
/// driver/rescue_file.h), an automatic copy ("NAME.autosave.tree") or one
/// kept after a killed run ("NAME.kept-YYYYMMDD-HHMMSS.tree", or with
/// "-N" after the time: driver/auto_copy.h). A tree loaded from one is
/// still saved nowhere the user chose. Only the last part of the path counts.
bool namesUnsavedWork(std::string_view path);

#endif  // RAVELINK_TREEFILES_UNSAVED_WORK_NAMES_H_
