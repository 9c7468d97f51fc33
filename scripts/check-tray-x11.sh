#!/usr/bin/env bash
# End-to-end check of the tray on a real X server (not part of
# run-tests.sh: it needs a window manager and a tray). On a free Xvfb
# display with openbox and trayer, the built editor is minimised by the
# window manager: it must leave the screen (withdrawn, not iconic) with its
# icon in the tray, and a click on the icon must bring it back; hidden
# there again, it must come back when the tray goes away. Then, without a
# tray, minimising must stay an ordinary minimise (iconic).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/release/bin
[ -x "$bin/brindel-quillet-studio" ] || { echo "build the editor first (build/release)"; exit 2; }
for tool in Xvfb openbox trayer xdotool xprop xwininfo; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/setup-deps.sh)"; exit 2; }
done

display=90
while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
export DISPLAY=":$display"
work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$bin/." "$work/"

start() { "$@" >/dev/null 2>&1 & pids+=($!); }
fail() { echo "FAIL: $*"; exit 1; }
state() { xprop -id "$1" WM_STATE 2>/dev/null | sed -n 's/.*window state: //p'; }
mapped() { xwininfo -id "$1" | grep -q "IsViewable"; }

start Xvfb "$DISPLAY" -screen 0 1280x1024x24
sleep 1
start openbox
start trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 --transparent false
tray=${pids[-1]}
sleep 1
(cd "$work" && QT_QPA_PLATFORM=xcb exec ./brindel-quillet-studio >/dev/null 2>&1) & pids+=($!)
editor=${pids[-1]}
main=""
for _ in $(seq 40); do
  sleep 0.25
  main=$(xdotool search --all --pid "$editor" --name "Brindel Quillet Studio" 2>/dev/null | while read -r w; do
    mapped "$w" && [ "$(xdotool getwindowname "$w")" != "Brindel Quillet Studio" ] && echo "$w"; done | head -1) || true
  [ -n "$main" ] && break
done
[ -n "$main" ] || fail "the main window did not appear"
sleep 2

# With a tray: the window goes, the icon shows, a click brings the window back.
xdotool windowminimize "$main"
sleep 1.5
mapped "$main" && fail "the window is still on screen"
[ "$(state "$main")" = "Iconic" ] && fail "the window was iconified, not hidden in the tray"
icon=$(xdotool search --all --pid "$editor" 2>/dev/null | while read -r w; do
  g=$(xwininfo -id "$w"); echo "$g" | grep -q IsViewable || continue
  width=$(echo "$g" | sed -n 's/ *Width: //p'); [ "$width" -le 48 ] && echo "$w"; done | head -1) || true
[ -n "$icon" ] || fail "no tray icon"
xdotool mousemove --window "$icon" 8 8 click 1
sleep 1.5
mapped "$main" || fail "a click on the icon did not bring the window back"
echo "with a tray: hidden to the tray and restored by a click"

# Hidden in the tray when the tray ends: the window comes back.
xdotool windowminimize "$main"
sleep 1.5
mapped "$main" && fail "the window is still on screen (second time)"
kill "$tray"
sleep 4
mapped "$main" || fail "the window stayed hidden after the tray went away"
echo "the tray goes away: the window comes back"

# Without a tray: an ordinary minimise.
xdotool windowminimize "$main"
sleep 1.5
[ "$(state "$main")" = "Iconic" ] || fail "without a tray the window was not iconified (state: $(state "$main"))"
echo "without a tray: an ordinary minimise"
echo "OK"
