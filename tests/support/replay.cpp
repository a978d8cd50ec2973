#include "replay.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "app/globals.h"
#include "platform/dinput.h"
#include "program/run_game.h"

namespace {

namespace hl = platform::headless;

struct KeyName {
    const char* name;
    int scanCode;
};

constexpr KeyName kKeyNames[] = {
    {"escape", DIK_ESCAPE}, {"enter", DIK_RETURN}, {"space", DIK_SPACE},
    {"up", DIK_UP},         {"down", DIK_DOWN},    {"a", DIK_A},
};

std::optional<int> scanCodeOf(const std::string& name) {
    for (const KeyName& key : kKeyNames) {
        if (name == key.name) return key.scanCode;
    }
    try {
        std::size_t used = 0;
        const int code = std::stoi(name, &used);
        if (used == name.size() && code > 0 && code < 256) return code;
    } catch (...) {
    }
    return std::nullopt;
}

std::string nameOf(int scanCode) {
    for (const KeyName& key : kKeyNames) {
        if (scanCode == key.scanCode) return key.name;
    }
    return std::to_string(scanCode);
}

std::optional<ReplayInput> parseInput(const std::string& keys, const std::string& joystick) {
    ReplayInput input;
    if (keys != "-") {
        std::stringstream names(keys);
        std::string name;
        while (std::getline(names, name, '+')) {
            const auto code = scanCodeOf(name);
            if (!code) return std::nullopt;
            input.keys.push_back(*code);
        }
        std::sort(input.keys.begin(), input.keys.end());
    }
    if (!joystick.empty()) {
        unsigned long y = 0;
        unsigned long buttons = 0;
        char end = 0;
        if (std::sscanf(joystick.c_str(), "joy=%lu,%lu%c", &y, &buttons, &end) != 2 || y > 65535) {
            return std::nullopt;
        }
        input.joystickY = static_cast<DWORD>(y);
        input.joystickButtons = static_cast<DWORD>(buttons);
    }
    return input;
}

bool lineError(std::string& error, int lineNumber, const std::string& what) {
    error = "line " + std::to_string(lineNumber) + ": " + what;
    return false;
}

void setJoystick(const ReplayInput& input) {
    platform::JoystickState state;
    state.present = true;
    state.y = input.joystickY;
    state.buttonsHeld = input.joystickButtons;
    hl::setJoystick(state);
}

// The input of one frame, applied as the frame is presented: keys that go down are pressed.
void apply(const ReplayInput& input, const ReplayInput& before, bool joystick) {
    for (int code : before.keys) {
        if (!std::binary_search(input.keys.begin(), input.keys.end(), code)) hl::setKeyDown(code, false);
    }
    for (int code : input.keys) {
        if (!std::binary_search(before.keys.begin(), before.keys.end(), code)) {
            hl::setKeyDown(code, true);
            hl::pressKey(code);
        }
    }
    if (joystick && (input.joystickY != before.joystickY || input.joystickButtons != before.joystickButtons)) {
        setJoystick(input);
    }
}

} // namespace

std::optional<Replay> parseReplay(const std::string& text, std::string& error) {
    Replay replay;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::istringstream words(line.substr(0, line.find('#')));
        std::string first;
        if (!(words >> first)) continue;
        std::string value;
        std::string extra;
        words >> value >> extra;
        if (first == "seed" || first == "rate" || first == "depth" || first == "joystick") {
            if (value.empty() || !extra.empty()) {
                lineError(error, lineNumber, "one value expected");
                return std::nullopt;
            }
            try {
                if (first == "seed") replay.options.calendarTime = std::stoll(value);
                if (first == "rate") replay.options.msPerFlip = std::stod(value);
                if (first == "depth") replay.options.desktopBits = std::stoi(value);
            } catch (...) {
                lineError(error, lineNumber, "not a number: " + value);
                return std::nullopt;
            }
            if (first == "joystick") replay.joystick = value == "yes";
            continue;
        }
        int count = 0;
        try {
            count = std::stoi(first);
        } catch (...) {
            count = 0;
        }
        const auto input = parseInput(value.empty() ? "-" : value, extra);
        if (count <= 0 || !input) {
            lineError(error, lineNumber, "expected COUNT KEYS [joy=Y,BUTTONS]: " + line);
            return std::nullopt;
        }
        replay.frames.insert(replay.frames.end(), static_cast<std::size_t>(count), *input);
    }
    if (replay.frames.empty()) {
        error = "no frames";
        return std::nullopt;
    }
    return replay;
}

std::string formatReplay(const Replay& replay, const std::string& comment) {
    std::ostringstream out;
    out << "# " << comment << "\n";
    out << "seed " << replay.options.calendarTime << "\nrate " << replay.options.msPerFlip << "\ndepth "
        << replay.options.desktopBits << "\njoystick " << (replay.joystick ? "yes" : "no") << "\n";
    for (std::size_t i = 0; i < replay.frames.size();) {
        std::size_t run = 1;
        while (i + run < replay.frames.size() && replay.frames[i + run] == replay.frames[i]) ++run;
        const ReplayInput& input = replay.frames[i];
        out << run << ' ';
        if (input.keys.empty()) out << '-';
        for (std::size_t k = 0; k < input.keys.size(); ++k) out << (k > 0 ? "+" : "") << nameOf(input.keys[k]);
        if (replay.joystick) out << " joy=" << input.joystickY << ',' << input.joystickButtons;
        out << '\n';
        i += run;
    }
    return out.str();
}

