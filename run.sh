#!/usr/bin/env bash
# Installs what is missing, builds a release, lays out the application folder and starts the program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target appfolder faraid -- -j"$(nproc)"

app="$PWD/build/release/app"
echo "Built the program in: $app"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found; set DISPLAY (or run under xvfb-run) to see the windows." >&2
fi
exec "$app/faraid" "$@"
