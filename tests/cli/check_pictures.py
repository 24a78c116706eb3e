#!/usr/bin/env python3
"""Runs mivalto-cli --format dot, svg and html on every graph file of a folder, on prefixes
of each (files cut short) and on all of them at once, and checks the pictures against the
graph of --format json: Graphviz's own dot program accepts every DOT output, every SVG (from
--format svg and inline in the HTML page) is well-formed XML with one node per filter and one
edge per connection read whole, and a picture of a file cut short says so in its title.

usage: check_pictures.py [--cuts N] DOT FOLDER -- CLI...
CLI: the command that runs mivalto-cli (under Wine: the emulator, then the .exe); --cuts: the
prefixes checked per file (12; 0 for whole files only). Exit 77 (skipped) when the folder holds
no graph file."""

import argparse
import json
import pathlib
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

SVG = "{http://www.w3.org/2000/svg}"
INCOMPLETE = "analyse arrêtée avant la fin"


def run(cli, form, paths):
    done = subprocess.run([*cli, "--format", form, *map(str, paths)], capture_output=True)
    assert done.returncode in (0, 1), f"{form}: exit {done.returncode}: {done.stderr.decode()}"
    return done.returncode, done.stdout


def expected_counts(reports):
    """Filters and connections read whole (both pins), over every report."""
    filters = edges = 0
    for report in reports:
        graph = report.get("graph", {})
        filters += len(graph.get("filters", []))
        edges += sum(1 for c in graph.get("connections", []) if "from" in c and "to" in c)
    return filters, edges


def svg_counts(svg_text, what):
    root = ElementTree.fromstring(svg_text)
    assert root.tag == SVG + "svg", f"{what}: root {root.tag}"
    groups = [g.get("class") for g in root.iter(SVG + "g")]
    return groups.count("node"), groups.count("edge"), root


def check(cli, dot_program, paths, what):
    status, out = run(cli, "json", paths)
    reports = json.loads(out)
    reports = reports if isinstance(reports, list) else [reports]
    counts = expected_counts(reports)
    incomplete = not all(report["complete"] for report in reports)

    dot_status, dot = run(cli, "dot", paths)
    assert dot_status == status, f"{what}: dot exit {dot_status}, json {status}"
    drawn = subprocess.run([dot_program, "-Tsvg"], input=dot, capture_output=True)
    assert drawn.returncode == 0, f"{what}: dot -Tsvg refused: {drawn.stderr.decode()}"
    assert svg_counts(drawn.stdout, what)[:2] == counts, f"{what}: dot -Tsvg counts"

    svg_status, svg = run(cli, "svg", paths)
    assert svg_status == status, f"{what}: svg exit {svg_status}, json {status}"
    nodes, edges, root = svg_counts(svg, what)
    assert (nodes, edges) == counts, f"{what}: svg has {nodes} nodes, {edges} edges, not {counts}"
    texts = "".join(root.itertext())
    assert (INCOMPLETE in texts) == incomplete, f"{what}: incomplete note"

    _, page = run(cli, "html", paths)
    page = page.decode()
    inline = [page[start:page.index("</svg>", start) + 6]
              for start in range(len(page)) if page.startswith("<svg", start)]
    drawn_reports = [r for r in reports if r.get("graph", {}).get("filters")]
    assert len(inline) == len(drawn_reports), f"{what}: {len(inline)} pictures in the page"
    for picture, report in zip(inline, drawn_reports):
        assert svg_counts(picture, what)[:2] == expected_counts([report]), f"{what}: html picture"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cuts", type=int, default=12)
    parser.add_argument("dot")
    parser.add_argument("folder")
    parser.add_argument("cli", nargs="+")
    arguments = parser.parse_args()
    cli, dot_program, folder, cuts = arguments.cli, arguments.dot, arguments.folder, arguments.cuts
    files = sorted(pathlib.Path(folder).glob("*.grf")) if folder else []
    if not files:
        print(f"no graph file in {folder}: skipped")
        return 77
    with tempfile.TemporaryDirectory() as work:
        for path in files:
            check(cli, dot_program, [path], path.name)
            data = path.read_bytes()
            for cut in range(1, cuts + 1):
                prefix = pathlib.Path(work) / f"cut{cut}-{path.name}"
                prefix.write_bytes(data[: len(data) * cut // (cuts + 1)])
                check(cli, dot_program, [prefix], prefix.name)
    check(cli, dot_program, files, "all files at once")
    print(f"{len(files)} files, whole and in {cuts} prefixes each: pictures checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
