// The headless sound output: nothing is heard; playback follows the virtual clock.
#include "platform/core/backend.h"
#include "platform/dsound/sound_output.h"

namespace platform {

namespace {

class VirtualSoundOutput final : public SoundOutput {
public:
    bool prepare(SoundBufferImpl& buffer) override { return buffer.format.nBlockAlign != 0; }

    void start(SoundBufferImpl& buffer) override {
        buffer.startNs = backend().nowNs();
        buffer.playing = true;
    }

    bool playing(SoundBufferImpl& buffer) override {
        if (!buffer.playing) return false;
        std::int64_t frames = static_cast<std::int64_t>(buffer.bytes.size() / buffer.format.nBlockAlign);
        std::int64_t rate = buffer.format.nSamplesPerSec;
        // Whole nanoseconds, rounded up: the last sample is out only once its time has passed.
        std::int64_t lengthNs = (frames * 1'000'000'000 + rate - 1) / rate;
        if (backend().nowNs() - buffer.startNs >= lengthNs) buffer.playing = false;
        return buffer.playing;
    }

    void remove(SoundBufferImpl& buffer) override { buffer.playing = false; }
};

} // namespace

std::unique_ptr<SoundOutput> openVirtualSoundOutput() { return std::make_unique<VirtualSoundOutput>(); }

} // namespace platform
