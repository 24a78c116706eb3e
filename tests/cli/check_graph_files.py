#!/usr/bin/env python3
"""Runs mivalto-cli --format grf on every graph file of a folder and reads what it wrote with
olefile, a compound-document library of its own: the file opens, holds one stream named
ActiveMovieGraph, and that stream is the original's byte for byte, or else (a file from a writer
of another dialect) the rewritten file reads back, in mivalto-cli, to the same graph. Then the
first graph with a filter, its data grown to 8 MB in its JSON report: a graph text whose FAT
outgrows the header's 109 sectors into DIFAT sectors, which olefile reads whole.

usage: check_graph_files.py CLI FOLDER
Exit 77 (skipped) when the folder holds no graph file."""

import json
import pathlib
import subprocess
import sys
import tempfile

import olefile

STREAM = "ActiveMovieGraph"


def graph_of(cli, path):
    done = subprocess.run([cli, "--format", "json", str(path)], capture_output=True)
    assert done.returncode == 0, f"{path}: json exit {done.returncode}"
    return json.loads(done.stdout)["graph"]


def write_grf(cli, source, target):
    done = subprocess.run([cli, "--format", "grf", "-o", str(target), str(source)],
                          capture_output=True)
    return done.returncode


def stream_of(path):
    with olefile.OleFileIO(str(path)) as document:
        assert document.listdir() == [[STREAM]], f"{path}: streams {document.listdir()}"
        return document.openstream(STREAM).read()


def check(cli, path, work):
    written = work / f"rewritten-{path.name}"
    assert write_grf(cli, path, written) == 0, f"{path.name}: grf exit status"
    if stream_of(written) == stream_of(path):
        return "same bytes"
    assert graph_of(cli, written) == graph_of(cli, path), f"{path.name}: another graph"
    return "another dialect, same graph"


def check_large(cli, path, work):
    report = subprocess.run([cli, "--format", "json", str(path)], capture_output=True).stdout
    graph = json.loads(report)["graph"]
    data = bytes(range(256)) * (8 << 12)
    graph["filters"][0]["data"] = data.hex()
    source, written = work / "grand.json", work / "grand.grf"
    source.write_text(json.dumps({"graph": graph}))
    assert write_grf(cli, source, written) == 0, f"{path.name}: large grf exit status"
    with olefile.OleFileIO(str(written)) as document:
        assert document.num_difat_sectors > 0, f"{path.name}: no DIFAT sector"
    stream = stream_of(written)
    assert stream.startswith(f"{graph['version']}\r\nFILTERS\r\n".encode("utf-16-le")), path.name
    assert stream.endswith("END".encode("utf-16-le")) and data in stream, path.name
    assert graph_of(cli, written) == graph_of(cli, source), f"{path.name}: another large graph"
    return f"{len(stream)} bytes in {len(written.read_bytes()) // 512} sectors"


def main():
    cli, folder = sys.argv[1], sys.argv[2]
    files = sorted(pathlib.Path(folder).glob("*.grf")) if folder else []
    if not files:
        print(f"no graph file in {folder}: skipped")
        return 77
    with tempfile.TemporaryDirectory() as work:
        for path in files:
            print(f"{path.name}: {check(cli, path, pathlib.Path(work))}")
        with_filters = [path for path in files if graph_of(cli, path)["filters"]]
        if with_filters:
            print(f"{with_filters[0].name}, grown: {check_large(cli, with_filters[0], pathlib.Path(work))}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
