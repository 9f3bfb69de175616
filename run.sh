#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds Tallimer and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}"
configure_and_build build -DTALLIMER_BUILD_TESTS=OFF

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Tallimer needs a graphical display, and none is set (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    exit 1
fi
exec ./build/Tallimer
