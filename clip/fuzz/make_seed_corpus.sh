#!/usr/bin/env bash
# Builds the seed-corpus generator and writes the clip reader's seed corpus.
# usage: clip/fuzz/make_seed_corpus.sh [OUTPUT_FOLDER] [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
case "${1:-}" in
  -h|--help)
    echo "usage: clip/fuzz/make_seed_corpus.sh [OUTPUT_FOLDER] [BUILD_FOLDER]"
    echo "Writes the clip fuzz target's seed corpus (default build/fuzz-corpus/clip)."
    exit 0 ;;
esac
out=${1:-build/fuzz-corpus/clip}
build=${2:-build/default}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target clip_seed_corpus
"$build/clip/clip_seed_corpus" "$out"
