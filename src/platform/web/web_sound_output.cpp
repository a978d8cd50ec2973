// The page's sound output: each buffer becomes a recording of the page's own (web_audio.js),
// played by the browser from its first sample. It is playing for exactly its length from its
// Play, on the page's clock, whatever the browser does with it.
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "platform/core/backend.h"
#include "platform/dsound/sound_output.h"
#include "platform/web/web_audio.h"

namespace platform {

namespace {

class WebSoundOutput final : public SoundOutput {
public:
    bool prepare(SoundBufferImpl& buffer) override {
        const WAVEFORMATEX& f = buffer.format;
        if (f.nBlockAlign == 0) return false;
        const std::size_t samples = buffer.bytes.size() / f.nBlockAlign * f.nChannels;
        std::vector<float> floats(samples);
        for (std::size_t i = 0; i < samples; ++i) {
            if (f.wBitsPerSample == 8) {
                floats[i] = (buffer.bytes[i] - 128) / 128.0f;
            } else {
                auto low = buffer.bytes[2 * i];
                auto high = buffer.bytes[2 * i + 1];
                floats[i] = static_cast<std::int16_t>(low | high << 8) / 32768.0f;
            }
        }
        forget(buffer);
        const int frames = static_cast<int>(samples / f.nChannels);
        // A recording the page cannot hold stays silent, and still takes its time.
        ids_[&buffer] = frames == 0
                            ? -1
                            : brannoc_audio_add(floats.data(), frames, f.nChannels, static_cast<int>(f.nSamplesPerSec));
        return true;
    }

    void start(SoundBufferImpl& buffer) override {
        buffer.startNs = backend().nowNs();
        buffer.playing = true;
        auto found = ids_.find(&buffer);
        if (found != ids_.end() && found->second >= 0) brannoc_audio_play(found->second);
    }

    bool playing(SoundBufferImpl& buffer) override {
        if (buffer.playing && backend().nowNs() - buffer.startNs >= playingLengthNs(buffer)) buffer.playing = false;
        return buffer.playing;
    }

    void remove(SoundBufferImpl& buffer) override {
        buffer.playing = false;
        forget(buffer);
    }

private:
    void forget(SoundBufferImpl& buffer) {
        auto found = ids_.find(&buffer);
        if (found == ids_.end()) return;
        if (found->second >= 0) brannoc_audio_forget(found->second);
        ids_.erase(found);
    }

    std::unordered_map<const SoundBufferImpl*, int> ids_;
};

} // namespace

std::unique_ptr<SoundOutput> openWebSoundOutput() {
    if (brannoc_audio_open() == 0) std::fputs("no audio output; playing silent\n", stderr);
    return std::make_unique<WebSoundOutput>();
}

} // namespace platform
