// A terminal that closes under the game ends it as the close button does.
#include <csignal>

#include "platform/sdl/sdl_events.h"

namespace platform {

namespace {

// SDL turns SIGINT and SIGTERM into a quit event at its next pump, and a signal wakes its wait.
void hangUp(int) { std::raise(SIGTERM); }

} // namespace

void closeOnHangUp() {
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction action {};
    action.sa_handler = &hangUp;
    sigemptyset(&action.sa_mask);
    sigaction(SIGHUP, &action, nullptr);
}

} // namespace platform
