#!/bin/bash
# Configures and builds the native core, its tests and benchmarks, and the Win32 program (out/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/out" -G Ninja -DCMAKE_BUILD_TYPE=${MORLA_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$root/out"
