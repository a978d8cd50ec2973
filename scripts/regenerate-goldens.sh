#!/usr/bin/env bash
# Writes the golden records of tests/replays anew from the game as it is now. Only for a change that
# is meant to alter what the game shows or plays: say in the commit which pixels change and why.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset default >/dev/null
cmake --build --preset default --target replays_tests
cd build/default
BRANNOC_REGENERATE_GOLDENS=1 ./replays_tests
