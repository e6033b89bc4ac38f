#!/usr/bin/env bash
# Builds and runs every test. With no argument the default preset runs;
# name presets to run those instead: ./scripts/test.sh asan tsan
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

case "${1:-}" in
  -h|--help)
    echo "usage: ./scripts/test.sh [default|asan|tsan]..."
    echo "Installs missing packages, builds the named presets (default: default) and runs their tests."
    exit 0 ;;
esac

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(default)
for preset in "${presets[@]}"; do
  case "$preset" in
    default|asan|tsan) ;;
    *) echo "test.sh: unknown preset '$preset' (use default, asan or tsan)" >&2; exit 2 ;;
  esac
  echo "== building $preset"
  ./scripts/build.sh "$preset"
  echo "== testing $preset"
  ctest --preset "$preset"
done
