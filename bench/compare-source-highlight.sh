#!/usr/bin/env bash
# Scans one generated HTML document (about 50 MB) with GNU source-highlight
# and with the editor's HTML scanner in the same run, and prints both speeds
# and their ratio. Counts the scanned bytes (lines without their breaks).
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
start=$(date +%s.%N)
source-highlight --src-lang=html --out-format=html --input="$dir/doc.html" --output="$dir/out.html"
end=$(date +%s.%N)
peer=$(awk -v b="$bytes" -v s="$start" -v e="$end" 'BEGIN { printf "%.2f", b / 1e6 / (e - s) }')
ours=$("$bench" --benchmark_filter='BM_HtmlScanThroughBaseClass/tokens:1' 2>/dev/null |
  sed -n 's/.*MBps=\([0-9.]*\)\([kM]\?\).*/\1 \2/p' | awk '{ m = $2 == "k" ? 1e3 : ($2 == "M" ? 1e6 : 1); printf "%.2f", $1 * m }')
echo "document: $bytes scanned bytes"
echo "source-highlight (to HTML):              $peer MB/s"
echo "scanner, every token through the base class: $ours MB/s"
awk -v a="$ours" -v b="$peer" 'BEGIN { if (b > 0) printf "ratio: %.1fx\n", a / b }'
