// Tells when a sound device keeps running dry, what the player hears as a crackle, so that it is
// worth trading its quick buffer for a larger one.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform {

class StarveWatch {
public:
    // bufferNs: the sound handed at each ask. slackNs: what the device still holds when our sound
    // has run out (its own buffer and the mixer's), which covers an ask that late.
    StarveWatch(std::int64_t bufferNs, std::int64_t slackNs) : bufferNs_(bufferNs), slackNs_(slackNs) {}

    // The device asks for a buffer at nowNs. True once, at the ask that makes the device a starving
    // one: the third starve within ten seconds.
    bool asked(std::int64_t nowNs) {
        if (handedNs_ < kSettleNs) {
            // Opening, the device asks as its server connects and the game loads: too soon or
            // too late says nothing of how it keeps up.
            handedNs_ += bufferNs_;
            runsOutNs_ = nowNs + bufferNs_;
            return false;
        }
        // The sound handed so far plays on from where it ran out, or from now when it has; the
        // device holds no more than one buffer and its slack, so a device clock a little fast
        // hides no later starve.
        const bool starved = nowNs > runsOutNs_ + slackNs_;
        runsOutNs_ = std::min(std::max(runsOutNs_, nowNs) + bufferNs_, nowNs + bufferNs_ + slackNs_);
        if (!starved || tripped_) return false;
        // A single late ask is a hitch of the machine's; a device that keeps starving is too quick.
        const std::int64_t oldest = starves_[next_];
        starves_[next_] = nowNs;
        next_ = (next_ + 1) % (kStarves - 1);
        tripped_ = oldest >= 0 && nowNs - oldest <= kWindowNs;
        return tripped_;
    }

    static constexpr std::int64_t kSettleNs = 500'000'000; // of sound handed from the device's start
    static constexpr int kStarves = 3;
    static constexpr std::int64_t kWindowNs = 10'000'000'000;

private:
    std::int64_t bufferNs_;
    std::int64_t slackNs_;
    std::int64_t handedNs_ = 0;
    std::int64_t runsOutNs_ = 0;
    std::array<std::int64_t, kStarves - 1> starves_{-1, -1}; // the last starves before this one, oldest at next_
    int next_ = 0;
    bool tripped_ = false;
};

} // namespace platform
