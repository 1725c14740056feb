#!/usr/bin/env bash
# The Windows program, cross-built from Linux with MinGW-w64 and checked under Wine.
#   scripts/windows.sh build        st_nubera.exe and st_nubera_script.exe, installed with the
#                                   pictures and help into out/windows; the test suites in build-win
#                                   and the release st_nubera-VERSION-windows.zip in out/
#   scripts/windows.sh package      the same (the release is made by every build)
#   scripts/windows.sh test         the above, then the suites and a start-up check under Wine
#   scripts/windows.sh screenshots  the above build, then a picture of every screen in out/screens
set -euo pipefail
cd "$(dirname "$0")/.."
what="${1:-build}"

bash scripts/setup.sh cmake ninja-build g++-mingw-w64-x86-64 googletest wine wine64 xvfb xauth \
  xdotool imagemagick fonts-ipafont-gothic

cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CROSSCOMPILING_EMULATOR=wine
cmake --build build-win -j "$(nproc)"
rm -rf out/windows
cmake --install build-win --prefix out/windows --component program
cmake --install build-win --prefix out/windows --component tools
echo "Windows program: out/windows/st_nubera.exe"

# The release: one folder with the program, its pictures and its help, nothing else.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
release=st_nubera-$version
rm -rf out/package "out/$release-windows.zip"
cmake --install build-win --prefix "out/package/$release" --component program >/dev/null
# Names outside ASCII (the first text) are stored as UTF-8 with the zip flag that says so.
(cd out/package && LC_ALL=C.UTF-8 cmake -E tar cf "../$release-windows.zip" --format=zip "$release")
echo "Windows release: out/$release-windows.zip"

export WINEDEBUG=-all
export WINEPREFIX="${WINEPREFIX:-$PWD/build-win/wineprefix}"
if [ ! -d "$WINEPREFIX" ]; then
  wineboot -i >/dev/null 2>&1 || true
  # Japanese fonts for Wine's own dialogs and for the screens' "ＭＳ Ｐゴシック".
  printf 'Windows Registry Editor Version 5.00\r\n\r\n%s\r\n%s\r\n%s\r\n\r\n%s\r\n%s\r\n%s\r\n%s\r\n' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' \
    '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
    '"MS Shell Dlg"="IPAPGothic"' '"MS Shell Dlg 2"="IPAPGothic"' '"Tahoma"="IPAPGothic"' \
    | iconv -f utf-8 -t utf-16 > build-win/fonts.reg
  wine regedit build-win/fonts.reg >/dev/null 2>&1 || true
  wineserver -w || true
fi

case "$what" in
  build | package) ;;
  test)
    # The Win32 desktop's own suite draws real windows: a virtual display for all of them.
    # Every test case runs in a Wine process of its own. One server with the system's
    # services and desktop, kept for the whole run and started with no output of its own,
    # spares each case starting them and holds no case's output open after it has ended.
    # No server of this prefix may be left from an earlier step or run: "wineserver -p" then
    # fails, the cases are served by the old one while it ends, and they fail at once with
    # no output, or the services it starts again hold a case's output open until the timeout.
    wineserver -k 2>/dev/null || true
    wineserver -w
    # With no window manager on the display, Wine waits 2 seconds for one at each window it
    # hides; the suite's windows are left unmanaged, as no window manager would manage them.
    NUBERA_EXPECT_DPI=96 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
      set -e
      wineserver -p </dev/null >/dev/null 2>&1 || { echo "a Wine server of this prefix is still running" >&2; exit 1; }
      wine wineboot </dev/null >/dev/null 2>&1
      wine reg add "HKCU\\Software\\Wine\\AppDefaults\\win32_tests.exe\\X11 Driver" \
        /v Managed /d N /f </dev/null >/dev/null 2>&1
      ctest --test-dir build-win --output-on-failure' || status=$?
    wineserver -k || true
    [ "${status:-0}" -eq 0 ]
    # The same desktop at 150 % (144 dpi): on a large display, and on a 1280 x 1024 and a
    # 1024 x 768 one where a settings screen must find room beside its creation screen's
    # buttons. The prefix is put
    # back to 96 dpi however the run ends.
    dpi_key='HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'
    set_dpi() {
      wine reg add "$dpi_key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
      wineserver -w
    }
    trap 'set_dpi 96' EXIT
    set_dpi 144
    # Run in the build folder, as ctest runs them, so that their test folders never land in
    # the sources.
    NUBERA_EXPECT_DPI=144 xvfb-run -a -s "-screen 0 1920x1080x24" \
      env -C build-win wine win32_tests.exe --gtest_filter='*Fits*:*Usable*:*Scale*' || status=$?
    for display in 1280x1024 1024x768; do
      NUBERA_EXPECT_DPI=144 xvfb-run -a -s "-screen 0 ${display}x24" \
        env -C build-win wine win32_tests.exe --gtest_filter='*Usable*' || status=$?
    done
    set_dpi 96
    trap - EXIT
    [ "${status:-0}" -eq 0 ]
    python3 tests/check_release.py "out/$release-windows.zip" "$release" build-win/shipped_files.txt
    # The start-up check on the release, as a user unpacks it.
    # Stand-ins for system libraries beside it, as a download folder may hold them.
    PLANTED=build-win/planted_library.dll bash tests/windows_gui_check.sh "out/package/$release"
    ;;
  screenshots)
    bash tests/windows_gui_check.sh "out/package/$release" out/screens
    ;;
  *) echo "usage: scripts/windows.sh [build|package|test|screenshots]" >&2; exit 2 ;;
esac
