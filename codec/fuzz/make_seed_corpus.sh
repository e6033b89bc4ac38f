#!/usr/bin/env bash
# Builds the seed-corpus generator and writes the decoder's seed corpus.
# usage: codec/fuzz/make_seed_corpus.sh [OUTPUT_FOLDER] [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
case "${1:-}" in
  -h|--help)
    echo "usage: codec/fuzz/make_seed_corpus.sh [OUTPUT_FOLDER] [BUILD_FOLDER]"
    echo "Writes the codec fuzz target's seed corpus (default build/fuzz-corpus/codec)."
    exit 0 ;;
esac
out=${1:-build/fuzz-corpus/codec}
build=${2:-build/default}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target codec_seed_corpus
"$build/codec/codec_seed_corpus" "$out"
