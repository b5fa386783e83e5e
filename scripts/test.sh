#!/bin/bash
# Installs what is needed, builds everything and runs every test, native and under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/out" && ctest -j"$(nproc)" --output-on-failure --timeout 900
