// Replacing a file so that it is never seen half written, the same on every
// platform (platform/posix/atomic_file.cpp, platform/win32/atomic_file.cpp):
// the bytes go to a new file in the target's folder, are flushed to the
// disk, and only then is the new file renamed over the target. When any
// step fails the new file is removed and the target is left as it was. A
// target that exists keeps its permissions (and on Windows its attributes);
// a new file left by a save that was killed is removed by the next save in
// its folder. Any name is written as given: a caller that must not write to
// a device's name (a settings file named "COM1.dat") refuses it first.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvex7::platform {

enum class FileReplaceStep {
  kNone,     // the file was replaced
  kCreate,   // no new file could be made in the target's folder
  kWrite,    // the bytes could not be written or flushed
  kReplace,  // the new file could not be renamed over the target
};

struct FileReplaceResult {
  FileReplaceStep failedStep = FileReplaceStep::kNone;
  // Empty when the file was replaced; otherwise the target's name, the step
  // that failed and the operating system's words, in UTF-8.
  std::string message;
  // The operating system's words alone, for a caller that words its own
  // message; empty when the file was replaced.
  std::string osWords;

  bool ok() const { return failedStep == FileReplaceStep::kNone; }
};

FileReplaceResult ReplaceFileAtomically(const std::filesystem::path& target,
                                        std::string_view bytes);

// The words for a failed step, as the message carries them.
inline std::string_view FileReplaceStepWords(FileReplaceStep step) {
  switch (step) {
    case FileReplaceStep::kCreate:
      return "cannot create a file beside it";
    case FileReplaceStep::kWrite:
      return "the file could not be written completely";
    case FileReplaceStep::kReplace:
      return "cannot replace the file";
    case FileReplaceStep::kNone:
      break;
  }
  return {};
}

// The result of a failed step: "<target>: <step words>: <OS words>".
inline FileReplaceResult FileReplaceFailure(const std::filesystem::path& target,
                                            FileReplaceStep step, const std::string& osWords) {
  const std::u8string name = target.u8string();
  FileReplaceResult result;
  result.failedStep = step;
  result.message.assign(name.begin(), name.end());
  result.message += ": ";
  result.message += FileReplaceStepWords(step);
  result.message += ": ";
  result.message += osWords;
  result.osWords = osWords;
  return result;
}

}  // namespace korvex7::platform
