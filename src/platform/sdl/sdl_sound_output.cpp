// The sdl sound output: an audio device whose callback mixes every playing buffer; a silent one
// where no audio output opens.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>

#include "platform/dsound/sound_output.h"
#include "platform/sdl/sdl_init.h"
#include "platform/sdl/starve_watch.h"

namespace platform {

namespace {

// Frames a buffer: small enough that a sound is heard a few milliseconds after its Play, and the
// size that a device which cannot keep up with that moves to, once. Not 256: a sound server asked
// for that little keeps about a quarter of it in hand, and on a busy machine it ran dry about once
// a second, between asks that all came on time, so no watch of ours could tell. 384 frames ran
// dry a few times a minute, for 2 ms more of latency.
constexpr Uint16 kQuickFrames = 384;
constexpr Uint16 kSteadyFrames = 1024;
// SDL's drivers that hear nothing take a buffer per sleep of whole milliseconds: a buffer of
// exactly 20 ms keeps them in real time, so that every sound still lasts its length (and few sleeps
// a second leave little room for a busy machine to slow them).
constexpr Uint16 kWholeMillisecondFrames = 882;

bool driverIs(const char* name) {
    const char* driver = SDL_GetCurrentAudioDriver();
    return driver != nullptr && std::strcmp(driver, name) == 0;
}

bool pacedByWholeMilliseconds() { return driverIs("dummy") || driverIs("disk"); }

std::int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class SdlSoundOutput final : public SoundOutput {
public:
    // silent: SDL's dummy driver standing in for a missing output, which nobody hears go dry. Nor
    // is SDL's disk driver moved: it records to a file, which a device opened anew starts afresh.
    explicit SdlSoundOutput(bool silent) : watched_(!silent && !driverIs("disk")) { playing_.reserve(64); }

    ~SdlSoundOutput() override {
        if (device_ != 0) {
            SDL_CloseAudioDevice(device_);
            --openCount;
        }
    }

    // Devices open at this moment.
    static inline int openCount = 0;

    bool open(Uint16 frames) {
        SDL_AudioSpec wanted{};
        wanted.freq = 44100;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = frames;
        wanted.callback = &SdlSoundOutput::mix;
        wanted.userdata = this;
        // No change allowed: the buffers' converted samples stay right for a device opened anew.
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &spec_, 0);
        if (device_ == 0) return false;
        ++openCount;
        // A device holds about a buffer of its own beyond the one it was last handed.
        const std::int64_t bufferNs = std::int64_t{spec_.samples} * 1'000'000'000 / spec_.freq;
        watch_ = StarveWatch(bufferNs, bufferNs);
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    bool prepare(SoundBufferImpl& buffer) override {
        const WAVEFORMATEX& f = buffer.format;
        SDL_AudioFormat from = f.wBitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
        std::size_t frameBytes = f.nBlockAlign;
        std::size_t usable = buffer.bytes.size() / frameBytes * frameBytes;
        std::vector<std::uint8_t> converted;
        SDL_AudioCVT cvt;
        // Converted in one piece: a stream converter would hold back the last frames.
        if (SDL_BuildAudioCVT(&cvt, from, static_cast<Uint8>(f.nChannels), static_cast<int>(f.nSamplesPerSec),
                              spec_.format, spec_.channels, spec_.freq) < 0)
            return false;
        cvt.len = static_cast<int>(usable);
        converted.resize(usable * static_cast<std::size_t>(std::max(cvt.len_mult, 1)));
        std::memcpy(converted.data(), buffer.bytes.data(), usable);
        if (cvt.needed != 0) {
            cvt.buf = converted.data();
            if (SDL_ConvertAudio(&cvt) < 0) return false;
            converted.resize(static_cast<std::size_t>(cvt.len_cvt));
        }
        SDL_LockAudioDevice(device_);
        buffer.deviceBytes.swap(converted);
        buffer.position = std::min(buffer.position, buffer.deviceBytes.size());
        SDL_UnlockAudioDevice(device_);
        return true;
    }

    void start(SoundBufferImpl& buffer) override {
        settle();
        SDL_LockAudioDevice(device_);
        buffer.position = 0;
        buffer.startNs = static_cast<std::int64_t>(SDL_GetTicks64()) * 1'000'000;
        buffer.playing = !buffer.deviceBytes.empty();
        if (buffer.playing && std::find(playing_.begin(), playing_.end(), &buffer) == playing_.end())
            playing_.push_back(&buffer);
        SDL_UnlockAudioDevice(device_);
    }

    bool playing(SoundBufferImpl& buffer) override {
        settle();
        SDL_LockAudioDevice(device_);
        // A device that takes no samples (a page whose audio the browser holds back) still lets
        // every sound end in its own time, so that nothing waits on it for ever.
        if (buffer.playing && overdue(buffer)) dropPlaying(buffer);
        bool result = buffer.playing;
        SDL_UnlockAudioDevice(device_);
        return result;
    }

    void remove(SoundBufferImpl& buffer) override {
        SDL_LockAudioDevice(device_);
        dropPlaying(buffer);
        SDL_UnlockAudioDevice(device_);
    }

    static void SDLCALL mix(void* self, Uint8* stream, int length) {
        static_cast<SdlSoundOutput*>(self)->mixInto(stream, static_cast<std::size_t>(length));
    }

private:
    // A device that keeps going dry with the quick buffer moves to the steady one: closed and opened
    // again, each playing sound going on where it was. Said once.
    void settle() {
        if (moved_ || device_ == 0 || spec_.samples >= kSteadyFrames || !starving_.load(std::memory_order_relaxed))
            return;
        const Uint16 quick = spec_.samples;
        SDL_CloseAudioDevice(device_);
        --openCount;
        if (!open(kSteadyFrames)) open(quick); // with neither, sounds still end in their time
        std::fprintf(stderr, "sound output starved at %u frames a buffer; moving to %u\n", unsigned{quick},
                     unsigned{kSteadyFrames});
        moved_ = true;
    }

    void dropPlaying(SoundBufferImpl& buffer) {
        buffer.playing = false;
        playing_.erase(std::remove(playing_.begin(), playing_.end(), &buffer), playing_.end());
    }

    // Past its length and the device's own buffer, with a tenth of a second to spare.
    bool overdue(const SoundBufferImpl& buffer) const {
        const std::int64_t frameBytes = SDL_AUDIO_BITSIZE(spec_.format) / 8 * spec_.channels;
        const std::int64_t frames = static_cast<std::int64_t>(buffer.deviceBytes.size()) / frameBytes + spec_.samples;
        const std::int64_t lengthNs = frames * 1'000'000'000 / spec_.freq + 100'000'000;
        return static_cast<std::int64_t>(SDL_GetTicks64()) * 1'000'000 - buffer.startNs > lengthNs;
    }

    void mixInto(Uint8* stream, std::size_t length) {
        if (watch_.asked(steadyNs()) && watched_) starving_.store(true, std::memory_order_relaxed);
        std::memset(stream, spec_.silence, length);
        for (SoundBufferImpl* buffer : playing_) {
            std::size_t left = buffer->deviceBytes.size() - buffer->position;
            std::size_t count = std::min(left, length);
            SDL_MixAudioFormat(stream, buffer->deviceBytes.data() + buffer->position, spec_.format,
                               static_cast<Uint32>(count), SDL_MIX_MAXVOLUME);
            buffer->position += count;
            // Playing until the last sample has gone to the device.
            if (buffer->position >= buffer->deviceBytes.size()) buffer->playing = false;
        }
        playing_.erase(std::remove_if(playing_.begin(), playing_.end(), [](auto* b) { return !b->playing; }),
                       playing_.end());
    }

    SDL_AudioDeviceID device_ = 0;
    SDL_AudioSpec spec_{};
    std::vector<SoundBufferImpl*> playing_;
    const bool watched_;
    StarveWatch watch_{0, 0};
    std::atomic<bool> starving_{false}; // told by the audio thread's watch
    bool moved_ = false;                // main thread only
};

} // namespace

namespace {

std::unique_ptr<SoundOutput> openDevice(bool silent) {
    if (!sdl::ensureSubsystem(SDL_INIT_AUDIO)) return nullptr;
    auto output = std::make_unique<SdlSoundOutput>(silent);
    if (!output->open(pacedByWholeMilliseconds() ? kWholeMillisecondFrames : kQuickFrames)) return nullptr;
    return output;
}

// SDL's dummy driver hears nothing but takes each buffer in real time, so every sound still lasts
// its length and the waits on sounds still pace the bartender.
std::unique_ptr<SoundOutput> openSilentDevice() {
    if (SDL_WasInit(SDL_INIT_AUDIO) != 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    auto output = openDevice(true);
    SDL_ResetHint(SDL_HINT_AUDIODRIVER);
    return output;
}

} // namespace

std::unique_ptr<SoundOutput> openSdlSoundOutput() {
    if (auto output = openDevice(false)) return output;
    // A driver with a single device refuses a second one: busy, not missing.
    if (SdlSoundOutput::openCount > 0) return nullptr;
    // Said once: the silent driver stays, so later devices open on it at the first try.
    auto output = openSilentDevice();
    if (output) std::fputs("no audio output; playing silent\n", stderr);
    return output;
}

} // namespace platform
