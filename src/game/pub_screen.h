// Play: the pub with its three bars, the bartender, the customers and the mugs.
#pragma once

#include <cstdint>

#include "game/customer.h"
#include "game/game_vars.h"
#include "game/mug.h"
#include "gfx/sprite.h"
#include "sound/sound_effect.h"

struct SourceRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

class PubScreen {
public:
    static constexpr int customerSlots = 50; // a round never has more than 15
    // The active records, never more than the table holds.
    std::int32_t activeCustomers() const {
        if (gameVars.customerCount < 0) {
            return 0;
        }
        return gameVars.customerCount < customerSlots ? gameVars.customerCount : customerSlots;
    }
    static constexpr int mugSlots = 101;

    Sprite floorSprite;
    Sprite bartenderSprite;
    Sprite beerSprite;
    Sprite drunkSprite;
    SoundEffect moveSound;         // 121: the bartender changes bar
    SoundEffect pourSound;         // 122: a pour; the mug goes when it ends
    SoundEffect breakSound;        // 123: a mug breaks
    SoundEffect catchSound;        // 124: an empty mug caught
    SoundEffect servedSound;       // 125: a customer pushed out through his door
    SoundEffect roundSound;        // 126: a round completed
    SoundEffect reachedSound;      // 128: a customer reached the bartender
    SoundEffect gameOverSound;     // 129: the game-over box appears
    SoundEffect spareSound;        // 130: never played
    SourceRect customerRect;       // picture of the customer being drawn
    std::int32_t clearedCount = 0; // customers of this round out through the door
    std::int32_t score = 0;
    std::int32_t tauntChosen = 0;
    std::int32_t taunt = 0;
    std::uint8_t pouring = 0;
    std::int32_t pourStage = 0; // 1 once the pour sound has started
    std::int32_t frameCount = 0;
    std::int32_t roundsSinceBonus = 0;
    Customer customers[customerSlots] = {};
    Mug mugs[mugSlots] = {};

    void load();
    void frame();
    void drawFloor();
    // Effects first, then sprites, each last declared first, while their devices still exist.
    void teardown();

    // The bartender.
    void handleInput();
    void pour();
    void drawBartender();
    void drawBartenderAt(std::int32_t baseX, std::int32_t baseY, std::int32_t pose);
    void launchMug(std::uint8_t kind, std::int32_t bar, std::int32_t x);

    // The mugs.
    void moveMugs();
    void drawMugs();
    void checkMugs();
    void breakMug(std::int32_t y, std::uint8_t farEnd);

    // The customers.
    void spawnCustomers();
    void resetRound();
    void moveCustomers();
    void drawCustomers();
    void bobCustomer(std::int32_t i);
    void chooseCustomerRect(std::int32_t i);
    void clipAtDoor(std::int32_t i);
    void customerArrived();

    // Rounds, cycles, game over and the panel.
    void checkProgress();
    void showGameOver();
    void restartGame();
    void drawHud();

private:
    // A customer at the bartender's end or a broken mug: the bartender's fallen pose, a life gone
    // and the round begun again.
    void loseLife();
};

extern PubScreen pubScreen;

// Puts gameVars and the play globals back to their starting values, so that the whole program
// can run more than once in one process.
void resetPlayState();
