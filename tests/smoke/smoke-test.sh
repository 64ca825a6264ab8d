#!/usr/bin/env bash
# Drives the real program under an X server of its own, as a person at the keyboard would: opens a file,
# selects every row and copies it, compares the clipboard with the file's names, edits a cell, undoes
# the edit, and quits with Ctrl+Q. Exits 0 when all of it worked, 77 (skipped) without Xvfb, xdotool
# or xclip (scripts/install-deps.sh installs them), 1 on any failure.
#   tests/smoke/smoke-test.sh PATH/TO/corvanthe
set -uo pipefail

program="${1:?usage: smoke-test.sh PATH/TO/corvanthe}"
for tool in Xvfb xdotool xclip; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
  # A server still going down holds its display's socket: a run right after this one must not meet it.
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$xvfb_pid" 2>/dev/null || break; sleep 0.1; done
  fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The server picks a display number nobody holds (its own lock and socket checks see servers that
# a scan of /tmp cannot, such as one in another mount namespace) and names it once it accepts clients.
start_xvfb() {
  : >"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 100); do [ -s "$work/display" ] && break; kill -0 "$xvfb_pid" 2>/dev/null || break; sleep 0.1; done
  number="$(tr -dc '0-9' <"$work/display" 2>/dev/null)"
  [ -n "$number" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$number"
  xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb on $DISPLAY does not answer: $(cat "$work/xvfb.log")"
}
start_xvfb

# Settings of the run's own; the window's language is English.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
file="$work/smoke.vcf"
printf 'BEGIN:VCARD\r\nVERSION:3.0\r\nN:Able;Ann;;;\r\nFN:Ann Able\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Brook;Ben;;;\r\nFN:Ben Brook\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Cole;Cid;;;\r\nFN:Cid Cole\r\nEND:VCARD\r\n' >"$file"

# Under load a display that answered a moment ago has been seen to refuse the program's own
# connection (a server of an earlier run still going down behind the same name): the program is
# started again, on a server of its own if this one is gone, before the run is called a failure.
window=""
for attempt in 1 2 3; do
  "$program" "$file" >"$work/app.log" 2>&1 &
  app_pid=$!
  for _ in $(seq 1 100); do
    window="$(xdotool search --name '^smoke\.vcf' 2>/dev/null | head -n 1)"
    [ -n "$window" ] && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$window" ] && break
  kill -0 "$app_pid" 2>/dev/null && break # running, but without its window: reported below
  wait "$app_pid" 2>/dev/null
  app_pid=""
  grep -q "could not connect to display" "$work/app.log" && [ "$attempt" -lt 3 ] \
    || fail "the program ended early: $(cat "$work/app.log")"
  echo "the program could not connect to $DISPLAY; starting it again" >&2
  kill -0 "$xvfb_pid" 2>/dev/null || start_xvfb
  sleep 0.5
done
[ -n "$window" ] || fail "no window titled smoke.vcf"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
sleep 0.3

keys() { xdotool key --window "$window" --clearmodifiers "$@"; sleep 0.15; }
copy_all() { keys ctrl+a; keys ctrl+c; xclip -o -selection clipboard 2>/dev/null; }

copied="$(copy_all)"
for name in "Ann Able" "Ben Brook" "Cid Cole"; do
  grep -q "$name" <<<"$copied" || fail "the clipboard lacks $name: $copied"
done

# Edit the first row's company with the keyboard: to the first cell, three columns right, F2, type.
# Select All left every row selected, and an edit over several rows first asks whether they should all
# get the value: a plain move down and up selects the first row alone.
keys ctrl+Home
keys Down Up
keys Right Right Right
keys F2
xdotool type --window "$window" --delay 20 "Smoke Works"
keys Return
# Return commits and, as in the table's rules, goes on editing the next row's cell: Escape leaves it.
keys Escape
copied="$(copy_all)"
grep -q "Smoke Works" <<<"$copied" || fail "the edited company is not in the copy: $copied"
keys ctrl+z
copied="$(copy_all)"
grep -q "Smoke Works" <<<"$copied" && fail "undo left the company: $copied"

# Find a contact with the find bar: Ctrl+F, type, Return selects the match and leaves the keys with
# the table, so Ctrl+C copies that contact alone.
keys ctrl+f
xdotool type --window "$window" --delay 20 "Cid"
keys Return
sleep 0.3
keys ctrl+c
copied="$(xclip -o -selection clipboard 2>/dev/null)"
grep -q "Cid Cole" <<<"$copied" || fail "the contact found is not on the clipboard: $copied"
grep -q "Ann Able" <<<"$copied" && fail "more than the contact found was copied: $copied"

keys ctrl+q
for _ in $(seq 1 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the program did not quit on Ctrl+Q"
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program exited with $status: $(cat "$work/app.log")"
echo "smoke test passed"
