#!/usr/bin/env python3
"""Latency from a device input to the variable's line on standard output. The benchmark is the
robot device's TCP peer on 127.0.0.1; the program copies the input distanceFront into the
global variable "distance" every cycle (devin -> gvwrite). Each sample sends a new value at a
random phase and times its "## distance;;<value> ##" line.

A sample covers: the TCP hop to the device's thread, the wait for the next execution cycle
(0.01 s) and the cycle itself, the wait for the next output tick, the output thread's poll
and write, and the pipe to this process. The expected worst case is therefore one output
interval plus one cycle plus a few milliseconds of work."""
import argparse
import os
import queue
import random
import socket
import statistics
import tempfile
import threading
import time

from interpreter_bench import Interpreter, percentile, robot_echo_project

CYCLE_MS = 10


def drain(connection):
    """Reads and drops what the device link sends (the kit's output values), until it closes."""
    try:
        while connection.recv(4096):
            pass
    except OSError:
        pass


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("build")
    parser.add_argument("--samples", type=int, default=200)
    parser.add_argument("--interval", type=int, default=100)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(1)
    server.settimeout(30)

    latencies = []
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "echo.tkp2")
        robot_echo_project(path, server.getsockname()[1])
        interpreter = Interpreter(args.build, "-f", path, "--global-variable-output-interval",
                                  str(args.interval))
        peer, _ = server.accept()
        peer.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        threading.Thread(target=drain, args=(peer,), daemon=True).start()
        # The variable is printed once it changes, so no line is waited for here.
        interpreter.wait_for("Starting program... done.")

        for value in range(1, args.samples + 1):
            # A random phase against both the execution cycle and the output ticks.
            time.sleep(rng.uniform(0, (args.interval + CYCLE_MS) / 1000.0))
            sent = time.monotonic()
            peer.sendall(f"distanceFront={value}\n".encode())
            wanted = float(value)
            while True:
                try:
                    arrived, line = interpreter.next_line(timeout=5)
                except queue.Empty:
                    raise SystemExit(f"value {value} never appeared on standard output")
                if line.startswith("## distance;;") and line.endswith(" ##") \
                        and float(line[len("## distance;;"):-3]) == wanted:
                    latencies.append(arrived - sent)
                    break

        status, _ = interpreter.interrupt()
        peer.close()
    server.close()

    ms = [latency * 1000 for latency in latencies]
    bound_issue = args.interval + 5
    bound_cycle = args.interval + CYCLE_MS + 5
    print(f"samples            {len(ms)} at random phases, output interval {args.interval} ms")
    print(f"latency            min {min(ms):.1f} ms, median {statistics.median(ms):.1f} ms, "
          f"p95 {percentile(ms, 0.95):.1f} ms, max {max(ms):.1f} ms")
    print(f"interval + 5 ms    {bound_issue} ms: {sum(v > bound_issue for v in ms)} samples above")
    print(f"interval + cycle + 5 ms  {bound_cycle} ms: {sum(v > bound_cycle for v in ms)} samples above")
    print(f"exit status        {status}")


if __name__ == "__main__":
    main()
