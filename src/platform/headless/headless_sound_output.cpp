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
        if (backend().nowNs() - buffer.startNs >= playingLengthNs(buffer)) buffer.playing = false;
        return buffer.playing;
    }

    void remove(SoundBufferImpl& buffer) override { buffer.playing = false; }
};

} // namespace

std::unique_ptr<SoundOutput> openVirtualSoundOutput() { return std::make_unique<VirtualSoundOutput>(); }

} // namespace platform
