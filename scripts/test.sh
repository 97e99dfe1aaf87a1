#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test. Widgets
# run under the offscreen platform; each test has its own HOME and TMPDIR.
# Then the sanitizer build runs the suite again and fuzzes the text readers;
# MORVAYNE_SKIP_SANITIZERS=1 leaves that out.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build/test --output-on-failure --parallel "$(nproc)" --timeout 600
if [ "${MORVAYNE_SKIP_SANITIZERS:-0}" != 1 ]; then
  bash scripts/test-sanitizers.sh
fi
