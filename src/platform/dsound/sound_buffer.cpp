// Static sound buffers: filled through Lock and Unlock, played once from the start.
#include "platform/core/backend.h"
#include "platform/core/platform_state.h"
#include "platform/core/system.h"
#include "platform/dsound/sound_output.h"

using namespace platform;

namespace {
constexpr DWORD kLockEntireBuffer = 0x2;
} // namespace

IDirectSoundBuffer::~IDirectSoundBuffer() {
    // The output must let go of the samples before they are freed.
    if (impl_->output && !impl_->primary) impl_->output->remove(*impl_);
    delete impl_;
}

ULONG IDirectSoundBuffer::AddRef() { return ++impl_->refs; }

ULONG IDirectSoundBuffer::Release() {
    sys::trace("IDirectSoundBuffer::Release");
    ULONG left = --impl_->refs;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectSoundBuffer::Lock(DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2,
                                 DWORD* length2, DWORD flags) {
    if (region1 == nullptr || length1 == nullptr) return DSERR_INVALIDPARAM;
    *region1 = nullptr;
    *length1 = 0;
    if (region2 != nullptr) *region2 = nullptr;
    if (length2 != nullptr) *length2 = 0;
    if (impl_->primary) return DSERR_INVALIDCALL;
    auto size = static_cast<DWORD>(impl_->bytes.size());
    if ((flags & kLockEntireBuffer) != 0) {
        offset = 0;
        bytes = size;
    }
    if (bytes == 0 || offset >= size || bytes > size - offset) return DSERR_INVALIDPARAM;
    // A static buffer is locked in one piece; the second region stays empty.
    *region1 = impl_->bytes.data() + offset;
    *length1 = bytes;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Unlock(void* region1, DWORD, void*, DWORD) {
    if (impl_->primary) return DSERR_INVALIDCALL;
    if (region1 == nullptr) return DSERR_INVALIDPARAM;
    impl_->prepared = impl_->output->prepare(*impl_);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Play(DWORD, DWORD, DWORD flags) {
    if (impl_->primary) {
        // The primary buffer only has to run; the device mixes on its own.
        if ((flags & DSBPLAY_LOOPING) == 0) return DSERR_INVALIDPARAM;
        impl_->primaryPlaying = true;
        return DS_OK;
    }
    if (impl_->output->playing(*impl_)) return DS_OK;
    if (!impl_->prepared) impl_->prepared = impl_->output->prepare(*impl_);
    if (!impl_->prepared) return DSERR_BADFORMAT;
    impl_->output->start(*impl_);
    if (platformState().recording) platformState().soundLog.push_back(impl_->resourceId);
    backend().soundStarted(impl_->resourceId);
    return DS_OK;
}

HRESULT IDirectSoundBuffer::GetStatus(DWORD* status) {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    bool playing = impl_->primary ? impl_->primaryPlaying : impl_->output->playing(*impl_);
    *status = playing ? DSBSTATUS_PLAYING : 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer::Restore() { return DS_OK; }
