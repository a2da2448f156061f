#include "driver/unsaved_work_notice.h"

#include <ctime>
#include <optional>

#include "driver/rescue_file.h"

void announceUnsavedWork(AutoCopy& copy, const std::string& pageName, std::ostream& out) {
  if (copy.begin()) {
    if (const std::optional<AutoCopy::Kept> kept = copy.keepLeftover()) {
      std::tm local{};
      localtime_r(&kept->written, &local);
      char when[32];
      std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
      out << "Unsaved work from " << when << " was kept: load " << kept->path
          << " to get it back.\n";
    }
  }
  for (const std::string& rescue : rescueFilesOf(pageName)) {
    out << "A rescue file of this page is at " << rescue << ": load it to get it back.\n";
  }
}
