// Shared checks of the fuzz targets: a broken invariant aborts, which the
// fuzzer reports as a crash together with the input that caused it.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "core/model/settings_model.h"

#define FUZZ_CHECK(cond)                                                            \
  do {                                                                              \
    if (!(cond)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                 \
    }                                                                               \
  } while (0)

namespace korvex7::fuzz {

// Every fixed text of the model is still terminated inside its buffer.
inline void CheckTextsTerminated(const SettingsModel& m) {
  for (const auto& t : m.title.text) FUZZ_CHECK(t[kTitleBytes] == '\0');
  FUZZ_CHECK(m.alarm.holdTimeText[3] == '\0');
}

}  // namespace korvex7::fuzz
