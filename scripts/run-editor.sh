#!/usr/bin/env bash
# Builds the editor and the help viewer and starts the editor. Arguments are
# passed to the editor (a file to open).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$(nproc)" --target brindel-quillet-studio brindel-norvane resources

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the editor on a virtual X server (xvfb-run)." >&2
  exec xvfb-run -a build/release/bin/brindel-quillet-studio "$@"
fi
exec build/release/bin/brindel-quillet-studio "$@"
