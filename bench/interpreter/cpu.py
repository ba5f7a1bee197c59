#!/usr/bin/env python3
"""CPU use of a running interpreter: a 100-variable project whose variables all change in
every cycle, printed every 100 ms, run for 10 s and ended with SIGINT. Reports user plus
system time as a percentage of one core, over the whole process (exec to exit, from wait4)
and over the steady run alone (from "Starting program... done." to the SIGINT, from /proc)."""
import argparse
import os
import queue
import tempfile
import time

from interpreter_bench import Interpreter, counter_project, cpu_seconds


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("build")
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--variables", type=int, default=100)
    parser.add_argument("--interval", type=int, default=100)
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "counter100.tkp2")
        counter_project(path, args.variables)
        interpreter = Interpreter(args.build, "-f", path, "--global-variable-output-interval",
                                  str(args.interval))
        interpreter.wait_for("Starting program... done.")
        steady_start, cpu_start = time.monotonic(), cpu_seconds(interpreter.process.pid)
        lines = 0
        deadline = steady_start + args.seconds
        while (left := deadline - time.monotonic()) > 0:
            try:
                _, line = interpreter.next_line(timeout=left)
            except queue.Empty:
                break
            lines += line.startswith("## ")
        steady_wall = time.monotonic() - steady_start
        steady_cpu = cpu_seconds(interpreter.process.pid) - cpu_start
        status, usage = interpreter.interrupt()
        whole_wall = time.monotonic() - interpreter.started

    whole_cpu = usage.ru_utime + usage.ru_stime
    print(f"project            {args.variables} double variables + counter, all written every cycle")
    print(f"output interval    {args.interval} ms; {lines} variable lines in the steady run")
    print(f"steady run         {steady_cpu:.2f} s CPU in {steady_wall:.2f} s = "
          f"{100 * steady_cpu / steady_wall:.2f} % of one core")
    print(f"whole process      {whole_cpu:.2f} s CPU (user {usage.ru_utime:.2f}, system "
          f"{usage.ru_stime:.2f}) in {whole_wall:.2f} s = {100 * whole_cpu / whole_wall:.2f} % "
          f"of one core (target: at most 2 %)")
    print(f"exit status        {status}")


if __name__ == "__main__":
    main()
