#!/usr/bin/env bash
# Builds and runs every test twice: a normal build (build/) and one with
# AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/). The
# end-to-end tests start their own X server, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")"
jobs=${JOBS:-2}
for variant in build build-asan; do
  sanitize=OFF
  [ "$variant" = build-asan ] && sanitize=ON
  cmake -S . -B "$variant" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_SANITIZE=$sanitize
  cmake --build "$variant" -j "$jobs"
  ctest --test-dir "$variant" --output-on-failure -j "$jobs"
done
