#!/usr/bin/env bash
# The workbench's start-up against an empty QMainWindow (under a virtual X display), and opening
# the large project through the main window against the runtime kit's load:
# bench/main_window/run.sh [build dir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-$here/../../build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x900x24" "$build/bin/bench_workbench_startup" "$build/examples/counter.tkp2" 11
python3 "$here/../project_load/generate_project.py" "$work/large.tkp2" --variables 10000 --programs 200
QT_QPA_PLATFORM=offscreen "$build/bin/bench_main_window_open" "$work/large.tkp2" 11
