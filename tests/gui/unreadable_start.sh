#!/usr/bin/env bash
# Starts the program itself and answers its dialogs from outside, as a user
# would (xdotool types into the windows):
#  - a project on the command line that is not a project file: the error,
#    then the main window with the New Project dialog over it; cancelling
#    that ends the program with 0, as closing its window does;
#  - "InitFile" 0: the New Project dialog before the window; cancelling it
#    ends with 0 too;
#  - a project that cannot be opened at all: the error, no window, and the
#    start fails.
# Usage: unreadable_start.sh KELMIO; needs a display with a window manager
# (ctest runs it under Xvfb with openbox).
set -u
kelmio=$1
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then kill -9 "$pid" 2>/dev/null; fi
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "unreadable_start: $case: $*" >&2
  exit 1
}

mkdir -m 700 "$work/run"
mkdir -p "$work/config" "$work/data" "$work/home" "$work/work"
export XDG_RUNTIME_DIR=$work/run KELMIO_CONFIG_DIR=$work/config XDG_DATA_HOME=$work/data HOME=$work/home

# The first visible window of the program whose title matches; waits up to
# a minute for it (the machine may be busy) while the program runs.
window() {
  local ids
  for _ in $(seq 600); do
    ids=$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null)
    if [ -n "$ids" ]; then
      echo "$ids" | head -n 1
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

shown() { [ -n "$(xdotool search --all --onlyvisible --pid "$pid" --name "$1" 2>/dev/null)" ]; }

press() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1
  sleep 0.3
  xdotool key --clearmodifiers "$2"
}

# Waits up to a minute for the program to end; sets status.
ended() {
  for _ in $(seq 600); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && return 1
  wait "$pid"
  status=$?
  pid=
}

case="not a project file"
printf 'xy' >"$work/work/broken.kmp"
"$kelmio" "$work/work/broken.kmp" &
pid=$!
box=$(window 'Kelmio') || fail "no message about the file"
shown ' - Kelmio$' && fail "the main window showed before the message"
press "$box" Return
dialog=$(window '新規プロジェクト') || fail "no New Project dialog after the message"
shown ' - Kelmio$' || fail "the New Project dialog came without the main window"
press "$dialog" Escape
ended || fail "still running after the New Project dialog was cancelled"
[ "$status" -eq 0 ] || fail "ended with $status after the user cancelled"

case="InitFile 0"
printf '[System]\nInitFile=0\n' >"$work/config/Kelmio.ini"
"$kelmio" &
pid=$!
dialog=$(window '新規プロジェクト') || fail "no New Project dialog"
shown ' - Kelmio$' && fail "the main window showed before the dialog"
press "$dialog" Escape
ended || fail "still running after the New Project dialog was cancelled"
[ "$status" -eq 0 ] || fail "ended with $status after the user cancelled"
rm "$work/config/Kelmio.ini"

case="cannot be opened"
mkdir "$work/work/folder.kmp"
"$kelmio" "$work/work/folder.kmp" &
pid=$!
box=$(window 'Kelmio') || fail "no message about the file"
press "$box" Return
ended || fail "still running after the message"
[ "$status" -ne 0 ] || fail "a start that opened nothing ended with 0"

echo "unreadable_start: the window and the New Project dialog follow a file read in part; cancelled, the program ends with 0"
