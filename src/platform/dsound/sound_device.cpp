// The sound device object: cooperative level and buffer creation.
#include <cstring>

#include "platform/core/backend.h"
#include "platform/core/system.h"
#include "platform/dsound/sound_output.h"
#include "platform/resources/resource_table.h"

using namespace platform;

struct SoundDeviceImpl {
    ULONG refs = 1;
    bool cooperative = false;
    std::shared_ptr<SoundOutput> output;
};

namespace {

constexpr DWORD kMinBufferBytes = 4;
constexpr DWORD kMaxBufferBytes = 0x0FFFFFFF;

bool playableFormat(const WAVEFORMATEX& f) {
    if (f.wFormatTag != WAVE_FORMAT_PCM) return false;
    if (f.nChannels != 1 && f.nChannels != 2) return false;
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) return false;
    if (f.nSamplesPerSec < 100 || f.nSamplesPerSec > 200000) return false;
    return f.nBlockAlign == f.nChannels * f.wBitsPerSample / 8;
}

// The WAVE resource whose image holds this address, or -1.
int waveResourceAt(const void* address) {
    auto at = reinterpret_cast<std::uintptr_t>(address);
    for (std::size_t i = 0; i < kResourceCount; ++i) {
        const ResourceEntry& entry = kResourceTable[i];
        auto start = reinterpret_cast<std::uintptr_t>(entry.data);
        if (std::strcmp(entry.type, "WAVE") == 0 && at >= start && at < start + entry.size) return entry.id;
    }
    return -1;
}

} // namespace

HRESULT DirectSoundCreate(GUID*, IDirectSound** sound, void*) {
    if (sound == nullptr) return DSERR_INVALIDPARAM;
    *sound = nullptr;
    HRESULT code = DSERR_NODRIVER;
    if (sys::faulted(Fault::DirectSoundCreate, &code)) return code;
    std::unique_ptr<SoundOutput> output = backend().openSound();
    if (!output) return DSERR_NODRIVER;
    auto* device = new SoundDeviceImpl;
    device->output = std::move(output);
    *sound = new IDirectSound(device);
    return DS_OK;
}

IDirectSound::~IDirectSound() { delete impl_; }

ULONG IDirectSound::AddRef() { return ++impl_->refs; }

ULONG IDirectSound::Release() {
    sys::trace("IDirectSound::Release");
    ULONG left = --impl_->refs;
    if (left == 0) delete this; // buffers still alive keep the output going
    return left;
}

HRESULT IDirectSound::SetCooperativeLevel(HWND window, DWORD level) {
    HRESULT code = DSERR_GENERIC;
    if (sys::faulted(Fault::SoundCooperativeLevel, &code)) return code;
    if (window == nullptr || level < DSSCL_NORMAL || level > 3) return DSERR_INVALIDPARAM;
    impl_->cooperative = true;
    return DS_OK;
}

HRESULT IDirectSound::CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void*) {
    if (buffer == nullptr) return DSERR_INVALIDPARAM;
    *buffer = nullptr;
    // 20 is the record's size where pointers are 32 bits wide; 36 that of its later, longer form.
    if (desc == nullptr || (desc->dwSize != 20 && desc->dwSize != sizeof(DSBUFFERDESC) && desc->dwSize != 36))
        return DSERR_INVALIDPARAM;
    HRESULT code = DSERR_GENERIC;
    auto made = std::make_unique<SoundBufferImpl>();
    made->output = impl_->output;
    if ((desc->dwFlags & DSBCAPS_PRIMARYBUFFER) != 0) {
        if (sys::faulted(Fault::CreatePrimarySoundBuffer, &code)) return code;
        if (desc->dwBufferBytes != 0 || desc->lpwfxFormat != nullptr) return DSERR_INVALIDPARAM;
        made->primary = true;
    } else {
        if (sys::faulted(Fault::CreateSoundBuffer, &code)) return code;
        if (desc->lpwfxFormat == nullptr) return DSERR_INVALIDPARAM;
        if (desc->dwBufferBytes < kMinBufferBytes || desc->dwBufferBytes > kMaxBufferBytes) return DSERR_INVALIDPARAM;
        // The record may sit at any alignment inside a resource image.
        std::memcpy(&made->format, desc->lpwfxFormat, 16);
        made->format.cbSize = 0;
        if (!playableFormat(made->format)) return DSERR_BADFORMAT;
        made->bytes.assign(desc->dwBufferBytes, made->format.wBitsPerSample == 8 ? 0x80 : 0x00);
        made->resourceId = waveResourceAt(desc->lpwfxFormat);
    }
    *buffer = new IDirectSoundBuffer(made.release());
    return DS_OK;
}
