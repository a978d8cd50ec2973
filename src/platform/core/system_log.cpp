// The platform's lifecycle trace, fault injection (a busy blitter too) and debugger output.
#include <cstdio>

#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/window.h"

namespace platform::sys {

void trace(std::string_view event) {
    if (platformState().recording) platformState().trace.emplace_back(event);
}

bool faulted(Fault fault, HRESULT* code) {
    auto index = static_cast<std::size_t>(fault);
    if (index >= platformState().faults.size() || !platformState().faults[index]) return false;
    if (code != nullptr) *code = *platformState().faults[index];
    return true;
}

bool blitterBusy(bool waits) {
    int& calls = platformState().blitterBusyCalls;
    if (calls == 0 || waits) {
        calls = 0;
        return false;
    }
    --calls;
    return true;
}

void debugOutput(std::string_view text) {
    if (platformState().recording) platformState().debugOutput.append(text);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform::sys

void OutputDebugStringA(const char* text) {
    if (text != nullptr) platform::sys::debugOutput(text);
}
