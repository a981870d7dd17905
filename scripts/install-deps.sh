#!/usr/bin/env bash
# Installs, with apt-get, whatever the build, the program and the tests need and the machine lacks.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libqt6sql6-sqlite qt6-qpa-plugins qt6-translations-l10n qt6-l10n-tools
    libboost-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-noto-core fonts-dejavu-core
    libsqlite3-dev sqlite3 poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root, or install them with apt-get." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
