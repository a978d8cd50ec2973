// Sound service: the sound device, static buffers and their mixing.
#pragma once

#include "platform/win_types.h"

constexpr HRESULT DS_OK = 0;
constexpr HRESULT DSERR_GENERIC = E_FAIL;
constexpr HRESULT DSERR_INVALIDPARAM = E_INVALIDARG;
constexpr HRESULT DSERR_OUTOFMEMORY = E_OUTOFMEMORY;
constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078u);
constexpr HRESULT DSERR_BADFORMAT = static_cast<HRESULT>(0x88780064u);
constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
constexpr HRESULT DSERR_INVALIDCALL = static_cast<HRESULT>(0x88780032u);

constexpr DWORD DSSCL_NORMAL = 1;
constexpr DWORD DSSCL_PRIORITY = 2;
constexpr DWORD DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr DWORD DSBCAPS_STATIC = 0x00000002;
constexpr DWORD DSBCAPS_GETCURRENTPOSITION2 = 0x00010000;
constexpr DWORD DSBPLAY_LOOPING = 0x00000001;
constexpr DWORD DSBSTATUS_PLAYING = 0x00000001;
constexpr WORD WAVE_FORMAT_PCM = 1;

// The wave-format record as it stands in a "fmt " chunk (the first 16 bytes of it).
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    // May point into a resource image at any alignment: the service copies the record out.
    WAVEFORMATEX* lpwfxFormat;
};

struct SoundBufferImpl;
struct SoundDeviceImpl;

class IDirectSoundBuffer {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT Lock(DWORD offset, DWORD bytes, void** region1, DWORD* length1, void** region2, DWORD* length2,
                 DWORD flags);
    HRESULT Unlock(void* region1, DWORD length1, void* region2, DWORD length2);
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags);
    HRESULT GetStatus(DWORD* status);
    HRESULT Restore();

    SoundBufferImpl* impl() const { return impl_; }
    explicit IDirectSoundBuffer(SoundBufferImpl* impl) : impl_(impl) {}

private:
    ~IDirectSoundBuffer();
    SoundBufferImpl* impl_;
};

class IDirectSound {
public:
    ULONG AddRef();
    ULONG Release();
    HRESULT SetCooperativeLevel(HWND window, DWORD level);
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* desc, IDirectSoundBuffer** buffer, void* outer);

    SoundDeviceImpl* impl() const { return impl_; }
    explicit IDirectSound(SoundDeviceImpl* impl) : impl_(impl) {}

private:
    ~IDirectSound();
    SoundDeviceImpl* impl_;
};

HRESULT DirectSoundCreate(GUID* device, IDirectSound** sound, void* outer);
