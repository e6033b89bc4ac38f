#!/usr/bin/env bash
# Builds the handheld emulator and runs the demo script headless.
# Prints where the handheld's files, pictures and screenshots went.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

case "${1:-}" in
  -h|--help)
    echo "usage: ./scripts/demo.sh [output folder]"
    echo "Builds the emulator and runs handheld/scripts/demo.txt; output goes to out/demo unless a folder is named."
    exit 0 ;;
esac

out=${1:-out/demo}
./scripts/build.sh default >/dev/null
mkdir -p "$out"
./build/default/handheld/orsa-handheld --root "$out/handheld" --script handheld/scripts/demo.txt
echo "demo: the handheld's files are in $(cd "$out" && pwd)/handheld"
