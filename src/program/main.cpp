// Brannoc: pour, slide, catch.
#include "program/run_game.h"
#include "platform/headless.h"

int main() {
    platform::useSdl();
    return brannocMain(GetModuleHandleA(nullptr));
}
