#!/usr/bin/env bash
# Fuzzes the readers of what others write: catalogue files (CUnitCategory::LoadFromFile and the
# list loader's line parsing), number text in several locales, and the settings text and
# settings file. Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, then runs each for the given number of seconds
# (60 by default), starting from the seeds in tests/fuzz/corpus/<target>/.
# Inputs that crash are kept in build-fuzz/artifacts/<target>/; the script then fails.
# Usage: ./fuzz.sh [seconds] [target...]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

seconds=${1:-60}
shift || true
all_targets=(fuzz_unitcategory fuzz_listfile fuzz_numbertext fuzz_settingstext fuzz_settingsstore)
targets=("${@:-${all_targets[@]}}")

ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTALLIMER_FUZZ=ON -DTALLIMER_BUILD_TESTS=OFF
cmake --build build-fuzz --target "${targets[@]}"

failed=()
for target in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$target
    artifacts=build-fuzz/artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    dictionary=()
    if [ -f "tests/fuzz/$target.dict" ]; then
        dictionary=(-dict="tests/fuzz/$target.dict")
    fi
    echo "== $target: ${seconds} s"
    # New inputs go into the working corpus in build-fuzz; the seeds in the source tree stay as
    # they are.
    if ! QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${dictionary[@]}" \
        "$corpus" "tests/fuzz/corpus/$target"; then
        failed+=("$target")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Crashes found by: ${failed[*]} (inputs in build-fuzz/artifacts/)" >&2
    exit 1
fi
echo "No crash found by: ${targets[*]}"
