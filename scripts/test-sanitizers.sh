#!/usr/bin/env bash
# Every fuzz target for FUZZ_SECONDS (20) each, then the whole suite once
# more, built by Clang with AddressSanitizer and UndefinedBehaviorSanitizer:
# any finding ends the program, so the test fails. Its own build folder,
# build/asan.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/asan
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVAYNE_SANITIZE=ON -DMORVAYNE_BUILD_FUZZ=ON -DMORVAYNE_BUILD_BENCH=OFF
cmake --build "$build" --parallel "$(nproc)"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-20}" "$build"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 600
