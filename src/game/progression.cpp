// Rounds, the extra life and the cycle of fourteen rounds.
#include "game/pub_screen.h"

namespace {
constexpr std::int32_t roundsPerCycle = 14;
constexpr std::int32_t roundsPerExtraLife = 15;
constexpr std::int32_t spreadPerRound = 20;
constexpr std::int32_t firstSpread = 400;
constexpr std::int32_t drinkCutPerCycle = 30;
} // namespace

void PubScreen::checkProgress() {
    if (clearedCount == gameVars.customerCount) {
        gameVars.level += 1;
        gameVars.round += 1;
        roundsSinceBonus += 1;
        gameVars.customerCount += 1;
        roundSound.play();
        gameVars.bartenderPose = 4;
        gameVars.spawnSpread += spreadPerRound;
        resetRound();
    }
    if (roundsSinceBonus == roundsPerExtraLife) {
        gameVars.lives += 1;
        roundsSinceBonus = 0;
    }
    if (gameVars.round == roundsPerCycle + 1) {
        // A new cycle: one customer again, and every customer drinks for a shorter time.
        gameVars.round = 1;
        gameVars.customerCount = 1;
        gameVars.drinkSteps -= drinkCutPerCycle;
        gameVars.spawnSpread = firstSpread;
        resetRound();
    }
    if (gameVars.lives == 0) {
        showGameOver();
    }
}
