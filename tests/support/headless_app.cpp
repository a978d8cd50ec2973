#include "headless_app.h"

#include "app/globals.h"
#include "program/run_game.h"

bool createApplication(int depthCode) {
    return app.create("Brannoc", 800, 600, depthCode, windowProc, GetModuleHandleA(nullptr), nullptr, nullptr);
}

bool startApplication(const platform::HeadlessOptions& options, int depthCode) {
    platform::headless::reset(options);
    app = Application{};
    return createApplication(depthCode);
}
