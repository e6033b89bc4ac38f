#!/usr/bin/env bash
# Configures and builds one preset (default, asan or tsan).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
preset=${1:-default}
./scripts/install-deps.sh
if [ ! -f "build/$preset/build.ninja" ]; then
  cmake --preset "$preset" >/dev/null
fi
cmake --build --preset "$preset"
