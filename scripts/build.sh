#!/usr/bin/env bash
# Configures and builds one preset (default, asan or tsan).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
preset=${1:-default}
# One compiler cache for every clone of the project: paths below the source
# folder count relative to it, so a fresh clone reuses what was built before.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
./scripts/install-deps.sh
if [ ! -f "build/$preset/build.ninja" ]; then
  cmake --preset "$preset" >/dev/null
fi
cmake --build --preset "$preset"
