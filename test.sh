#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
preset=debug
if [ -n "${CI:-}" ]; then
    preset=ci
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -- -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" -j"$(nproc)"
