// Golden replays: a recorded session of held keys and joystick that the whole program plays
// again on the headless backend, and the golden record of every frame it showed and every sound
// it started.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless.h"

// What the player holds while one frame is on screen; the next frame reads it. A key that goes
// down also arrives as a key press.
struct ReplayInput {
    std::vector<int> keys; // scan codes, ascending
    DWORD joystickY = 32767;
    DWORD joystickButtons = 0;

    bool operator==(const ReplayInput&) const = default;
};

struct Replay {
    platform::HeadlessOptions options; // seed, virtual frame time and desktop depth
    bool joystick = false;             // a joystick is plugged in from the start
    // frames[0] is held from the start, frames[n] from when frame n is presented; the window is
    // closed when the last is presented.
    std::vector<ReplayInput> frames;
};

// Text form: "#" comments, the header lines "seed N", "rate MS", "depth BITS", "joystick yes|no",
// then runs of frames: "COUNT KEYS [joy=Y,BUTTONS]", KEYS being names joined by "+" ("down+space"),
// scan codes, or "-" for none.
std::optional<Replay> parseReplay(const std::string& text, std::string& error);
std::string formatReplay(const Replay& replay, const std::string& comment);

// What one run showed and played.
struct ReplayRecord {
    std::vector<std::uint32_t> frameHashes;
    std::vector<std::pair<int, int>> sounds; // frame, WAVE resource id
    int exitCode = -1;

    bool operator==(const ReplayRecord&) const = default;
};

std::optional<ReplayRecord> parseGolden(const std::string& text, std::string& error);
std::string formatGolden(const ReplayRecord& record, const std::string& replayName);

// The first frame that differs from the golden one, as shown.
struct FrameMismatch {
    int frame = 0; // 1 for the first frame; 0 while none differs
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB
};

// Plays input from the program's entry point: next(n) gives what is held from frame n on (0: from
// the start), or nothing to close the window.
using InputSource = std::function<std::optional<ReplayInput>(int frame)>;
ReplayRecord playInput(const platform::HeadlessOptions& options, bool joystick, const InputSource& next,
                       const ReplayRecord* golden = nullptr, FrameMismatch* mismatch = nullptr);

// Plays the replay from the program's entry point. Where a golden record is given, the first frame
// whose hash differs from it is kept in mismatch.
ReplayRecord playReplay(const Replay& replay, const ReplayRecord* golden = nullptr, FrameMismatch* mismatch = nullptr);

std::uint32_t frameHash(const std::vector<std::uint32_t>& pixels, int width, int height);
