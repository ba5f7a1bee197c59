#!/usr/bin/env python3
"""Writes a project whose one sequence chart runs one function-block diagram of BLOCKS blocks
(groups of four: a constant, an accumulator of delay and add, and a product), so that every
output changes in every cycle; the groups stand in a grid as a user would lay them out."""
import argparse


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("output")
    parser.add_argument("--blocks", type=int, default=1000)
    parser.add_argument("--columns", type=int, default=8, help="groups side by side")
    args = parser.parse_args()

    groups = args.blocks // 4
    out = ['<?xml version="1.0" encoding="UTF-8" standalone="no" ?>',
           '<project xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" version="1" '
           'xsi:noNamespaceSchemaLocation="project.xsd">',
           '  <globalVariables/>', '  <devices/>', '  <programs>',
           '    <sfc name="Main">',
           '      <step name="Run" initial="true" diagram="large" x="100" y="40"/>',
           '    </sfc>',
           '    <fbd name="large">']
    links = []
    for g in range(groups):
        x = (g % args.columns) * 600
        y = (g // args.columns) * 100
        k, d, s, m = f"k{g}", f"d{g}", f"s{g}", f"m{g}"
        out.append(f'      <block id="{k}" type="const" x="{x}" y="{y}">'
                   f'<parameter name="type" value="double"/>'
                   f'<parameter name="value" value="{1 + g % 7}.5"/></block>')
        out.append(f'      <block id="{d}" type="delay" x="{x + 140}" y="{y}"/>')
        out.append(f'      <block id="{s}" type="add" x="{x + 280}" y="{y}"/>')
        out.append(f'      <block id="{m}" type="mul" x="{x + 420}" y="{y}"/>')
        links += [(s, "out", d, "in"), (d, "out", s, "a"), (k, "out", s, "b"),
                  (s, "out", m, "a"), (k, "out", m, "b")]
    for a, ap, b, bp in links:
        out.append(f'      <link from="{a}" fromPort="{ap}" to="{b}" toPort="{bp}"/>')
    out += ['    </fbd>', '  </programs>', '</project>', '']
    with open(args.output, "w", encoding="utf-8") as f:
        f.write("\n".join(out))


if __name__ == "__main__":
    main()
