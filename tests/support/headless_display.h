// An 800 by 600 full-screen flip chain on a freshly reset headless world, released on destruction.
// Plain C++ without a test framework, so that the benchmarks and the fuzzers draw on it too.
#pragma once

#include "gfx/display.h"
#include "platform/window.h"

// Registers a window class of that name with the procedure and makes an 800 by 600 window of it.
HWND makeTestWindow(const char* className, WNDPROC procedure = DefWindowProcA);

class HeadlessDisplay {
public:
    // The display mode at `bits`, the desktop at `desktopBits` until then.
    explicit HeadlessDisplay(int bits) : HeadlessDisplay(bits, bits) {}
    HeadlessDisplay(int bits, int desktopBits);
    // A second chain at `bits` in the same world and window as one that stands.
    HeadlessDisplay(int bits, const HeadlessDisplay& beside);
    ~HeadlessDisplay();
    HeadlessDisplay(const HeadlessDisplay&) = delete;
    HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

    // The first step that failed, or nullptr when the whole chain stands.
    const char* failedStep() const { return failedStep_; }
    bool ready() const { return failedStep_ == nullptr; }

    HWND window = nullptr;
    Display display = {};

private:
    void build(int bits);
    void check(HRESULT result, const char* step);

    const char* failedStep_ = nullptr;
};
