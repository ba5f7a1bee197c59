"""Shared pieces of the interpreter benchmarks: generated projects and a running interpreter
whose standard output is read on a thread of its own, each line stamped when it arrived."""
import os
import queue
import signal
import statistics
import subprocess
import threading
import time

HEADER = ('<?xml version="1.0" encoding="UTF-8" standalone="no" ?>\n'
          '<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" version="1" '
          'xsi:noNamespaceSchemaLocation="project.xsd">\n')


def counter_project(path, variables):
    """One diagram: a counter, incremented every cycle, written to VARIABLES globals v000...
    so that every variable changes in every cycle."""
    out = [HEADER, '  <globalVariables>\n',
           '    <variable name="counter" type="double" value="0"/>\n']
    out += [f'    <variable name="v{i:03d}" type="double" value="0"/>\n' for i in range(variables)]
    out += ['  </globalVariables>\n  <devices/>\n  <programs>\n',
            '    <sfc name="Main">\n'
            '      <step diagram="count" initial="true" name="Count" x="120" y="40"/>\n'
            '    </sfc>\n',
            '    <fbd name="count">\n'
            '      <block id="read" type="gvread" x="20" y="20">'
            '<parameter name="variable" value="counter"/></block>\n'
            '      <block id="one" type="const" x="20" y="80">'
            '<parameter name="type" value="double"/><parameter name="value" value="1"/></block>\n'
            '      <block id="sum" type="add" x="160" y="40"/>\n'
            '      <block id="write" type="gvwrite" x="300" y="20">'
            '<parameter name="variable" value="counter"/></block>\n']
    out += [f'      <block id="w{i:03d}" type="gvwrite" x="300" y="{80 + 40 * i}">'
            f'<parameter name="variable" value="v{i:03d}"/></block>\n' for i in range(variables)]
    out += ['      <link from="read" fromPort="out" to="sum" toPort="a"/>\n'
            '      <link from="one" fromPort="out" to="sum" toPort="b"/>\n'
            '      <link from="sum" fromPort="out" to="write" toPort="in"/>\n']
    out += [f'      <link from="sum" fromPort="out" to="w{i:03d}" toPort="in"/>\n'
            for i in range(variables)]
    out += ['    </fbd>\n  </programs>\n</project>\n']
    with open(path, "w", encoding="utf-8") as file:
        file.write("".join(out))


def robot_echo_project(path, port):
    """A robot device on 127.0.0.1:PORT whose input distanceFront the program copies into the
    global variable "distance" every cycle."""
    text = (HEADER +
            '  <globalVariables>\n'
            '    <variable name="distance" type="double" value="0"/>\n'
            '  </globalVariables>\n'
            '  <devices>\n'
            '    <device name="tavik" type="LUM GmbH Tavik">\n'
            '      <parameter name="ipAddress" value="127.0.0.1"/>\n'
            f'      <parameter name="port" value="{port}"/>\n'
            '    </device>\n'
            '  </devices>\n'
            '  <programs>\n'
            '    <sfc name="Main">\n'
            '      <step diagram="copy" initial="true" name="Copy" x="120" y="40"/>\n'
            '    </sfc>\n'
            '    <fbd name="copy">\n'
            '      <block id="front" type="devin" x="20" y="20">'
            '<parameter name="device" value="tavik"/><parameter name="port" value="distanceFront"/>'
            '</block>\n'
            '      <block id="write" type="gvwrite" x="200" y="20">'
            '<parameter name="variable" value="distance"/></block>\n'
            '      <link from="front" fromPort="out" to="write" toPort="in"/>\n'
            '    </fbd>\n'
            '  </programs>\n'
            '</project>\n')
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)


class Interpreter:
    """tavview_interpreter as a child process. lines() yields (arrival time, line) from a
    queue filled by a reader thread, so the pipe never fills while the caller waits."""

    def __init__(self, build, *args):
        self.started = time.monotonic()
        self.process = subprocess.Popen(
            [os.path.join(build, "bin", "tavview_interpreter"), *args],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, bufsize=0)
        self._queue = queue.Queue()
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        pending = b""
        while True:
            chunk = os.read(self.process.stdout.fileno(), 65536)
            now = time.monotonic()
            if not chunk:
                break
            pending += chunk
            *complete, pending = pending.split(b"\n")
            for line in complete:
                self._queue.put((now, line.decode("utf-8", "replace")))
        self._queue.put(None)

    def wait_for(self, text, timeout=60):
        """The arrival time of the first line holding TEXT."""
        deadline = time.monotonic() + timeout
        while True:
            item = self._queue.get(timeout=max(0.0, deadline - time.monotonic()))
            if item is None:
                raise RuntimeError(f"interpreter ended before printing {text!r}")
            if text in item[1]:
                return item[0]

    def wait_for_all(self, texts, timeout=60):
        """The arrival times of the first lines holding each of TEXTS, in that order."""
        return [self.wait_for(text, timeout) for text in texts]

    def next_line(self, timeout):
        item = self._queue.get(timeout=timeout)
        if item is None:
            raise RuntimeError("interpreter ended")
        return item

    def interrupt(self):
        """SIGINT, then the exit status and the child's resource usage."""
        self.process.send_signal(signal.SIGINT)
        _, status, usage = os.wait4(self.process.pid, 0)
        self.process.returncode = os.waitstatus_to_exitcode(status)
        self._reader.join(timeout=10)
        return self.process.returncode, usage


def cpu_seconds(pid):
    """User plus system time of a running process so far, from /proc."""
    with open(f"/proc/{pid}/stat") as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def summary(values, unit="ms", scale=1000.0):
    return (f"median {statistics.median(values) * scale:.1f} {unit}, "
            f"min {min(values) * scale:.1f} {unit}")
