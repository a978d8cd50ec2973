// Tells when a sound device asked for its next buffer so late that it must have run dry: what the
// player hears as a crackle.
#pragma once

#include <cstdint>

namespace platform {

class StarveWatch {
public:
    explicit StarveWatch(std::int64_t bufferNs) : bufferNs_(bufferNs) {}

    // The device asks for a buffer at nowNs; true when it went without. A device holds about one
    // buffer beyond the one it was last handed, so an ask more than two buffers' time after the
    // last one found it empty. Only the gap between asks counts, so a device clock that runs a
    // little slow or fast is never taken for a starved one.
    bool asked(std::int64_t nowNs) {
        bool starved = lastNs_ >= 0 && nowNs - lastNs_ > 2 * bufferNs_;
        lastNs_ = nowNs;
        return starved;
    }

private:
    std::int64_t bufferNs_;
    std::int64_t lastNs_ = -1;
};

} // namespace platform
