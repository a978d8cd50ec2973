#!/usr/bin/env bash
# The tree's JavaScript through ESLint and Prettier, as scripts/lint-js/package-lock.json pins them
# (installed into build/lint-js/node), run with the machine's Node.js.
# scripts/check-js.sh --fix lays the files out in place.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/npm-ci.sh scripts/lint-js build/lint-js/node
mapfile -t files < <(git ls-files -- 'web/*.js' 'web/*.js.in' 'src/platform/web/*.js' 'tests/web/*.mjs' \
                                    'tests/web/**/*.mjs' 'bench/*.mjs')
node scripts/lint-js/lint.mjs build/lint-js/node "$PWD" "${files[@]}" "$@"
