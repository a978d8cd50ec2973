// On Linux, SIGHUP (the terminal closing) ends the game as SIGTERM does: a quit event, then
// WM_CLOSE. A SIGHUP that is ignored (nohup) stays ignored.
#include <SDL.h>

#include <csignal>

#include "platform/desktop/system_start.h"

namespace platform {

namespace {

// SDL turns SIGINT and SIGTERM into a quit event at its next pump, and a signal wakes its wait.
void hangUp(int) { std::raise(SIGTERM); }

} // namespace

void startOnTheSystem() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction action {};
    action.sa_handler = &hangUp;
    sigemptyset(&action.sa_mask);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace platform
