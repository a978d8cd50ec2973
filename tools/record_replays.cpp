// Records the golden replays of tests/replays: players scripted from what the pub shows, their
// held keys written down frame by frame. Run it from the build directory, where bmps/ lies:
//   ./brannoc_record_replays ../../tests/replays
// then regenerate the goldens (scripts/regenerate-goldens.sh). Only for new or changed replays.
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>

#include "app/globals.h"
#include "game/bars.h"
#include "game/pub_screen.h"
#include "platform/dinput.h"
#include "replay.h"

namespace {

// A player: given the frame just shown, what he holds from now on, or nothing to stop.
using Player = std::function<std::optional<ReplayInput>(int frame)>;

ReplayInput hold(std::initializer_list<int> keys) { return ReplayInput{keys, 32767, 0}; }

bool inPlay() { return app.screen() == SCREEN_PLAY; }

// Through the front screens with a key press each; true once play has begun.
bool pastFrontScreens(ReplayInput& input, int frame) {
    if (inPlay()) return true;
    input = frame % 2 == 0 ? hold({DIK_A}) : hold({});
    return false;
}

// Down until the bartender stands at the bar; true once he does.
bool walkTo(ReplayInput& input, int bar) {
    const bool there = gameVars.bartenderBar == bar;
    input = there ? hold({}) : hold({DIK_DOWN});
    return there;
}

const Customer& nearest() {
    const Customer* best = &pubScreen.customers[0];
    for (int i = 0; i < gameVars.customerCount && i < PubScreen::customerSlots; ++i) {
        const Customer& c = pubScreen.customers[i];
        if (c.x > 1 && c.drinking == 0 && (best->x <= 1 || best->drinking != 0 || c.x < best->x)) best = &c;
    }
    return *best;
}

// A returning empty mug's bar, or 0.
int emptyMugBar() {
    for (int i = 0; i <= lastMug && i < PubScreen::mugSlots; ++i) {
        const Mug& m = pubScreen.mugs[i];
        if (m.x > 1 && m.full == 0) return mugBarOf(m.y);
    }
    return 0;
}

// The title runs to its end, the help page shows a while, then a little play and Escape.
Player titleIntoPlay() {
    return [](int frame) -> std::optional<ReplayInput> {
        if (frame < 700) return hold({});
        if (frame == 700 || frame == 820) return hold({DIK_A});
        if (frame < 940) return hold({});
        if (frame < 1240) {
            const int step = (frame - 940) % 100;
            if (step < 6) return hold({DIK_DOWN});
            if (step >= 40 && step < 42) return hold({DIK_SPACE});
            return hold({});
        }
        if (frame == 1240) return hold({DIK_ESCAPE});
        return std::nullopt;
    };
}

// The first customer served and pushed out; round 2 plays a while.
Player roundTwo() {
    return [poured = false, roundTwoAt = 0](int frame) mutable -> std::optional<ReplayInput> {
        ReplayInput input;
        if (!pastFrontScreens(input, frame)) return input;
        if (roundTwoAt == 0 && gameVars.round == 2) roundTwoAt = frame;
        if (roundTwoAt != 0) return frame < roundTwoAt + 400 ? hold({}) : std::optional<ReplayInput>();
        const Customer& c = pubScreen.customers[0];
        if (walkTo(input, barOf(c.y)) && !poured && c.x <= 600) {
            input = hold({DIK_SPACE});
            poured = true;
        }
        return input;
    };
}

// A customer reaches the bartender, a full mug falls off the far end, an empty one falls off his
// end: three lives, then Escape at the game-over box.
Player livesLost() {
    return [poured = false, stage = 0, awayFrom = 0, overAt = 0](int frame) mutable -> std::optional<ReplayInput> {
        ReplayInput input;
        if (!pastFrontScreens(input, frame)) return input;
        const int lost = 3 - gameVars.lives;
        if (lost != stage) {
            stage = lost;
            poured = false;
            awayFrom = 0;
        }
        const Customer& c = pubScreen.customers[0];
        if (stage == 1 && !poured) {
            // A bar with nobody at it: the mug slides off the far end.
            if (walkTo(input, barOf(c.y) == 1 ? 2 : 1)) {
                input = hold({DIK_SPACE});
                poured = true;
            }
        } else if (stage == 2) {
            // Served late, he sends the mug back; the bartender is elsewhere to miss it.
            if (!poured) {
                if (walkTo(input, barOf(c.y)) && c.x <= 380) {
                    input = hold({DIK_SPACE});
                    poured = true;
                }
            } else if (emptyMugBar() != 0 && awayFrom == 0) {
                awayFrom = emptyMugBar();
            }
            if (awayFrom != 0) walkTo(input, awayFrom == 3 ? 1 : awayFrom + 1);
        } else if (stage == 3) {
            if (overAt == 0) overAt = frame;
            if (frame == overAt + 120) return hold({DIK_ESCAPE});
            if (frame > overAt + 120) return std::nullopt;
        }
        return input;
    };
}

// Game over with nobody served, Enter, and the new game plays a while before Escape.
Player gameOverAndAgain() {
    return [overAt = 0](int frame) mutable -> std::optional<ReplayInput> {
        ReplayInput input;
        if (!pastFrontScreens(input, frame)) return input;
        if (overAt == 0 && gameVars.lives == 0) overAt = frame;
        if (overAt == 0) return hold({});
        if (frame < overAt + 90) return hold({});
        if (frame < overAt + 92) return hold({DIK_RETURN});
        if (frame < overAt + 600) return hold({});
        if (frame == overAt + 600) return hold({DIK_ESCAPE});
        return std::nullopt;
    };
}

// A long session: a fair player with a random hand, who starts again after every game over.
Player longSession(unsigned seed, int frames) {
    return [random = std::mt19937(seed), frames, until = 0,
            held = ReplayInput{}](int frame) mutable -> std::optional<ReplayInput> {
        if (frame >= frames) return std::nullopt;
        ReplayInput input;
        if (!pastFrontScreens(input, frame)) return input;
        if (frame < until) return held;
        if (gameVars.lives == 0) {
            held = random() % 4 == 0 ? hold({DIK_RETURN}) : hold({});
        } else if (random() % 8 == 0) {
            // A slip of the hand, held a while.
            const int keys[] = {DIK_UP, DIK_DOWN, DIK_SPACE, 0};
            const int key = keys[random() % 4];
            held = key != 0 ? hold({key}) : hold({});
        } else {
            const int mugBar = emptyMugBar();
            const Customer& c = nearest();
            const int bar = mugBar != 0 ? mugBar : barOf(c.y);
            if (bar != 0 && walkTo(held, bar) && mugBar == 0 && c.x > 1 && c.x < 560) held = hold({DIK_SPACE});
        }
        until = frame + 1 + static_cast<int>(random() % 12);
        return held;
    };
}

bool record(const std::string& dir, const std::string& name, const std::string& comment, int depth,
            const Player& player) {
    Replay replay;
    replay.options.calendarTime = 1'700'000'000;
    replay.options.msPerFlip = 16.7;
    replay.options.desktopBits = depth;
    playInput(replay.options, false, [&](int frame) {
        // Nothing is held at the start, before the program has set anything up; a player who never
        // gets there is stopped.
        std::optional<ReplayInput> input = frame == 0 ? hold({}) : frame < 30000 ? player(frame) : std::nullopt;
        if (input) replay.frames.push_back(*input);
        return input;
    });
    const std::string path = dir + "/" + name + ".replay";
    std::ofstream(path) << formatReplay(replay, comment);
    std::printf("%s: %zu frames, level %d, score %d, lives %d\n", path.c_str(), replay.frames.size(), gameVars.level,
                pubScreen.score, gameVars.lives);
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <replay folder>\n", argv[0]);
        return 2;
    }
    platform::useHeadless();
    const std::string dir = argv[1];
    record(dir, "title_into_play", "The title to its end, the help page, a little play, and Escape.", 32,
           titleIntoPlay());
    record(dir, "round_two", "The first customer served and pushed out, then round 2.", 32, roundTwo());
    record(dir, "lives_lost",
           "A customer reaching the bartender, a full mug off the far end, an empty one off his end.", 32, livesLost());
    record(dir, "game_over_again", "Game over, Enter, and a new game.", 32, gameOverAndAgain());
    record(dir, "long_session", "A long session of scripted random play through several rounds and games.", 32,
           longSession(7, 21000));
    record(dir, "long_session_16", "The same kind of session on a 16-bit desktop.", 16, longSession(11, 21000));
    return 0;
}
