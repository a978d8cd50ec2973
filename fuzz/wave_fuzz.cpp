// Arbitrary bytes as a WAVE image: parsed, then made into a static buffer, filled and played.
#include <cstddef>
#include <cstdint>

#include "platform/headless.h"
#include "sound/sound_effect.h"

namespace {

IDirectSound* device = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    platform::useHeadless();
    platform::headless::reset();
    DirectSoundCreate(nullptr, &device, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The platform's logs grow with every sound played; kept empty, memory tells only of the reader.
    platform::headless::clearLogs();
    WAVEFORMATEX* format = nullptr;
    const BYTE* samples = nullptr;
    DWORD bytes = 0;
    // The partial asks of the reload path first, then the full one of a load.
    parseWave(data, size, nullptr, &samples, &bytes);
    parseWave(data, size, &format, nullptr, nullptr);
    if (!parseWave(data, size, &format, &samples, &bytes) || device == nullptr) {
        return 0;
    }
    DSBUFFERDESC desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_GETCURRENTPOSITION2;
    desc.dwBufferBytes = bytes;
    desc.lpwfxFormat = format;
    IDirectSoundBuffer* buffer = nullptr;
    if (device->CreateSoundBuffer(&desc, &buffer, nullptr) < 0) {
        return 0;
    }
    if (fillSoundBuffer(buffer, samples, bytes)) {
        buffer->Play(0, 0, 0);
        platform::headless::advanceMs(5);
        DWORD status = 0;
        buffer->GetStatus(&status);
    }
    buffer->Release();
    return 0;
}
