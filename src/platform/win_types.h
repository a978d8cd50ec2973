// Basic types, handles and result codes shared by every platform service.
// The names and values follow the Windows services the game code was written against.
#pragma once

// Windows' own headers declare the same names otherwise (DWORD is unsigned long there): they stay
// inside platform/windows/, behind functions of the platform's own, and no file sees both. A
// library header that brings them in (cairo-win32.h, SDL_syswm.h) stops the build here; included
// after these, they stop it at their first clashing name.
#if defined(_WINDEF_) || defined(_WINSOCKAPI_) || defined(_WINSOCK2API_)
#error "Windows' own headers and the platform's faces meet in one file: keep <windows.h> in platform/windows/"
#endif

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using UINT = unsigned int;
using BOOL = int;
using ATOM = WORD;
using HRESULT = std::int32_t;
using COLORREF = DWORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using UINT_PTR = std::uintptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

struct POINT {
    LONG x;
    LONG y;
};

struct LARGE_INTEGER {
    std::int64_t QuadPart;
};

struct GUID {
    DWORD data1;
    WORD data2;
    WORD data3;
    BYTE data4[8];
};

// Opaque handles. Each kind is its own type so that a wrong handle fails to compile.
struct WindowObject;
struct ModuleObject;
struct IconObject;
struct CursorObject;
struct ResourceObject;
struct DeviceContext;
struct GdiObject;
struct BitmapObject;
struct FontObject;
struct BrushObject;
struct PenObject;

using HWND = WindowObject*;
using HINSTANCE = ModuleObject*;
using HMODULE = ModuleObject*;
using HICON = IconObject*;
using HCURSOR = CursorObject*;
using HRSRC = ResourceObject*;
using HGLOBAL = const void*;
using HDC = DeviceContext*;
using HGDIOBJ = GdiObject*;
using HBITMAP = BitmapObject*;
using HFONT = FontObject*;
using HBRUSH = BrushObject*;
using HPEN = PenObject*;
using HANDLE = void*;

constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

// An integer resource id passed where a name is expected.
inline const char* MAKEINTRESOURCEA(int id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(static_cast<WORD>(id)));
}
inline bool IS_INTRESOURCE(const char* name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }
