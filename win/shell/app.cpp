#include "win/shell/app.h"

namespace korvex7::win {

namespace {
App* g_app = nullptr;
}  // namespace

App& TheApp() { return *g_app; }

void SetApp(App* app) { g_app = app; }

}  // namespace korvex7::win
