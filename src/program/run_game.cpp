// Start-up, the window procedure and the frame dispatch.
#include "program/run_game.h"

#include <cstdio>
#include <filesystem>

#include "app/globals.h"
#include "game/pub_screen.h"
#include "platform/clock.h"
#include "platform/crt.h"
#include "program/program_objects.h"
#include "screens/help_screen.h"
#include "screens/title_screen.h"

namespace {
constexpr int kIconId = 133;
constexpr int kDesktopDepth = 4;
constexpr UINT_PTR kTickTimer = 1;

// The pictures are opened by names relative to the working folder. Without bmps/ there the game
// plays on blank, so it says once where it looked.
void reportMissingPictures() {
    std::error_code error;
    if (std::filesystem::is_directory("bmps", error)) {
        return;
    }
    const std::filesystem::path folder = std::filesystem::current_path(error) / "bmps";
    std::fprintf(stderr, "brannoc: no pictures: the folder %s is missing\n", folder.string().c_str());
}
} // namespace

int runGame(HINSTANCE instance) {
    crt::srand(static_cast<unsigned>(CalendarTimeSeconds()));
    reportMissingPictures();
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kIconId));
    if (!app.create("Brannoc", 800, 600, kDesktopDepth, windowProc, instance, icon, nullptr)) {
        return 0;
    }
    if (LoadCursorA(nullptr, IDC_ARROW) == nullptr) {
        return 0;
    }
    app.startTimer(kTickTimer, 1);
    titleScreen.load();
    helpScreen.load();
    pubScreen.load();
    app.setScreen(SCREEN_TITLE);
    app.hideCursor();
    return app.run(frameDispatch);
}

LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATEAPP:
        app.active = static_cast<std::int32_t>(wParam);
        return 0;
    case WM_KEYDOWN:
        // Any key moves the front screens on; in play, a key with Escape held ends the game.
        // Escape is asked of the keyboard, not read from the message.
        if (app.screen() == SCREEN_TITLE) {
            app.setScreen(SCREEN_HELP);
        } else if (app.screen() == SCREEN_HELP) {
            app.setScreen(SCREEN_PLAY);
        } else if (app.screen() == SCREEN_PLAY && app.keyDown(DIK_ESCAPE)) {
            app.close();
        }
        app.countTick();
        return 0;
    case WM_TIMER:
        app.countTick();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void frameDispatch(ScreenId screen) {
    app.refreshTickFlag();
    switch (screen) {
    case SCREEN_TITLE:
        titleScreen.frame();
        break;
    case SCREEN_HELP:
        helpScreen.frame();
        break;
    case SCREEN_PLAY:
        pubScreen.frame();
        break;
    default:
        break;
    }
}

int brannocMain(HINSTANCE instance) {
    int exitCode = 0;
    {
        ProgramObjects objects;
        exitCode = runGame(instance);
    }
    return exitCode;
}
