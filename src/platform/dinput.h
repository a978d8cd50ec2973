// Keyboard service: the system keyboard polled by scan code.
#pragma once

#include "platform/win_types.h"

constexpr HRESULT DI_OK = 0;
constexpr HRESULT DIERR_GENERIC = E_FAIL;
constexpr HRESULT DIERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DIERR_NOTACQUIRED = static_cast<HRESULT>(0x8007000Cu);
constexpr HRESULT DIERR_INPUTLOST = static_cast<HRESULT>(0x8007001Eu);
constexpr HRESULT DIERR_DEVICENOTREG = static_cast<HRESULT>(0x80040154u);

constexpr DWORD DISCL_EXCLUSIVE = 0x01;
constexpr DWORD DISCL_NONEXCLUSIVE = 0x02;
constexpr DWORD DISCL_FOREGROUND = 0x04;
constexpr DWORD DISCL_BACKGROUND = 0x08;

// Scan codes (PC set 1; 0x80 and up are the E0-prefixed keys).
constexpr int DIK_ESCAPE = 0x01;
constexpr int DIK_1 = 0x02;
constexpr int DIK_0 = 0x0B;
constexpr int DIK_Q = 0x10;
constexpr int DIK_W = 0x11;
constexpr int DIK_E = 0x12;
constexpr int DIK_R = 0x13;
constexpr int DIK_T = 0x14;
constexpr int DIK_Y = 0x15;
constexpr int DIK_U = 0x16;
constexpr int DIK_I = 0x17;
constexpr int DIK_O = 0x18;
constexpr int DIK_P = 0x19;
constexpr int DIK_RETURN = 0x1C;
constexpr int DIK_LCONTROL = 0x1D;
constexpr int DIK_A = 0x1E;
constexpr int DIK_S = 0x1F;
constexpr int DIK_D = 0x20;
constexpr int DIK_F = 0x21;
constexpr int DIK_G = 0x22;
constexpr int DIK_H = 0x23;
constexpr int DIK_J = 0x24;
constexpr int DIK_K = 0x25;
constexpr int DIK_L = 0x26;
constexpr int DIK_LSHIFT = 0x2A;
constexpr int DIK_Z = 0x2C;
constexpr int DIK_X = 0x2D;
constexpr int DIK_C = 0x2E;
constexpr int DIK_V = 0x2F;
constexpr int DIK_B = 0x30;
constexpr int DIK_N = 0x31;
constexpr int DIK_M = 0x32;
constexpr int DIK_RSHIFT = 0x36;
constexpr int DIK_LMENU = 0x38;
constexpr int DIK_SPACE = 0x39;
constexpr int DIK_F1 = 0x3B;
constexpr int DIK_F4 = 0x3E;
constexpr int DIK_F10 = 0x44;
constexpr int DIK_NUMPADENTER = 0x9C;
constexpr int DIK_RCONTROL = 0x9D;
constexpr int DIK_RMENU = 0xB8;
constexpr int DIK_UP = 0xC8;
constexpr int DIK_LEFT = 0xCB;
constexpr int DIK_RIGHT = 0xCD;
constexpr int DIK_DOWN = 0xD0;

struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
};

// Held in the platform's namespace, so that they never meet the system's objects of the same names
// (SDL's pads on Windows link DirectInput's own).
namespace platform::dinput {
extern const GUID GUID_SysKeyboard;
extern const DIDATAFORMAT c_dfDIKeyboard; // 256 one-byte key states
} // namespace platform::dinput
using platform::dinput::c_dfDIKeyboard;
using platform::dinput::GUID_SysKeyboard;

struct InputDeviceImpl;

class IDirectInputDevice {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT SetDataFormat(const DIDATAFORMAT* format);
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT Acquire();
    HRESULT Unacquire();
    // Fills size bytes, 0x80 for a key that is down; fails while the window is in the background.
    HRESULT GetDeviceState(DWORD size, void* data);

    explicit IDirectInputDevice(InputDeviceImpl* impl) : impl_(impl) {}

private:
    ~IDirectInputDevice();
    InputDeviceImpl* impl_;
};

class IDirectInput {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT CreateDevice(const GUID& guid, IDirectInputDevice** device, void* outer);

    IDirectInput() = default;

private:
    ~IDirectInput() = default;
    ULONG refs_ = 1;
};

HRESULT DirectInputCreateA(HINSTANCE instance, DWORD version, IDirectInput** input, void* outer);
