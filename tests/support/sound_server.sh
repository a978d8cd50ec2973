#!/usr/bin/env bash
# A private PulseAudio server with one sink that plays to nowhere (its monitor is
# nowhere.monitor), for a program under test that wants a sound server, or a test that listens to
# what it plays. Runs in the foreground until ended (SIGTERM), with its home, its settings and its
# socket in <folder>; clients reach it with PULSE_SERVER=unix:<folder>/native.
# Usage: sound_server.sh <folder> [<more of pulseaudio's options>...]
set -euo pipefail
folder="$(realpath "$1")"
export HOME="$folder" XDG_RUNTIME_DIR="$folder" XDG_CONFIG_HOME="$folder"
exec pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes --use-pid-file=no \
  --load="module-null-sink sink_name=nowhere" \
  --load="module-native-protocol-unix socket=$folder/native auth-anonymous=1" "${@:2}"
