#!/usr/bin/env bash
# The GUI thread's CPU share while simulating a 1,000-block diagram, without and with the live
# view, fitted and at 100 %: bench/live_view/run.sh [build dir] [seconds]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build}"
seconds="${2:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$here/generate_diagram.py" "$work/large.tkp2" --blocks 1000
for zoom in fit 100; do
    "$build/bin/bench_live_view" "$work/large.tkp2" "$seconds" --no-live --zoom "$zoom"
    "$build/bin/bench_live_view" "$work/large.tkp2" "$seconds" --zoom "$zoom"
done
