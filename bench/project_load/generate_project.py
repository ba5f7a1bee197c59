#!/usr/bin/env python3
"""Writes a large project for the loading benchmark: VARIABLES global variables and PROGRAMS
programs (half sequence charts, half function-block diagrams of BLOCKS blocks each)."""
import argparse


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("output")
    parser.add_argument("--variables", type=int, default=10000)
    parser.add_argument("--programs", type=int, default=200)
    parser.add_argument("--blocks", type=int, default=30)
    args = parser.parse_args()

    diagrams = args.programs // 2
    charts = args.programs - diagrams
    out = ['<?xml version="1.0" encoding="UTF-8" standalone="no" ?>',
           '<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" version="1" '
           'xsi:noNamespaceSchemaLocation="project.xsd">',
           '  <globalVariables>']
    types = [("double", "0.5"), ("int", "7"), ("bool", "true"), ("string", "text")]
    for i in range(args.variables):
        kind, value = types[i % len(types)]
        out.append(f'    <variable name="v{i:05d}" type="{kind}" value="{value}"/>')
    out.append('  </globalVariables>')
    out.append('  <devices/>')
    out.append('  <programs>')
    for c in range(charts):
        out.append(f'    <sfc name="chart{c:03d}">')
        for s in range(3):
            diagram = f' diagram="diagram{(c * 3 + s) % diagrams:03d}"' if diagrams else ''
            initial = ' initial="true"' if s == 0 else ''
            out.append(f'      <step name="S{s}"{initial}{diagram} x="100" y="{40 + 120 * s}"/>')
        for s in range(3):
            out.append(f'      <transition from="S{s}" to="S{(s + 1) % 3}" '
                       f'condition="t &gt;= 1 &amp;&amp; v{(c * 4) % args.variables:05d} &gt; 0"/>')
        out.append('    </sfc>')
    doubles = [i for i in range(args.variables) if i % len(types) == 0]
    for d in range(diagrams):
        out.append(f'    <fbd name="diagram{d:03d}">')
        # Chains of read, add, write over the double variables.
        chains = args.blocks // 3
        for k in range(chains):
            var = doubles[(d * chains + k) % len(doubles)]
            y = 40 * k
            out.append(f'      <block id="r{k}" type="gvread" x="20" y="{y}">'
                       f'<parameter name="variable" value="v{var:05d}"/></block>')
            out.append(f'      <block id="a{k}" type="add" x="160" y="{y}"/>')
            out.append(f'      <block id="w{k}" type="gvwrite" x="300" y="{y}">'
                       f'<parameter name="variable" value="v{var:05d}"/></block>')
        for k in range(chains):
            out.append(f'      <link from="r{k}" fromPort="out" to="a{k}" toPort="a"/>')
            out.append(f'      <link from="r{k}" fromPort="out" to="a{k}" toPort="b"/>')
            out.append(f'      <link from="a{k}" fromPort="out" to="w{k}" toPort="in"/>')
        out.append('    </fbd>')
    out.append('  </programs>')
    out.append('  <layout current="chart000">')
    out.append('    <tab program="chart000"/>')
    out.append('  </layout>')
    out.append('</project>')
    with open(args.output, "w", encoding="utf-8") as file:
        file.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
