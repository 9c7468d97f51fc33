#!/usr/bin/env bash
# Colours one generated HTML document (about 50 MB) with GNU source-highlight
# and with the editor's HTML scanner in the same run, like with like: each
# program reads the file, colours it and writes it as an HTML page (the
# scanner's tokens as coloured spans, through highlighting_bench
# --colour-to-html), timed as a whole process, best of three. Prints both
# speeds and their ratio; MB/s count the scanned bytes (lines without their
# breaks).
#   bench/compare-source-highlight.sh [build dir, default build/release]
set -euo pipefail
build="${1:-build/release}"
bench="$build/bin/highlighting_bench"
[ -x "$bench" ] || { echo "no $bench: build the highlighting_bench target first" >&2; exit 1; }
if ! command -v source-highlight >/dev/null; then
  echo "source-highlight is not installed (apt-get install source-highlight): no peer to compare with"
  exit 0
fi
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
bytes="$("$bench" --write-document="$dir/doc.html" | awk '{print $1}')"
best() {  # best wall time of three runs of the command, in seconds
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s.%N)
    "$@"
    end=$(date +%s.%N)
    t=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
  done
  echo "$best"
}
peer_s=$(best source-highlight --src-lang=html --out-format=html --input="$dir/doc.html" --output="$dir/peer.html")
ours_s=$(best "$bench" --colour-to-html="$dir/doc.html,$dir/ours.html")
echo "document: $bytes scanned bytes; both write an HTML page of coloured tokens"
awk -v b="$bytes" -v p="$peer_s" -v o="$ours_s" 'BEGIN {
  printf "source-highlight (file to HTML): %8.2f MB/s (%.2f s)\n", b / 1e6 / p, p
  printf "scanner (file to HTML):          %8.2f MB/s (%.2f s)\n", b / 1e6 / o, o
  if (o > 0) printf "ratio: %.1fx\n", p / o
}'
