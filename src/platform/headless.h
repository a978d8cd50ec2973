// The headless backend that tests, replays and benchmarks choose, and its controls: a virtual
// clock, scripted input, fault injection and what was shown and heard.
// Implemented in core/backend_select.cpp (the choice) and headless/headless_controls.cpp.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/test_types.h"
#include "platform/win_types.h"

namespace platform {

// Tests call useHeadless before anything else; the game runs on the target's backend
// (platform/target_backend.h).
void useHeadless(const HeadlessOptions& options = {});
bool isHeadless();

namespace headless {

// Back to a fresh world with the current options: no window, empty queue, no timers, no faults,
// empty logs, clock at 0, no key down, no joystick.
void reset(const HeadlessOptions& options = {});
const HeadlessOptions& options();

void injectFault(Fault fault, HRESULT code = E_FAIL);
// The blitter is busy for the next calls of BltFast, Blt and Lock: each that does not wait fails
// with DDERR_WASSTILLDRAWING, and the first that waits finds it free.
void busyBlitter(int calls);

// Virtual time: timers and sound playback follow it.
void advanceMs(double ms);
double nowMs();

// Keyboard: the polled state, and key-press messages as the window would get them.
void setKeyDown(int scanCode, bool down);
void pressKey(int scanCode, bool autoRepeat = false); // posts WM_KEYDOWN, or WM_SYSKEYDOWN as with Alt held
void tapKey(int scanCode);                            // down, press, then up again

// Focus: posts WM_ACTIVATEAPP; losing it in full-screen exclusive mode loses every surface.
void setActive(bool active);

void setJoystick(const JoystickState& state);

// Called when WaitMessage finds nothing to return (the program is idle, e.g. inactive). If the hook
// queues nothing either, WaitMessage lets virtual time run on to the next due timer.
void setIdleHook(std::function<void()> hook);

// Called at every Flip with the number of frames presented so far (1 for the first); on the sdl
// backend too, so that tests can script a whole game on the desktop's backend.
void setFlipHook(std::function<void(int presented)> hook);
int presentedCount();
// The last presented frame as 0x00RRGGBB pixels, 800 by 600 (empty before the first Flip).
const std::vector<std::uint32_t>& lastPresented();
int presentedWidth();
int presentedHeight();

const std::vector<MessageBoxRecord>& messageBoxes();
// Platform lifecycle events in order: "WSAStartup", "WSACleanup", "CreateFontA Arial 18",
// "CreateWindowExA", "MessageBoxA", "DirectDrawCreate", "IDirectDraw::Release", "IDirectDrawSurface::Release",
// "IDirectSound::Release", "IDirectSoundBuffer::Release" ...
const std::vector<std::string>& trace();
void clearTrace();
// Empties the trace, the message boxes, the sound log and the debugger output, and gives their
// memory back: for runs that go on long.
void clearLogs();
// The WAVE resource id of every sound started, in order (-1 when the data is not a resource).
const std::vector<int>& soundLog();
// Everything written with OutputDebugStringA.
const std::string& debugOutput();

} // namespace headless
} // namespace platform
