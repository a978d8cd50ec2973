// The whole program through a long session of random play on the headless backend, with game
// overs, restarts and the focus lost and won back: live memory and open descriptors stay as they
// were at an early point. BRANNOC_SOAK_FRAMES sets the length: 20,000 frames by default (over five
// minutes of play), 216,000 for an hour.
#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "app/globals.h"
#include "game/pub_screen.h"
#include "platform/dinput.h"
#include "platform/headless.h"
#include "program/run_game.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's own allocator, which mallinfo2 does not see (declared here: GCC ships no header).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

namespace hl = platform::headless;

int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        ++count;
    }
    return count;
}

std::size_t liveBytes() {
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

struct Checkpoint {
    int frame = 0;
    int descriptors = 0;
    std::size_t bytes = 0;

    static Checkpoint take(int frame) { return Checkpoint{frame, openDescriptors(), liveBytes()}; }
};

int soakFrames() {
    const char* asked = std::getenv("BRANNOC_SOAK_FRAMES");
    const int frames = asked != nullptr ? std::atoi(asked) : 0;
    return frames >= 20'000 ? frames : 20'000;
}

// A player who presses keys at random, plays again after each game over and now and then switches
// to another program and back.
class Player {
public:
    explicit Player(int frames) : frames_(frames) {}

    void frame(int presented) {
        if (presented == EarlyFrame) {
            early = Checkpoint::take(presented);
        }
        if (presented >= frames_) {
            if (presented == frames_) {
                late = Checkpoint::take(presented);
                PostMessageA(app.window, WM_CLOSE, 0, 0);
            }
            return;
        }
        if (presented % FocusEvery == FocusEvery / 2) {
            hl::setActive(false); // won back when the program waits for messages
            return;
        }
        if (app.screen() != SCREEN_PLAY) {
            if (presented % 10 == 0) {
                hl::pressKey(DIK_A); // any key moves the front screens on
            }
            return;
        }
        if (pubScreen.tauntChosen != 0) {
            gameOver(presented);
            return;
        }
        if (overSince_ != 0) {
            overSince_ = 0;
            ++restarts;
            hl::setKeyDown(DIK_RETURN, false);
        }
        playAtRandom(presented);
    }

    void idle() {
        hl::setActive(true);
        ++focusChanges;
    }

    static constexpr int EarlyFrame = 3'000;
    static constexpr int FocusEvery = 1'500;

    Checkpoint early;
    Checkpoint late;
    int gameOvers = 0;
    int restarts = 0;
    int focusChanges = 0;

private:
    void gameOver(int presented) {
        if (overSince_ == 0) {
            overSince_ = presented;
            ++gameOvers;
            release();
        }
        // Enter, after a moment with the box.
        hl::setKeyDown(DIK_RETURN, presented - overSince_ >= 30);
    }

    void playAtRandom(int presented) {
        if (presented < holdUntil_) {
            return;
        }
        release();
        constexpr int keys[] = {DIK_UP, DIK_DOWN, DIK_SPACE, DIK_SPACE, 0};
        held_ = keys[std::uniform_int_distribution<int>(0, 4)(random_)];
        if (held_ != 0) {
            hl::setKeyDown(held_, true);
            hl::pressKey(held_);
        }
        holdUntil_ = presented + std::uniform_int_distribution<int>(1, 25)(random_);
    }

    void release() {
        if (held_ != 0) {
            hl::setKeyDown(held_, false);
            held_ = 0;
        }
    }

    int frames_;
    std::mt19937 random_{20'261'208};
    int held_ = 0;
    int holdUntil_ = 0;
    int overSince_ = 0;
};

TEST(Soak, LongRandomPlayKeepsMemoryAndDescriptorsFlat) {
    platform::HeadlessOptions options;
    options.msPerFlip = 1000.0 / 60;
    options.calendarTime = 1'700'000'000;
    options.record = false; // as the real game: no test reads the records
    hl::reset(options);
    const int frames = soakFrames();
    Player player(frames);
    hl::setFlipHook([&](int presented) { player.frame(presented); });
    hl::setIdleHook([&] { player.idle(); });
    const int exitCode = brannocMain(GetModuleHandleA(nullptr));
    hl::setFlipHook(nullptr);
    hl::setIdleHook(nullptr);

    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(player.late.frame, frames) << "the run ended early";
    std::printf("%d frames: %d game overs, %d restarts, %d focus changes; %d descriptors; live bytes %zu at frame "
                "%d, %zu at the end\n",
                frames, player.gameOvers, player.restarts, player.focusChanges, player.late.descriptors,
                player.early.bytes, player.early.frame, player.late.bytes);
    EXPECT_GE(player.gameOvers, 5);
    EXPECT_GE(player.restarts, 5);
    EXPECT_GE(player.focusChanges, 10);
    EXPECT_EQ(player.late.descriptors, player.early.descriptors);
    // A few allocations may come and go with the moment; a leak of even a few bytes a frame does not fit.
    EXPECT_LE(player.late.bytes, player.early.bytes + 64 * 1024);
    EXPECT_TRUE(hl::trace().empty() && hl::soundLog().empty() && hl::messageBoxes().empty() &&
                hl::debugOutput().empty())
        << "records kept that no one asked for";
}

} // namespace
