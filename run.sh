#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds Tallimer and starts it.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Tallimer needs a graphical display, and none is set (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    exit 1
fi

ensure_packages "${BUILD_PACKAGES[@]}"
configure build
cmake --build build --target Tallimer # the program alone: the tests are test.sh's
exec ./build/Tallimer
