#include "core/ui/video_format_dialog_logic.h"

namespace korvex7 {

void ApplySameVideoFormat(SettingsModel& model, std::int32_t format) {
  model.videoFormat.format.fill(format);
}

}  // namespace korvex7
