#!/usr/bin/env python3
"""Start-up: from exec of tavview_interpreter -f <10,000-variable project> to the line
"Successfully connected to all devices." on its standard output, side by side with
"xmllint --noout" (exec to exit) on the same file. Runs alternate; the interpreter is ended
with SIGINT after the line and reaped before the next run (one instance at a time)."""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

from interpreter_bench import Interpreter, summary

GENERATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "project_load",
                         "generate_project.py")


def time_xmllint(path):
    start = time.monotonic()
    subprocess.run(["xmllint", "--noout", path], check=True)
    return time.monotonic() - start


# Lines that end the stages of the start-up, as the interpreter prints them.
STAGES = [("exec to banner", "Interpreter Version"),
          ("loading the system", "Loading devices..."),
          ("loading the project", "Loading project "),
          ("connecting", "Successfully connected to all devices.")]


def time_interpreter(build, path):
    """The times from exec to the end of each stage."""
    interpreter = Interpreter(build, "-f", path)
    arrivals = interpreter.wait_for_all([line for _, line in STAGES])
    interpreter.interrupt()
    return [arrived - interpreter.started for arrived in arrivals]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("build")
    parser.add_argument("--runs", type=int, default=15)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "large.tkp2")
        subprocess.run([sys.executable, GENERATOR, path, "--variables", "10000", "--programs", "200"],
                       check=True)
        # One untimed round of each, so both start from a warm page cache.
        time_xmllint(path)
        time_interpreter(args.build, path)
        xmllint, stages = [], []
        for _ in range(args.runs):
            xmllint.append(time_xmllint(path))
            stages.append(time_interpreter(args.build, path))
    interpreter = [ends[-1] for ends in stages]

    ratio = sorted(interpreter)[len(interpreter) // 2] / sorted(xmllint)[len(xmllint) // 2]
    print("project            10,000 global variables, 200 programs (bench/project_load generator)")
    print(f"runs               {args.runs}, alternating")
    print(f"xmllint --noout    {summary(xmllint)}  (exec to exit)")
    print(f"interpreter        {summary(interpreter)}  (exec to \"Successfully connected ...\")")
    print(f"ratio (medians)    {ratio:.2f}  (target: at most 2)")
    print("interpreter stages (median of each stage's own time):")
    for index, (name, _) in enumerate(STAGES):
        spans = [ends[index] - (ends[index - 1] if index else 0.0) for ends in stages]
        print(f"  {name:<19}{statistics.median(spans) * 1000:6.1f} ms")


if __name__ == "__main__":
    main()
