#!/usr/bin/env bash
# Builds the release configuration and runs every benchmark executable
# (build/release/bin/*_bench), then the comparison with GNU source-highlight
# (when it is installed), File > Open in the running editor, its start
# beside vim (on Xvfb), the whole-text commands beside vim's and moving
# through a large document beside vim (on Xvfb). Arguments go to every
# benchmark, e.g.
#   scripts/run-benchmarks.sh --benchmark_filter=Keystroke
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"${BQS_JOBS:-$(nproc)}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for bench in build/release/bin/*_bench; do
  echo "== $(basename "$bench")"
  "$bench" "$@"
done
echo "== source-highlight against the HTML scanner"
bash bench/compare-source-highlight.sh build/release
echo "== File > Open in the running editor"
python3 bench/open-in-editor.py build/release
echo "== Start of the running editor, beside vim"
python3 bench/start-on-xvfb.py build/release
BQS_START_KIND=empty-lines BQS_START_MB="100" python3 bench/start-on-xvfb.py build/release
echo "== Whole-text commands, beside vim"
python3 bench/replace-all-beside-vim.py build/release
echo "== Moving through a large document in the running editor, beside vim"
python3 bench/move-in-editor.py build/release
