// Brannoc: pour, slide, catch.
#include "platform/target_backend.h"
#include "program/run_game.h"

int main() {
    platform::useTargetBackend();
    return brannocMain(GetModuleHandleA(nullptr));
}
