// The mixing end of the sound device, and what a sound buffer holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dsound.h"

namespace platform {

class SoundOutput;

} // namespace platform

struct SoundBufferImpl {
    ULONG refs = 1;
    bool primary = false;
    bool primaryPlaying = false;
    std::shared_ptr<platform::SoundOutput> output;
    WAVEFORMATEX format{};
    std::vector<std::uint8_t> bytes; // as written through Lock, in the buffer's own format
    bool prepared = false;           // converted for the device since the last Unlock
    int resourceId = -1;             // the WAVE resource whose samples these are

    // Kept by the output (the sdl output reads them on its audio thread, under its lock).
    std::vector<std::uint8_t> deviceBytes;
    std::size_t position = 0;
    bool playing = false;
    std::int64_t startNs = 0;
};

namespace platform {

// How long a buffer sounds from its start, in whole nanoseconds rounded up: its last sample is
// out only once its time has passed.
inline std::int64_t playingLengthNs(const SoundBufferImpl& buffer) {
    const std::int64_t frames = static_cast<std::int64_t>(buffer.bytes.size() / buffer.format.nBlockAlign);
    const std::int64_t rate = buffer.format.nSamplesPerSec;
    return (frames * 1'000'000'000 + rate - 1) / rate;
}

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    // Makes the buffer's samples ready to mix; false when its format cannot be played.
    virtual bool prepare(SoundBufferImpl& buffer) = 0;
    // Starts a buffer that is not playing from its beginning.
    virtual void start(SoundBufferImpl& buffer) = 0;
    virtual bool playing(SoundBufferImpl& buffer) = 0;
    // Stops the buffer and forgets it; after this it may be freed.
    virtual void remove(SoundBufferImpl& buffer) = 0;
};

std::unique_ptr<SoundOutput> openSdlSoundOutput();
std::unique_ptr<SoundOutput> openVirtualSoundOutput();

} // namespace platform
