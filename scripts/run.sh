#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window in the folder this script was
# started from: a relative file name typed into the window lands there, not in the checkout.
# KORVELANT_BUILD_DIR chooses the build folder (default: build/release in the checkout);
# KORVELANT_SKIP_BUILD=1 starts what is built already.
set -euo pipefail
checkout="$(cd "$(dirname "$0")/.." && pwd)"
build="${KORVELANT_BUILD_DIR:-$checkout/build/release}"

if [[ "${KORVELANT_SKIP_BUILD:-0}" != 1 ]]; then
  (
    cd "$checkout"
    scripts/install-dependencies.sh
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build" --parallel "$(nproc)" --target korvelant
  )
fi
exec "$build/src/window/korvelant" "$@"
