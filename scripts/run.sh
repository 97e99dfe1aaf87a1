#!/usr/bin/env bash
# Installs what is missing, builds the release and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DMORVAYNE_BUILD_TESTS=OFF -DMORVAYNE_BUILD_BENCH=OFF
cmake --build build/release --parallel "$(nproc)"
exec build/release/bin/Morvayne "$@"
