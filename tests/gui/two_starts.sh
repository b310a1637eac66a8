#!/usr/bin/env bash
# Starts Kelmio twice at the same moment, ROUNDS times, each round with its
# own private runtime and settings folders: exactly one must keep running,
# the other must hand over and end with 0 without touching the settings
# file. Then a third start made while the first runs must do the same.
# Usage: two_starts.sh KELMIO [ROUNDS]; needs a display (ctest runs it under Xvfb).
set -u
kelmio=$1
rounds=${2:-10}
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "round $round: $*" >&2; exit 1; }

# Waits up to 15 s until only one of the given processes is left; prints it.
survivor() {
  local left
  for _ in $(seq 150); do
    left=()
    for pid in "$@"; do kill -0 "$pid" 2>/dev/null && left+=("$pid"); done
    [ "${#left[@]}" -le 1 ] && break
    sleep 0.1
  done
  echo "${left[@]}"
}

for round in $(seq "$rounds"); do
  runtime=$work/run$round
  config=$work/config$round
  mkdir -m 700 "$runtime"
  mkdir "$config"
  # A comment is dropped whenever Kelmio rewrites the file: it shows a write.
  settings=$'; written by hand\n[Settings]\nDirection=0\n'
  printf '%s' "$settings" >"$config/Kelmio.ini"
  export XDG_RUNTIME_DIR=$runtime KELMIO_CONFIG_DIR=$config

  "$kelmio" & a=$!
  "$kelmio" & b=$!
  pids+=("$a" "$b")
  left=$(survivor "$a" "$b")
  [ -n "$left" ] || fail "no Kelmio kept running"
  [[ "$left" != *" "* ]] || fail "both starts kept running"
  sleep 0.5
  kill -0 "$left" 2>/dev/null || fail "the Kelmio that took over ended"
  ended=$([ "$left" = "$a" ] && echo "$b" || echo "$a")
  wait "$ended"; status=$?
  [ "$status" -eq 0 ] || fail "the start that handed over ended with $status"
  [ "$(cat "$config/Kelmio.ini")" = "${settings%$'\n'}" ] || fail "the start that handed over wrote the settings"

  "$kelmio" & c=$!
  pids+=("$c")
  wait "$c"; status=$?
  [ "$status" -eq 0 ] || fail "a later start ended with $status"
  kill -0 "$left" 2>/dev/null || fail "the running Kelmio ended after a later start"
  [ "$(cat "$config/Kelmio.ini")" = "${settings%$'\n'}" ] || fail "a later start wrote the settings"
  kill -9 "$left"
  wait "$left" 2>/dev/null
done
echo "$rounds rounds: one Kelmio each, every other start handed over"
