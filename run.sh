#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it in your tray.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target tolvane
exec build/tolvane "$@"
