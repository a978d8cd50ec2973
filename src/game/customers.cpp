// Customers: placed behind the doors, walking and bobbing, drinking while pushed back, leaving
// through the doors and reaching the bartender.
#include <cmath>

#include "app/globals.h"
#include "game/bars.h"
#include "game/pub_screen.h"
#include "platform/crt.h"

namespace {

struct LookBand {
    std::int32_t top;
    std::int32_t bottom;
};

constexpr LookBand lookBands[6] = {{0, 68}, {68, 131}, {134, 205}, {206, 270}, {272, 340}, {344, 440}};
constexpr std::int32_t look0DrinkingBottom = 66;
constexpr std::int32_t tallLook = 5;
constexpr std::int32_t tallLookRaise = -26;

constexpr SourceRect walkingColumns = {0, 0, 1, 0}; // right is cut at the door
constexpr SourceRect drinkingColumns = {42, 0, 98, 0};
constexpr std::int32_t walkingWidth = 41;

} // namespace

void PubScreen::spawnCustomers() {
    for (std::int32_t i = 0; i < activeCustomers(); ++i) {
        Customer& c = customers[i];
        const int bar = crt::rand() % 3;
        const int offset = crt::rand() % gameVars.spawnSpread;
        c.look = crt::rand() % 6;
        c.y = barLayouts[bar].lane;
        c.x = 700 + offset;
        c.drinking = 0;
    }
}

void PubScreen::resetRound() {
    for (std::int32_t i = 0; i < activeCustomers(); ++i) {
        customers[i].x = 0;
        customers[i].drinking = 0;
    }
    for (std::int32_t m = 0; m <= lastMug && m < mugSlots; ++m) {
        mugs[m].x = 0;
        mugs[m].full = 0;
    }
    clearedCount = 0;
    lastMug = 0;
    spawnCustomers();
}

void PubScreen::moveCustomers() {
    for (std::int32_t i = 0; i < activeCustomers(); ++i) {
        Customer& c = customers[i];
        if (c.drinking == 0 && c.x > 1) {
            c.x -= gameVars.customerStep;
            c.drinkProgress = 0;
        }
        if (c.drinking != 0 && c.x > 1) {
            c.x += gameVars.customerStep;
            c.drinkProgress += gameVars.customerStep;
            if (c.drinkProgress > gameVars.drinkSteps) {
                c.drinking = 0;
                c.drinkProgress = 0;
                launchMug(1, barOf(c.y), c.x);
            }
        }
        if (c.x > 1 && c.drinking == 0) {
            const BarLayout* bar = barLayout(barOf(c.y));
            if (bar != nullptr && c.x < bar->arrivalLimit) {
                // Everyone is placed anew: the others do not move this step.
                customerArrived();
                return;
            }
        }
    }
}

void PubScreen::customerArrived() {
    loseLife();
    reachedSound.play();
}

void PubScreen::loseLife() {
    gameVars.bartenderPose = 3;
    gameVars.lives -= 1;
    resetRound();
}

void PubScreen::drawCustomers() {
    for (std::int32_t i = 0; i < activeCustomers(); ++i) {
        if (app.tickFlag()) {
            bobCustomer(i);
        }
        Customer& c = customers[i];
        if (c.x > 1 && c.x < 799) {
            if (c.drinking == 0) {
                chooseCustomerRect(i);
                clipAtDoor(i);
                drunkSprite.blit(customerRect.left, customerRect.top, customerRect.right, customerRect.bottom, c.x,
                                 c.y + c.bob + lookYOffset - 5);
            }
            if (c.drinking != 0) {
                chooseCustomerRect(i);
                clipAtDoor(i);
                drunkSprite.blit(customerRect.left, customerRect.top, customerRect.right, customerRect.bottom, c.x,
                                 c.y + lookYOffset + 5);
            }
        }
        lookYOffset = 0;
    }
}

void PubScreen::bobCustomer(std::int32_t i) {
    Customer& c = customers[i];
    c.bobPhase = static_cast<float>(static_cast<double>(c.bobPhase) + 0.22);
    if (c.bobPhase > 3.14) {
        c.bobPhase = 0.0f;
    }
    c.bob = static_cast<std::int32_t>(std::sin(static_cast<double>(c.bobPhase)) * 5.0);
}

void PubScreen::chooseCustomerRect(std::int32_t i) {
    const Customer& c = customers[i];
    if (c.look < 0 || c.look > 5) {
        return;
    }
    const LookBand& band = lookBands[c.look];
    const SourceRect& columns = c.drinking != 0 ? drinkingColumns : walkingColumns;
    customerRect.left = columns.left;
    customerRect.right = columns.right;
    customerRect.top = band.top;
    customerRect.bottom = c.look == 0 && c.drinking != 0 ? look0DrinkingBottom : band.bottom;
    if (c.look == tallLook) {
        lookYOffset = tallLookRaise;
    }
}

void PubScreen::clipAtDoor(std::int32_t i) {
    Customer& c = customers[i];
    const BarLayout* bar = barLayout(barOf(c.y));
    if (bar == nullptr) {
        return;
    }
    const std::int32_t door = bar->doorEdge;
    SourceRect& r = customerRect;
    if (c.drinking == 0 && c.x < door) {
        r.right = door - c.x;
    }
    if (c.drinking == 0 && r.right > walkingWidth) {
        r.right = walkingWidth;
    }
    if (c.drinking != 0 && c.x > door - (r.right - r.left)) {
        r.right = door - c.x + r.left;
    }
    if (c.drinking != 0 && r.right < 43) {
        // Pushed through the door: he has left, and that is a point.
        r.right = 43;
        c.x = 0;
        c.drinking = 0;
        clearedCount += 1;
        servedSound.play();
        score += 1;
    }
}
