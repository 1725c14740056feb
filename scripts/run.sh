#!/usr/bin/env bash
# Set-up, build, install into a folder of its own (~/st_nubera by default, or the folder
# given as the first argument) and start the program from there. That folder is the
# program directory: the virtual server and the state files live in it, and no rebuild
# or clean touches it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
prefix="${1:-$HOME/st_nubera}"
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"
cmake --install build --prefix "$prefix" --component program
cmake --install build --prefix "$prefix" --component tools
# The application menu finds the program through its desktop entry.
applications="${XDG_DATA_HOME:-$HOME/.local/share}/applications"
mkdir -p "$applications"
cp "$prefix/st_nubera.desktop" "$applications/st_nubera.desktop"
exec "$prefix/st_nubera"
