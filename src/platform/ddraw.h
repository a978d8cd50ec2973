// Display surface service: the display object, the flip chain and off-screen surfaces.
#pragma once

#include "platform/gdi.h"
#include "platform/win_types.h"

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_GENERIC = E_FAIL;
constexpr HRESULT DDERR_INVALIDPARAMS = E_INVALIDARG;
constexpr HRESULT DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DDERR_INVALIDRECT = static_cast<HRESULT>(0x88760096u);
constexpr HRESULT DDERR_INVALIDMODE = static_cast<HRESULT>(0x88760078u);
constexpr HRESULT DDERR_NODIRECTDRAWHW = static_cast<HRESULT>(0x887600E3u);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = static_cast<HRESULT>(0x887600E1u);
constexpr HRESULT DDERR_NOTFOUND = static_cast<HRESULT>(0x887600FFu);
constexpr HRESULT DDERR_SURFACELOST = static_cast<HRESULT>(0x887601C2u);
constexpr HRESULT DDERR_WASSTILLDRAWING = static_cast<HRESULT>(0x8876021Cu);
constexpr HRESULT DDERR_NODC = static_cast<HRESULT>(0x8876023Au);
constexpr HRESULT DDERR_NOTFLIPPABLE = static_cast<HRESULT>(0x8876014Au);
constexpr HRESULT DDERR_DCALREADYCREATED = static_cast<HRESULT>(0x8876026Cu);

constexpr DWORD DDSCL_FULLSCREEN = 0x01;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x02;
constexpr DWORD DDSCL_NORMAL = 0x08;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;

constexpr DWORD DDSD_CAPS = 0x01;
constexpr DWORD DDSD_HEIGHT = 0x02;
constexpr DWORD DDSD_WIDTH = 0x04;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;

constexpr DWORD DDSCAPS_BACKBUFFER = 0x004;
constexpr DWORD DDSCAPS_COMPLEX = 0x008;
constexpr DWORD DDSCAPS_FLIP = 0x010;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x040;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;

constexpr DWORD DDBLT_COLORFILL = 0x00000400;
constexpr DWORD DDBLT_KEYSRC = 0x00008000;
constexpr DWORD DDBLT_WAIT = 0x01000000;
constexpr DWORD DDBLTFAST_NOCOLORKEY = 0x00;
constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x01;
constexpr DWORD DDBLTFAST_WAIT = 0x10;
constexpr DWORD DDFLIP_WAIT = 0x01;
constexpr DWORD DDCKEY_SRCBLT = 0x08;
constexpr DWORD DDLOCK_WAIT = 0x01;

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    DWORD dwRGBBitCount;
    DWORD dwRBitMask;
    DWORD dwGBitMask;
    DWORD dwBBitMask;
    DWORD dwRGBAlphaBitMask;
};

struct DDSCAPS {
    DWORD dwCaps;
};

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    LONG lPitch;
    DWORD dwBackBufferCount;
    DWORD dwRefreshRate;
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    void* lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};

// Blit effects: 100 bytes, as the clear sets dwSize to.
struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    DWORD dwZDestConst;
    DWORD dwZSrcConstBitDepth;
    DWORD dwZSrcConst;
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    DWORD dwAlphaDestConst;
    DWORD dwAlphaSrcConstBitDepth;
    DWORD dwAlphaSrcConst;
    DWORD dwFillColor;
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};
static_assert(sizeof(DDBLTFX) == 100);

class IDirectDraw;
struct SurfaceImpl;
struct DisplayImpl;

// One surface: the primary, the back buffer or an off-screen picture. Reference counted.
class IDirectDrawSurface {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT Blt(RECT* destRect, IDirectDrawSurface* source, RECT* sourceRect, DWORD flags, DDBLTFX* fx);
    HRESULT BltFast(DWORD x, DWORD y, IDirectDrawSurface* source, RECT* sourceRect, DWORD trans);
    HRESULT Flip(IDirectDrawSurface* targetOverride, DWORD flags);
    HRESULT GetAttachedSurface(DDSCAPS* caps, IDirectDrawSurface** attached);
    HRESULT GetDC(HDC* dc);
    HRESULT ReleaseDC(HDC dc);
    HRESULT Lock(RECT* rect, DDSURFACEDESC* desc, DWORD flags, HANDLE event);
    HRESULT Unlock(void* rect);
    HRESULT SetColorKey(DWORD flags, DDCOLORKEY* key);
    HRESULT GetSurfaceDesc(DDSURFACEDESC* desc);
    HRESULT IsLost();
    HRESULT Restore();

    SurfaceImpl* impl() const { return impl_; }
    explicit IDirectDrawSurface(SurfaceImpl* impl) : impl_(impl) {}

private:
    ~IDirectDrawSurface();
    SurfaceImpl* impl_;
};

// The display object: cooperative level, display mode and surface creation.
class IDirectDraw {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT SetCooperativeLevel(HWND window, DWORD flags);
    HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel);
    HRESULT CreateSurface(DDSURFACEDESC* desc, IDirectDrawSurface** surface, void* outer);

    DisplayImpl* impl() const { return impl_; }
    explicit IDirectDraw(DisplayImpl* impl) : impl_(impl) {}

private:
    ~IDirectDraw();
    DisplayImpl* impl_;
};

HRESULT DirectDrawCreate(GUID* driver, IDirectDraw** ddraw, void* outer);
