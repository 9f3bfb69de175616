#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds Tallimer and runs every test offscreen.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}"
configure_and_build build -DTALLIMER_WERROR=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
