#!/usr/bin/env bash
# Set-up, build, install into ~/st_nubera and start the program from there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja
cmake --build build -j "$(nproc)"
