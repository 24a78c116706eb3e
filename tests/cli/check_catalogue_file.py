#!/usr/bin/env python3
"""Checks another machine's catalogue across the two builds: the catalogue that the Windows
mivalto-cli exports under Wine, given to the Linux mivalto-cli with --catalogue-file, gives the
same report lines (the header aside) and the same graph, registered flags included, as the
Windows program for every graph file of a folder (the catalogue itself valid against
docs/catalogue.schema.json). Then --only-registered, under Wine and with
the catalogue on Linux, writes a graph that reads back complete, every filter registered.

usage: check_catalogue_file.py LINUX_CLI FOLDER -- WINDOWS_CLI_COMMAND...
Exit 77 (skipped) when the folder holds no graph file or the Linux build is absent."""

import json
import pathlib
import subprocess
import sys
import tempfile

import jsonschema

SEPARATOR = "-" * 100
SCHEMA = pathlib.Path(__file__).resolve().parents[2] / "docs" / "catalogue.schema.json"


def run(command, *arguments):
    return subprocess.run([*command, *map(str, arguments)], capture_output=True)


def report(command, *arguments):
    done = run(command, "--format", "json", *arguments)
    assert done.returncode in (0, 1), f"{arguments}: exit {done.returncode} {done.stderr[-400:]}"
    return json.loads(done.stdout)


def body(lines):
    """The lines after the header, which names the file and the dates."""
    texts = [line["text"] for line in lines]
    return texts[[i for i, text in enumerate(texts) if text == SEPARATOR][1]:]


def check_only_registered(command, path, work, *catalogue):
    written = work / f"registered-{path.name}"
    done = run(command, *catalogue, "--format", "grf", "--only-registered", "-o", written, path)
    said = [line for line in done.stderr.decode("utf-8", "replace").splitlines()
            if line.startswith("mivalto-cli : ")]  # Wine adds lines of its own
    assert done.returncode == (1 if said else 0), f"{path.name}: exit {done.returncode} {said}"
    dropped = sum("filtre non enregistré" in line for line in said)
    back = report(command, *catalogue, written)
    assert back["complete"], f"{path.name}: only-registered graph reads back incomplete"
    filters = back["graph"]["filters"]
    assert all(f["registered"] for f in filters), f"{path.name}: an unregistered filter left"
    return len(filters), dropped


def main():
    linux_cli, folder, windows = sys.argv[1], sys.argv[2], sys.argv[4:]
    files = sorted(pathlib.Path(folder).glob("*.grf")) if folder else []
    if not files or not pathlib.Path(linux_cli).is_file():
        print(f"no graph file in {folder!r} or no Linux build at {linux_cli}: skipped")
        return 77
    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        catalogue = work / "catalogue.json"
        assert run(windows, "--catalogue", "--format", "json", "-o", catalogue).returncode == 0
        jsonschema.validate(json.loads(catalogue.read_text()), json.loads(SCHEMA.read_text()),
                            jsonschema.Draft202012Validator)
        with_file = ("--catalogue-file", catalogue)
        for path in files:
            here, there = report(windows, path), report([linux_cli], *with_file, path)
            assert body(there["lines"]) == body(here["lines"]), f"{path.name}: other lines"
            assert there.get("graph") == here.get("graph"), f"{path.name}: another graph"
            if not here["complete"]:
                print(f"{path.name}: same lines and graph (cut short)")
                continue
            kept = check_only_registered(windows, path, work)
            assert check_only_registered([linux_cli], path, work, *with_file) == kept
            print(f"{path.name}: same lines and graph; only registered: {kept[0]} kept, {kept[1]} dropped")
    return 0


if __name__ == "__main__":
    sys.exit(main())
