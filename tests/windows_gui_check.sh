#!/usr/bin/env bash
# Under Wine and Xvfb: the Windows program starts, a click on the start-up frame shows the
# main menu, every screen opens, and "終了" ends the program. With a second argument, a
# screenshot of each screen is written there. With PLANTED naming a stand-in library, it lies
# beside the program as ole32.dll, oleaut32.dll and uxtheme.dll, and must never be loaded.
#   [PLANTED=dll] tests/windows_gui_check.sh PROGRAM_DIR [SCREENSHOT_DIR]
set -euo pipefail
program="$1"
shots="${2:-}"
[ -n "$shots" ] && mkdir -p "$shots"
work=$(mktemp -d)
cp -r "$program"/. "$work"/
planted=(ole32.dll oleaut32.dll uxtheme.dll)
if [ -n "${PLANTED:-}" ]; then
  for name in "${planted[@]}"; do cp "$PLANTED" "$work/$name"; done
  # Wine would take its own builtin library for a native one it finds; Windows takes the file.
  export WINEDLLOVERRIDES="ole32,oleaut32,uxtheme=n,b"
fi
# Xvfb picks a free display itself and tells its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/.display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/.display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/.display")"
rm -f "$work/.display"
cleanup() {
  kill "$app" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
sleep 1

wait_for() {  # a window whose title matches, within 30 seconds
  for _ in $(seq 60); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 && return 0
    sleep 0.5
  done
  echo "no window: $1" >&2
  return 1
}
shoot() { [ -n "$shots" ] && import -window root "$shots/$1.png" || true; }
click_in() {  # window, x, y inside its client area
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.7
}

wine "$work/st_nubera.exe" &
app=$!
sleep 3
# The start-up screen has no caption; it is the one window of the program at first.
for _ in $(seq 60); do
  splash=$(xdotool search --onlyvisible --class "st_nubera.exe" 2>/dev/null | head -1) && [ -n "$splash" ] && break
  sleep 0.5
done
[ -n "${splash:-}" ] || { echo "the start-up screen did not appear" >&2; exit 1; }
shoot 1-splash
click_in "$splash" 20 260            # the free area of the frame
menu=$(wait_for "ソラトーン")
shoot 2-menu
click_in "$menu" 188 110              # 仮想サーバー作成
form2=$(wait_for "サーバー（フォルダー作成①）")
shoot 3-server-folder
click_in "$form2" 376 212             # 次
form3=$(wait_for "仮想サーバー②")
shoot 4-site-folder
click_in "$form3" 556 276             # 終了
menu=$(wait_for "ソラトーン")
click_in "$menu" 188 150              # 一発　ヌベラ
form4=$(wait_for "一発")
shoot 5-quick
click_in "$form4" 540 268             # 設定
form5=$(wait_for "ヌベラ　設定")
shoot 6-quick-settings
click_in "$form5" 64 324              # 戻る on the settings screen
click_in "$form4" 436 268             # 戻る
menu=$(wait_for "ソラトーン")
click_in "$menu" 188 238              # 詳細作成
form6=$(wait_for "詳細作成")
shoot 7-detailed
click_in "$form6" 464 324             # 設定
form7=$(wait_for "設定②")
shoot 8-detailed-settings
click_in "$form7" 80 332              # 戻る on the settings screen
click_in "$form6" 400 324             # 終了
for _ in $(seq 40); do
  if ! kill -0 "$app" 2>/dev/null; then
    for name in "${planted[@]}"; do
      [ ! -e "$work/$name.loaded" ] || { echo "the program loaded the planted $name" >&2; exit 1; }
    done
    echo "windows gui check: passed"
    exit 0
  fi
  sleep 0.5
done
echo "the program did not end after 終了" >&2
exit 1
