#!/usr/bin/env bash
# Set-up, build, install into a folder of its own (~/st_nubera by default, or the folder
# given as the first argument, taken from where the command was run) and start the program
# from there. That folder is the program directory: the virtual server and the state files
# live in it, and no rebuild or clean touches it. Starting needs a graphical session.
set -euo pipefail
prefix="${1:-$HOME/st_nubera}"
case "$prefix" in
  /*) ;;
  *) prefix="$PWD/$prefix" ;;
esac
cd "$(dirname "$0")/.."
case "$prefix/" in
  "$PWD"/*)
    echo "run.sh: $prefix lies inside the source tree, where a clean would delete your work;" \
      "choose a folder outside it." >&2
    exit 2
    ;;
esac
bash scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"
cmake --install build --prefix "$prefix" --component program
cmake --install build --prefix "$prefix" --component tools
# The application menu finds the program through its desktop entry.
applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$applications"
cp "$prefix/st_nubera.desktop" "$applications/st_nubera.desktop"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "run.sh: installed in $prefix, but there is no graphical session to show it in." \
    "Start it from the application menu of a desktop session, or run $prefix/st_nubera there." >&2
  exit 1
fi
exec "$prefix/st_nubera"
