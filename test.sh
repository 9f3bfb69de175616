#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds Tallimer and runs every test offscreen; then
# builds it again with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/ and
# runs every test there too, failing on any sanitizer report.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
configure_and_build build -DTALLIMER_WERROR=ON -DTALLIMER_BUILD_TESTS=ON
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")

# The sanitizer build: optimised a little (-O1) so that the tests run fast enough.
configure_and_build build-sanitize -DTALLIMER_WERROR=ON -DTALLIMER_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1"
(cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
