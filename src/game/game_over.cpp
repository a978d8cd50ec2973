// The game-over box with its message, and the restart with Enter.

#include "app/globals.h"
#include "game/pub_screen.h"
#include "platform/crt.h"
#include "platform/dinput.h"

namespace {

struct Taunt {
    const char* text;
    int x;
    int y;
};

constexpr Taunt taunts[5] = {
    {"Hey, you cant leave now!", 250, 360},
    {"hmmmm, you can do better", 250, 380},
    {"Press enter for fame and glory, escape for work and worry", 205, 360},
    {"Those customers are not gonna make their own beer!", 230, 360},
    {"You know you want to play again", 250, 360},
};

} // namespace

void PubScreen::showGameOver() {
    // Printed with the pen as the panel of the previous frame left it.
    app.shapes.fillRect(200, 200, 600, 400, 0x00000000, 0x00FFFFFF);
    app.textPen.print("GAME OVER (We had fun but it's over!)", 250, 230);
    app.textPen.print("Press Enter to Play again", 250, 260);
    app.textPen.print("Press Escape to Exit", 250, 290);
    if (tauntChosen == 0) {
        gameOverSound.play();
        taunt = crt::rand() % 5;
        tauntChosen = 1;
    }
    if (taunt >= 0 && taunt < 5) {
        app.textPen.print(taunts[taunt].text, taunts[taunt].x, taunts[taunt].y);
    }
    // Nobody gets further than a step from his door while the box shows.
    resetRound();
    if (app.keyDown(DIK_RETURN)) {
        restartGame();
    }
}

void PubScreen::restartGame() {
    // The round is reset first, so it is placed with the finished game's count and spread.
    // The bartender stays at his bar, and a pour under way still completes.
    resetRound();
    score = 0;
    gameVars.customerCount = 1;
    tauntChosen = 0;
    gameVars.level = 1;
    gameVars.lives = 3;
    gameVars.round = 1;
    gameVars.bartenderPose = 1;
    roundsSinceBonus = 0;
    gameVars.mugSpeed = 2;
    gameVars.drinkSteps = 300;
    gameVars.spawnSpread = 400;
}
