// A page must never block: the wait yields to the browser until something the game may care for
// happens on the page (a key, focus, the tab shown or hidden, a pad) or the time is up. The game
// resumes in a task of its own, after the event has reached SDL's handlers too.
#include <emscripten.h>

#include "platform/sdl/sdl_events.h"

namespace platform {

namespace {

// clang-format off
EM_ASYNC_JS(int, nextPageEvent, (int timeoutMs), {
    return await new Promise(resolve => {
        const windowEvents = ['keydown', 'keyup', 'focus', 'blur', 'gamepadconnected', 'gamepaddisconnected'];
        let timer = 0;
        const done = (woken) => {
            for (const name of windowEvents) window.removeEventListener(name, wake, true);
            document.removeEventListener('visibilitychange', wake, true);
            clearTimeout(timer);
            resolve(woken);
        };
        const wake = () => setTimeout(() => done(1), 0);
        for (const name of windowEvents) window.addEventListener(name, wake, true);
        document.addEventListener('visibilitychange', wake, true);
        if (timeoutMs >= 0) timer = setTimeout(() => done(0), timeoutMs);
    });
});
// clang-format on

} // namespace

bool waitForSdlEvent(int timeoutMs) { return nextPageEvent(timeoutMs) != 0; }

} // namespace platform
