# shellcheck shell=bash
# The benches' private sound servers, sourced by bench/latency_side_by_side.sh and
# bench/sound_gaps.sh.

# Starts a sound server in <work>/<name> for each name, its log in <work>/<name>.log, with
# <pulseaudio options> after the "--", and waits for each to take clients. Adds their pids to
# sound_servers. Two quick streams on one sink starve each other, even on an idle machine: a program
# measured beside the game gets a server of its own.
# Usage: start_sound_servers <work> <name>... [-- <pulseaudio options>...]
start_sound_servers() {
  local work="$1" names=() name
  shift
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do names+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  for name in "${names[@]}"; do
    mkdir "$work/$name"
    "$(dirname "${BASH_SOURCE[0]}")/../tests/support/sound_server.sh" "$work/$name" "$@" >/dev/null 2>"$work/$name.log" &
    sound_servers="${sound_servers:-} $!"
  done
  for name in "${names[@]}"; do
    for _ in $(seq 100); do [ -e "$work/$name/native" ] && break; sleep 0.1; done
    [ -e "$work/$name/native" ] || { echo "the sound server did not start"; exit 2; }
  done
}
