#!/usr/bin/env bash
# Opening the large project in the workbench against the runtime kit's load, and undo/redo of
# 1,000 edits: bench/workbench/run.sh [build dir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$here/../project_load/generate_project.py" "$work/large.tkp2" --variables 10000 --programs 200
"$build/bin/bench_workbench_project" "$work/large.tkp2" 11 1000
