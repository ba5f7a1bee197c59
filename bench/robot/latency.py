#!/usr/bin/env python3
"""From a "speed" line arriving at the virtual robot to its pose changing. The benchmark is
the robot's controller on 127.0.0.1: with the robot standing 1.4 m before a wall, each sample
sends a speed at a random phase of the robot's 10 ms step and times the first "distanceFront"
line whose value differs from the standing one (the robot sends a changed value at once, and
5 mm per step at 0.5 m/s shows in the millimetre value).

A sample covers the TCP hop, the wait for the next step, the step and the line back: the
pose must change within one step (10 ms), so the expected worst case is 10 ms plus a little."""
import argparse
import os
import random
import re
import socket
import statistics
import subprocess
import tempfile
import time

STEP_MS = 10


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(fraction * len(ordered)))]


class Link:
    def __init__(self, port):
        self.socket = socket.create_connection(("127.0.0.1", port), timeout=10)
        self.socket.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.buffer = b""
        self.values = {}

    def line(self):
        while b"\n" not in self.buffer:
            data = self.socket.recv(4096)
            if not data:
                raise RuntimeError("the robot closed the link")
            self.buffer += data
        line, self.buffer = self.buffer.split(b"\n", 1)
        port, value = line.decode().split("=", 1)
        self.values[port] = value
        return port, value

    def drain(self):
        self.socket.setblocking(False)
        try:
            while True:
                data = self.socket.recv(65536)
                if not data:
                    break
                self.buffer += data
        except BlockingIOError:
            pass
        self.socket.setblocking(True)
        self.socket.settimeout(10)
        while b"\n" in self.buffer:
            self.line()

    def send(self, text):
        self.socket.sendall(text.encode())


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("build")
    parser.add_argument("--samples", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)

    with tempfile.TemporaryDirectory() as folder:
        arena = os.path.join(folder, "bench.arena")
        with open(arena, "w") as file:
            file.write("name Bench\nwall 0 0 2 0 2 2 0 2 0 0\nstart 0.5 1 0\n")
        robot = subprocess.Popen([os.path.join(args.build, "bin", "tavview_robot"), "--headless", "--port", "0",
                                  "--arena", arena], stdout=subprocess.PIPE, text=True)
        try:
            port = int(re.search(r"127\.0\.0\.1:(\d+),", robot.stdout.readline()).group(1))
            link = Link(port)
            link.line()
            latencies = []
            forward = True
            for _ in range(args.samples):
                link.send("speed=0\n")
                time.sleep(0.03 + rng.random() * STEP_MS / 1000)
                link.drain()
                standing = link.values["distanceFront"]
                link.send("speed=%s\n" % ("0.5" if forward else "-0.5"))
                sent = time.perf_counter()
                while True:
                    port_name, value = link.line()
                    if port_name == "distanceFront" and value != standing:
                        break
                latencies.append((time.perf_counter() - sent) * 1000)
                forward = not forward
            link.send("speed=0\n")
        finally:
            robot.terminate()
            robot.wait()

    print("speed line to changed pose (%d samples): median %.2f ms, p95 %.2f ms, max %.2f ms; one step is %d ms"
          % (len(latencies), statistics.median(latencies), percentile(latencies, 0.95), max(latencies), STEP_MS))


if __name__ == "__main__":
    main()
