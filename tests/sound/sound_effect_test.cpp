// Sound effects on the headless mixer: the game's recordings, one-shot play, and silence without
// a device.
#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include "platform/headless.h"
#include "sound/sound_effect.h"

namespace {

namespace headless = platform::headless;

class SoundEffectTest : public testing::Test {
protected:
    SoundEffectTest() { start(true); }
    ~SoundEffectTest() override {
        effect.release();
        if (device != nullptr) {
            device->Release();
        }
        soundAvailable = false;
    }

    void start(bool withDevice) {
        if (device != nullptr) {
            device->Release();
        }
        platform::HeadlessOptions options;
        options.soundDevice = withDevice;
        headless::reset(options);
        soundAvailable = DirectSoundCreate(nullptr, &device, nullptr) >= 0;
        if (!soundAvailable) {
            device = nullptr;
        }
    }

    IDirectSound* device = nullptr;
    SoundEffect effect;
};

TEST_F(SoundEffectTest, EveryRecordingParsesAndPlaysForItsLength) {
    struct Recording {
        int id;
        DWORD rate;
        DWORD bytes;
    };
    const Recording recordings[] = {
        {121, 11025, 3445},  {122, 11025, 2912},  {123, 11025, 10566}, {124, 11025, 2035},  {125, 11025, 522},
        {126, 44100, 44567}, {128, 44100, 25281}, {129, 44100, 29954}, {130, 44100, 45834}, {131, 22050, 8465},
    };
    for (const Recording& recording : recordings) {
        WAVEFORMATEX* format = nullptr;
        DWORD size = 0;
        ASSERT_TRUE(findWaveResource(nullptr, recording.id, &format, nullptr, &size)) << recording.id;
        WAVEFORMATEX fields = {};
        std::memcpy(&fields, format, 16); // in place in the image, at any alignment
        EXPECT_EQ(fields.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(fields.nChannels, 1);
        EXPECT_EQ(fields.wBitsPerSample, 8);
        EXPECT_EQ(fields.nSamplesPerSec, recording.rate) << recording.id;
        EXPECT_EQ(size, recording.bytes) << recording.id;

        SoundEffect sound;
        ASSERT_TRUE(sound.load(device, recording.id)) << recording.id;
        sound.play();
        EXPECT_EQ(headless::soundLog().back(), recording.id);
        const double lengthMs = 1000.0 * recording.bytes / recording.rate;
        headless::advanceMs(lengthMs - 2);
        EXPECT_TRUE(sound.isPlaying()) << recording.id;
        headless::advanceMs(4);
        EXPECT_FALSE(sound.isPlaying()) << recording.id;
        sound.release();
    }
}

TEST_F(SoundEffectTest, ThereIsNoRecording127) {
    EXPECT_FALSE(effect.load(device, 127));
    EXPECT_EQ(effect.buffer, nullptr);
    effect.play();
    EXPECT_FALSE(effect.isPlaying());
    EXPECT_TRUE(headless::soundLog().empty());
}

TEST_F(SoundEffectTest, PlayingAgainWhileSoundingDoesNotRestart) {
    ASSERT_TRUE(effect.load(device, 126)); // 1.01 s
    effect.play();
    headless::advanceMs(500);
    effect.play();
    headless::advanceMs(500);
    EXPECT_TRUE(effect.isPlaying());
    headless::advanceMs(20);
    EXPECT_FALSE(effect.isPlaying()) << "one sound of its own length, not two";
    EXPECT_EQ(headless::soundLog().size(), 1u);

    effect.play();
    headless::advanceMs(1000);
    EXPECT_TRUE(effect.isPlaying()) << "once finished, it starts again from the beginning";
}

TEST_F(SoundEffectTest, WithoutSoundEverythingIsFalseAndSilent) {
    ASSERT_TRUE(effect.load(device, 122));
    soundAvailable = false;
    effect.play();
    EXPECT_FALSE(effect.isPlaying());
    headless::clearTrace();
    effect.release();
    const auto& trace = headless::trace();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "IDirectSoundBuffer::Release"), 0);
    effect.releaseUnchecked();
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "IDirectSoundBuffer::Release"), 1);
    effect.buffer = nullptr;

    start(false);
    ASSERT_FALSE(soundAvailable);
    EXPECT_FALSE(effect.load(device, 121));
    EXPECT_EQ(effect.buffer, nullptr);
    effect.play();
    EXPECT_FALSE(effect.isPlaying());
    EXPECT_TRUE(headless::soundLog().empty());
}

} // namespace
