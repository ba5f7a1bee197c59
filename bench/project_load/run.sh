#!/usr/bin/env bash
# Generates the large project and measures loading it: bench/project_load/run.sh [build dir]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-$here/../../build}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
python3 "$here/generate_project.py" "$work/large.tkp2" --variables 10000 --programs 200
"$build/bin/bench_project_load" "$work/large.tkp2" 15
