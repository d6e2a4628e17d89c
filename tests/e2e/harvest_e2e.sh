#!/usr/bin/env bash
# End to end: the built program in an empty folder, under an X server of its
# own, harvests a two-group fixture site served on 127.0.0.1, saves weiqun.txt,
# shows the first harvested QR picture, and ends with status 0 when its window
# is closed.
#
#   harvest_e2e.sh PROGRAM SITE_SERVER CLOSE_WINDOW FIXTURE_FOLDER DIRECTORY_HOST
#
# Exit status 77 (a skip) only when no X server can be had.
set -euo pipefail

program=$1 site_server=$2 close_window=$3 fixture=$4 host=$5

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v Xvfb >/dev/null || skip "Xvfb is not installed (scripts/setup.sh installs it)"
for tool in xdotool import compare identify curl; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# An X server on a display number it picks itself.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 15 test -s "$work/display" || skip "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

# The fixture site at the build's directory host.
"$site_server" "$fixture/site" >"$work/site.log" 2>&1 &
pids+=($!)
wait_for 15 curl -sf -o /dev/null "http://$host/wxq-9-1-or-3-vi-1.html" ||
  fail "the fixture site does not answer at $host: $(cat "$work/site.log")"

mkdir "$work/app"
cp "$program" "$work/app/kelvora"
(cd / && exec "$work/app/kelvora") >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

find_window() { window=$(xdotool search --name '^Kelvora1\.0\.1$' 2>/dev/null | head -n1) && [ -n "$window" ]; }
wait_for 30 find_window || fail "no window titled Kelvora1.0.1: $(cat "$work/program.log")"
[ -f "$work/app/SkinH_EL.dll" ] || fail "SkinH_EL.dll was not written beside the program"

eval "$(xdotool getwindowgeometry --shell "$window")"  # X and Y: the client area's origin
click_at() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1; }

# 按钮1 (624,480 136x56): one harvest run; the file appears when it saves.
click_at $((624 + 68)) $((480 + 28))
wait_for 90 test -f "$work/app/weiqun.txt" || fail "weiqun.txt was not written"
LC_ALL=C sed "s/{{host}}/$host/g" "$fixture/expected_weiqun.txt" >"$work/expected.txt"
cmp "$work/app/weiqun.txt" "$work/expected.txt" || fail "weiqun.txt differs from the expected list"

# 按钮2 (440,480 136x56): the first group's QR picture in 图片框1 (8,49 416x495),
# at its natural size and centred there.
click_at $((440 + 68)) $((480 + 28))
qr="$fixture/site/qr/e2e-1.png"
read -r qr_width qr_height < <(identify -format '%w %h\n' "$qr")
left=$((X + 8 + (416 - qr_width) / 2))
top=$((Y + 49 + (495 - qr_height) / 2))
shows_qr() {
  import -window root -crop "${qr_width}x${qr_height}+${left}+${top}" +repage "$work/shot.png"
  # Every module dark or light exactly where the picture has it.
  [ "$(compare -metric AE "$work/shot.png" "$qr" null: 2>&1)" = "0" ]
}
wait_for 30 shows_qr || {
  import -window root "$work/screen.png"
  cp "$work/screen.png" "${TMPDIR:-/tmp}/kelvora-e2e-screen.png"
  fail "图片框1 does not show the harvested QR picture (screen kept in ${TMPDIR:-/tmp}/kelvora-e2e-screen.png)"
}

# Closing the window as a window manager's close button would.
"$close_window" "$window"
ended() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_for 15 ended || fail "the program did not end after its window was closed"
status=0
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"
echo "PASS: harvested, saved, shown and closed"
