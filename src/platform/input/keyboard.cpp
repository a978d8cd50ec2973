// The system keyboard polled by scan code, and GetAsyncKeyState.
#include <cstring>

#include "platform/core/backend.h"
#include "platform/core/system.h"
#include "platform/dinput.h"
#include "platform/input/scan_codes.h"
#include "platform/window.h"

using namespace platform;

const GUID platform::dinput::GUID_SysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const DIDATAFORMAT platform::dinput::c_dfDIKeyboard = {sizeof(DIDATAFORMAT), 24, 2, 256};

struct InputDeviceImpl {
    ULONG refs = 1;
    bool formatSet = false;
    bool acquired = false;
    // Reads on while the window is in the background: DirectInput's level until one is set.
    bool background = true;
};

namespace {

bool sameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

} // namespace

HRESULT DirectInputCreateA(HINSTANCE, DWORD, IDirectInput** input, void*) {
    if (input == nullptr) return DIERR_INVALIDPARAM;
    *input = nullptr;
    HRESULT code = DIERR_GENERIC;
    if (sys::faulted(Fault::DirectInputCreate, &code)) return code;
    *input = new IDirectInput();
    return DI_OK;
}

ULONG IDirectInput::AddRef() { return ++refs_; }

ULONG IDirectInput::Release() {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectInput::CreateDevice(const GUID& guid, IDirectInputDevice** device, void*) {
    if (device == nullptr) return DIERR_INVALIDPARAM;
    *device = nullptr;
    HRESULT code = DIERR_GENERIC;
    if (sys::faulted(Fault::CreateKeyboardDevice, &code)) return code;
    if (!sameGuid(guid, GUID_SysKeyboard)) return DIERR_DEVICENOTREG;
    *device = new IDirectInputDevice(new InputDeviceImpl);
    return DI_OK;
}

IDirectInputDevice::~IDirectInputDevice() { delete impl_; }

ULONG IDirectInputDevice::AddRef() { return ++impl_->refs; }

ULONG IDirectInputDevice::Release() {
    ULONG left = --impl_->refs;
    if (left == 0) delete this;
    return left;
}

HRESULT IDirectInputDevice::SetDataFormat(const DIDATAFORMAT* format) {
    if (format == nullptr || format->dwDataSize != 256) return DIERR_INVALIDPARAM;
    impl_->formatSet = true;
    return DI_OK;
}

HRESULT IDirectInputDevice::SetCooperativeLevel(HWND, DWORD flags) {
    bool foreground = (flags & DISCL_FOREGROUND) != 0;
    bool background = (flags & DISCL_BACKGROUND) != 0;
    if (foreground == background) return DIERR_INVALIDPARAM;
    impl_->background = background;
    return DI_OK;
}

HRESULT IDirectInputDevice::Acquire() {
    if (!impl_->formatSet) return DIERR_INVALIDPARAM;
    impl_->acquired = true;
    return DI_OK;
}

HRESULT IDirectInputDevice::Unacquire() {
    impl_->acquired = false;
    return DI_OK;
}

HRESULT IDirectInputDevice::GetDeviceState(DWORD size, void* data) {
    if (data == nullptr || size != 256) return DIERR_INVALIDPARAM;
    auto* keys = static_cast<BYTE*>(data);
    // A read that fails leaves no key down, whatever the caller's buffer held.
    std::memset(keys, 0, size);
    if (!impl_->acquired) return DIERR_NOTACQUIRED;
    if (!impl_->background && !sys::isActive()) return DIERR_NOTACQUIRED;
    backend().pumpEvents();
    for (int code = 1; code < 256; ++code)
        if (keys::sdlScancodeFor(code) != 0 && backend().keyDown(code)) keys[code] = 0x80;
    return DI_OK;
}

short GetAsyncKeyState(int virtualKey) {
    // Every key with that meaning counts (either shift for VK_SHIFT, either Enter for VK_RETURN).
    for (int code = 1; code < 256; ++code)
        if (keys::virtualKeyFor(code) == virtualKey && backend().keyDown(code)) return static_cast<short>(0x8000);
    return 0;
}
