// Brannoc: pour, slide, catch.
#include "platform/headless.h"
#include "program/run_game.h"

int main() {
    platform::useSdl();
    return brannocMain(GetModuleHandleA(nullptr));
}
