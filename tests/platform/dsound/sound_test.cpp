#include <gtest/gtest.h>

#include <cstring>

#include "platform/dsound.h"
#include "platform/headless.h"
#include "platform/resources.h"
#include "window_fixture.h"

namespace {

using namespace platform;

// A mono 8-bit format record placed one byte off alignment, as it may sit in a resource image.
struct OddFormat {
    unsigned char bytes[1 + 16];
    explicit OddFormat(DWORD rate) {
        WAVEFORMATEX f{WAVE_FORMAT_PCM, 1, rate, rate, 1, 8, 0};
        std::memcpy(bytes + 1, &f, 16);
    }
    WAVEFORMATEX* record() { return reinterpret_cast<WAVEFORMATEX*>(bytes + 1); }
};

class Sound : public WindowFixture {
protected:
    void SetUp() override {
        WindowFixture::SetUp();
        ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
        ASSERT_EQ(sound->SetCooperativeLevel(window, DSSCL_PRIORITY), DS_OK);
    }

    IDirectSoundBuffer* create(WAVEFORMATEX* format, DWORD bytes) {
        DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_STATIC | DSBCAPS_GETCURRENTPOSITION2, bytes, 0, format};
        IDirectSoundBuffer* buffer = nullptr;
        EXPECT_EQ(sound->CreateSoundBuffer(&desc, &buffer, nullptr), DS_OK);
        return buffer;
    }

    static void fill(IDirectSoundBuffer* buffer, DWORD bytes) {
        void* region1 = nullptr;
        void* region2 = nullptr;
        DWORD length1 = 0, length2 = 0;
        ASSERT_EQ(buffer->Lock(0, bytes, &region1, &length1, &region2, &length2, 0), DS_OK);
        EXPECT_EQ(length1, bytes);
        EXPECT_EQ(length2, 0u);
        std::memset(region1, 0x90, length1);
        buffer->Unlock(region1, length1, region2, length2);
    }

    static bool playing(IDirectSoundBuffer* buffer) {
        DWORD status = 0;
        EXPECT_EQ(buffer->GetStatus(&status), DS_OK);
        return (status & DSBSTATUS_PLAYING) != 0;
    }

    IDirectSound* sound = nullptr;
};

TEST_F(Sound, ABufferPlaysForExactlyItsLengthInVirtualTime) {
    OddFormat format(11025);
    IDirectSoundBuffer* buffer = create(format.record(), 11025);
    fill(buffer, 11025);
    EXPECT_FALSE(playing(buffer));
    ASSERT_EQ(buffer->Play(0, 0, 0), DS_OK);
    headless::advanceMs(999.999);
    EXPECT_TRUE(playing(buffer));
    headless::advanceMs(0.001);
    EXPECT_FALSE(playing(buffer));
    buffer->Release();
}

TEST_F(Sound, PlayWhilePlayingDoesNotRestartButAfterwardsStartsAgain) {
    OddFormat format(11025);
    IDirectSoundBuffer* buffer = create(format.record(), 11025);
    fill(buffer, 11025);
    buffer->Play(0, 0, 0);
    headless::advanceMs(600);
    buffer->Play(0, 0, 0);
    headless::advanceMs(400);
    EXPECT_FALSE(playing(buffer)) << "one sound of one second, not a restart";
    buffer->Play(0, 0, 0);
    headless::advanceMs(600);
    EXPECT_TRUE(playing(buffer));
    EXPECT_EQ(headless::soundLog(), (std::vector<int>{-1, -1}));
    buffer->Release();
}

TEST_F(Sound, StartsAreLoggedByTheRecordingTheyCameFrom) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(121), "WAVE");
    ASSERT_NE(resource, nullptr);
    auto* image = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
    DWORD dataBytes = 0;
    std::memcpy(&dataBytes, image + 40, 4); // "fmt " of 16 bytes first, then "data"
    IDirectSoundBuffer* buffer =
        create(const_cast<WAVEFORMATEX*>(reinterpret_cast<const WAVEFORMATEX*>(image + 20)), dataBytes);
    fill(buffer, dataBytes);
    buffer->Play(0, 0, 0);
    EXPECT_EQ(headless::soundLog(), (std::vector<int>{121}));
    buffer->Release();
}

TEST_F(Sound, BuffersRefuseWhatTheyCannotHold) {
    OddFormat format(11025);
    IDirectSoundBuffer* buffer = create(format.record(), 100);
    void* region1 = nullptr;
    DWORD length1 = 0;
    EXPECT_EQ(buffer->Lock(0, 101, &region1, &length1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->Lock(100, 1, &region1, &length1, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    buffer->Release();
    WAVEFORMATEX floats{3, 1, 44100, 176400, 4, 32, 0};
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_STATIC, 400, 0, &floats};
    IDirectSoundBuffer* refused = nullptr;
    EXPECT_EQ(sound->CreateSoundBuffer(&desc, &refused, nullptr), DSERR_BADFORMAT);
    EXPECT_EQ(refused, nullptr);
}

TEST_F(Sound, ThePrimaryBufferLoopsAndReleasesAreTraced) {
    DSBUFFERDESC desc{20, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr};
    IDirectSoundBuffer* primary = nullptr;
    ASSERT_EQ(sound->CreateSoundBuffer(&desc, &primary, nullptr), DS_OK);
    EXPECT_EQ(primary->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_TRUE(playing(primary));
    headless::clearTrace();
    primary->Release();
    sound->Release();
    EXPECT_EQ(headless::trace(), (std::vector<std::string>{"IDirectSoundBuffer::Release", "IDirectSound::Release"}));
}

TEST(SoundDevice, NothingWithoutADeviceOrWhenSetUpFails) {
    IDirectSound* sound = nullptr;
    HeadlessOptions silent;
    silent.soundDevice = false;
    headless::reset(silent);
    EXPECT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(sound, nullptr);

    headless::reset();
    headless::injectFault(Fault::DirectSoundCreate, DSERR_NODRIVER);
    EXPECT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DSERR_NODRIVER);

    headless::reset();
    ASSERT_EQ(DirectSoundCreate(nullptr, &sound, nullptr), DS_OK);
    headless::injectFault(Fault::SoundCooperativeLevel);
    EXPECT_LT(sound->SetCooperativeLevel(GetDesktopWindow(), DSSCL_PRIORITY), 0);
    headless::injectFault(Fault::CreatePrimarySoundBuffer);
    DSBUFFERDESC desc{20, DSBCAPS_PRIMARYBUFFER, 0, 0, nullptr};
    IDirectSoundBuffer* buffer = nullptr;
    EXPECT_LT(sound->CreateSoundBuffer(&desc, &buffer, nullptr), 0);
    EXPECT_EQ(buffer, nullptr);
    sound->Release();
}

} // namespace