std::optional<ReplayRecord> parseGolden(const std::string& text, std::string& error) {
    ReplayRecord record;
    std::istringstream lines(text);
    std::string line;
    std::size_t frames = 0;
    std::size_t sounds = 0;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "frames") {
            words >> frames;
        } else if (first == "exit") {
            words >> record.exitCode;
        } else if (first == "sounds") {
            words >> sounds;
        } else if (first == "sound") {
            std::pair<int, int> sound;
            words >> sound.first >> sound.second;
            record.sounds.push_back(sound);
        } else {
            for (std::string word = first; !word.empty(); word.clear(), words >> word) {
                char* end = nullptr;
                const unsigned long hash = std::strtoul(word.c_str(), &end, 16);
                if (word.size() != 8 || *end != '\0') {
                    lineError(error, lineNumber, "not a frame hash: " + word);
                    return std::nullopt;
                }
                record.frameHashes.push_back(static_cast<std::uint32_t>(hash));
            }
        }
    }
    if (record.frameHashes.size() != frames || record.sounds.size() != sounds) {
        error = "the counts do not match the hashes and sounds listed";
        return std::nullopt;
    }
    return record;
}

std::string formatGolden(const ReplayRecord& record, const std::string& replayName) {
    std::ostringstream out;
    out << "# What " << replayName << " showed and played: the exit code, every sound started (frame, WAVE id)\n"
        << "# and a hash of every frame presented, eight to a line. Regenerated, never edited.\n";
    out << "frames " << record.frameHashes.size() << "\nexit " << record.exitCode << "\nsounds " << record.sounds.size()
        << '\n';
    for (const auto& [frame, wave] : record.sounds) out << "sound " << frame << ' ' << wave << '\n';
    char hex[9];
    for (std::size_t i = 0; i < record.frameHashes.size(); ++i) {
        std::snprintf(hex, sizeof hex, "%08x", record.frameHashes[i]);
        out << hex << ((i % 8 == 7 || i + 1 == record.frameHashes.size()) ? '\n' : ' ');
    }
    return out.str();
}

std::uint32_t frameHash(const std::vector<std::uint32_t>& pixels, int width, int height) {
    // Each pixel, mixed with its position, is multiplied by an odd constant into one of eight sums:
    // any one changed pixel changes its sum, and the loop vectorises.
    std::uint32_t sums[8] = {};
    const std::size_t count = pixels.size();
    for (std::size_t i = 0; i < count; ++i) {
        const auto position = static_cast<std::uint32_t>(i) * 0x9E3779B1u;
        sums[i % 8] += (pixels[i] ^ position) * 0x85EBCA77u;
    }
    std::uint64_t hash = static_cast<std::uint64_t>(width) << 32 | static_cast<std::uint64_t>(height);
    for (std::uint32_t sum : sums) {
        hash = (hash ^ sum) * 0x100000001B3ull;
        hash ^= hash >> 29;
    }
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

ReplayRecord playInput(const platform::HeadlessOptions& options, bool joystick, const InputSource& next,
                       const ReplayRecord* golden, FrameMismatch* mismatch) {
    hl::reset(options);
    // The first input is there from the start, with no key press.
    ReplayInput held = next(0).value_or(ReplayInput{});
    for (int code : held.keys) hl::setKeyDown(code, true);
    if (joystick) setJoystick(held);
    ReplayRecord record;
    std::size_t soundsSeen = 0;
    bool closed = false;
    hl::setFlipHook([&](int presented) {
        const auto& pixels = hl::lastPresented();
        const std::uint32_t hash = frameHash(pixels, hl::presentedWidth(), hl::presentedHeight());
        record.frameHashes.push_back(hash);
        const std::size_t index = record.frameHashes.size() - 1;
        if (golden != nullptr && mismatch != nullptr && mismatch->frame == 0 &&
            (index >= golden->frameHashes.size() || golden->frameHashes[index] != hash)) {
            *mismatch = FrameMismatch{presented, hl::presentedWidth(), hl::presentedHeight(), pixels};
        }
        const std::vector<int>& log = hl::soundLog();
        for (; soundsSeen < log.size(); ++soundsSeen) record.sounds.emplace_back(presented, log[soundsSeen]);

        if (closed) return;
        const std::optional<ReplayInput> input = next(presented);
        if (!input) {
            closed = true;
            PostMessageA(app.window, WM_CLOSE, 0, 0);
            return;
        }
        apply(*input, held, joystick);
        held = *input;
    });
    record.exitCode = brannocMain(GetModuleHandleA(nullptr));
    hl::setFlipHook(nullptr);
    return record;
}

ReplayRecord playReplay(const Replay& replay, const ReplayRecord* golden, FrameMismatch* mismatch) {
    const auto next = [&](int frame) -> std::optional<ReplayInput> {
        if (static_cast<std::size_t>(frame) >= replay.frames.size()) return std::nullopt;
        return replay.frames[static_cast<std::size_t>(frame)];
    };
    return playInput(replay.options, replay.joystick, next, golden, mismatch);
}
