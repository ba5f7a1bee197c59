#!/usr/bin/env bash
# The interpreter's benchmarks, one after the other (one interpreter at a time):
#   bench/interpreter/run.sh [build dir]     (default: build/)
# Builds nothing: build the tree first.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
if [ ! -x "$build/bin/tavview_interpreter" ]; then
    echo "no $build/bin/tavview_interpreter: build the tree first" >&2
    exit 1
fi
echo "== start-up"
python3 "$here/startup.py" "$build"
echo
echo "== CPU"
python3 "$here/cpu.py" "$build"
echo
echo "== latency"
python3 "$here/latency.py" "$build"
