#!/usr/bin/env bash
# The program natively on Wayland, under a headless sway: the keyboard road from the start-up
# screen to a message box and the settings screen, each shown focused, nothing marked urgent,
# and the process gone once its windows are closed, ROUNDS times.
#   tests/wayland_check.sh PROGRAM_DIR [ROUNDS]
# sway refuses to run as root: run as root, the compositor and the program run as nobody.
set -euo pipefail
program="$1"
rounds="${2:-5}"
work=$(mktemp -d)
user=$(id -un)
[ "$(id -u)" -eq 0 ] && user=nobody
mkdir -p "$work/run" "$work/prog"
cp -r "$program"/. "$work/prog"/
# Every window floats, as a desktop user's fixed-size dialogs do; XWayland runs beside, and the
# display it serves is noted for the program.
printf 'output HEADLESS-1 resolution 1280x1024\nxwayland enable\nfor_window [app_id=".*"] floating enable\nexec sh -c "echo \\$DISPLAY > %s/display"\n' "$work" \
  >"$work/sway.conf"
chown -R "$user" "$work"
chmod 700 "$work/run"
# A command in the session, as that user; the compositor itself (compositor=1) without
# SWAYSOCK, which names the socket it is yet to make.
as_user() {
  local sock
  sock=$(ls "$work"/run/sway-ipc.*.sock 2>/dev/null | head -1 || true)
  local run=(env -i PATH=/usr/bin:/bin HOME="$work" XDG_RUNTIME_DIR="$work/run" LANG=C.UTF-8)
  [ -n "${compositor:-}" ] || run+=(WAYLAND_DISPLAY=wayland-1 SWAYSOCK="$sock")
  # XWayland's display too, as a Wayland desktop has it: Qt must choose Wayland all the same.
  [ -n "${compositor:-}" ] || [ ! -s "$work/display" ] || run+=(DISPLAY="$(cat "$work/display")")
  run+=(WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman)
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u "$user" -- "${run[@]}" "$@"
  else
    "${run[@]}" "$@"
  fi
}
# A command of the session in the background, its process id kept in $work/NAME.pid: the
# command itself, not runuser or env before it, so the check ends what it started and nothing
# else of that user's (a developer's own sway or swaymsg).
started() {
  local name=$1
  shift
  as_user sh -c 'echo $$ >"$0"; exec "$@"' "$work/$name.pid" "$@" &
  for _ in $(seq 50); do [ -s "$work/$name.pid" ] && break; sleep 0.05; done
}
stop() { [ -s "$work/$1.pid" ] && kill "$(cat "$work/$1.pid")" 2>/dev/null || true; }
compositor=1 started sway sway -c "$work/sway.conf" >"$work/sway.log" 2>&1
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  stop events
  stop sway
  rm -rf "$work"
}
trap cleanup EXIT
for _ in $(seq 100); do [ -S "$work/run/wayland-1" ] && ls "$work"/run/sway-ipc.*.sock >/dev/null 2>&1 && break; sleep 0.1; done

# The program's windows as "focused|urgent|shell|floating|title" lines.
windows() {
  as_user swaymsg -t get_tree | python3 -c '
import json, sys
def walk(n, floating=False):
    if n.get("app_id") == "st_nubera":
        print("|".join(str(v) for v in (n["focused"], n["urgent"], n.get("shell"), floating,
                                         n["name"] or "")))
    for c in n.get("nodes", []): walk(c, floating)
    for c in n.get("floating_nodes", []): walk(c, True)
walk(json.load(sys.stdin))'
}
fail() { echo "wayland check: $1" >&2; windows >&2 || true; cat "$work/app.log" "$work/sway.log" >&2; exit 1; }
# Waits until the focused window of the program has this title; nothing may be urgent.
expect_focused() {
  for _ in $(seq 50); do
    if windows | grep -q "^True|False|xdg_shell|.*|$1\$"; then
      ! windows | grep -q "^[^|]*|True|" || fail "a window is marked urgent"
      return 0
    fi
    sleep 0.1
  done
  fail "not focused: '$1'"
}
# Each wtype makes a keyboard of its own: the program needs a moment to take it on before the
# first key, or the key is lost.
key() { as_user wtype -s 300 "$@"; sleep 0.3; }

# Every window event of the run, so that a window marked urgent for a moment is seen too.
started events swaymsg -t subscribe -m '["window"]' >"$work/events" 2>/dev/null
sleep 0.3

for round in $(seq "$rounds"); do
  # The protocol as the program speaks it, to see what it asks of the compositor.
  as_user env WAYLAND_DEBUG=client "$work/prog/st_nubera" >"$work/app.log" 2>&1 &
  app=$!
  expect_focused "st_nubera"              # the start-up screen (no caption), natively
  key -k Return
  expect_focused "ソラトーン　ヌベラ"
  key -k Tab
  key -k Return                          # 一発　ヌベラ
  expect_focused "一発　ヌベラ"
  key abc
  key -k Tab
  key -k Return                          # 保存: no virtual server yet, so a message
  expect_focused "ストリーミング　"
  key -k Return
  expect_focused "一発　ヌベラ"          # on 完成ボタン, which 保存 revealed
  key -k Tab
  key -k Tab
  key -k Return                          # 設定, past the video name
  expect_focused "ヌベラ　設定"
  windows | grep -q "|True|ヌベラ　設定\$" || fail "the settings screen is not kept with its screen"
  key -M shift -k Tab -k Tab -m shift    # to its 戻る
  key -k Return
  expect_focused "一発　ヌベラ"
  key -k Tab
  key -k Return                          # 戻る: the main menu, not modal now
  expect_focused "ソラトーン　ヌベラ"
  key -k Down
  key -k Return                          # 一発　ヌベラ once more, from that menu
  expect_focused "一発　ヌベラ"
  as_user swaymsg '[app_id="st_nubera"] kill' >/dev/null
  for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
  ! kill -0 "$app" 2>/dev/null || fail "round $round: the program did not end after its windows closed"
  grep -q '"change": "new"' "$work/events" || fail "no window events were seen"
  ! grep -q '"urgent": true' "$work/events" || fail "round $round: a window was marked urgent"
  # Once a window of the program has the keyboard, the program never asks to activate one: the
  # answer can come when the focus has moved on (a box has closed and the next one opened), and
  # sway then marks that window urgent. Whether it does so is a race this road seldom loses;
  # the request is not.
  awk '/wl_keyboard@[0-9]+\.enter\(/ { focused = 1 }
       focused && /-> xdg_activation_v1@[0-9]+\.activate\(/ { found = 1 }
       END { exit found ? 1 : 0 }' "$work/app.log" ||
    fail "round $round: the program asked to activate a window while one of its own was focused"
  wait "$app" || true
  app=
done
echo "wayland check: passed ($rounds rounds)"
