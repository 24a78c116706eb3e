#!/usr/bin/env python3
"""Runs mivalto-cli --check on every graph file of a folder, on prefixes of each (files cut
short), on each file's JSON report and on all of them at once; validates every output against
docs/check.schema.json and checks the exit status against the findings (0: nothing above a
note, 1: a warning or an error, 2: a walk cut short, whose last finding is graph.incomplete
with an offset in the file), that the JSON report carries the same findings, that a JSON
report's check gives the same findings, placed in the graph text that --format grf writes
from the report, and that the HTML page flags each finding's filter or connection in its
picture.

usage: check_checks.py CLI DOCS FOLDER
Exit 77 (skipped) when the folder holds no graph file."""

import html as html_module
import json
import os
import pathlib
import subprocess
import sys
import tempfile

import jsonschema

CUTS = 12


def run(cli, *arguments, expect=(0, 1, 2)):
    done = subprocess.run([cli, *map(str, arguments)], capture_output=True)
    assert done.returncode in expect, f"{arguments}: exit {done.returncode} {done.stderr!r}"
    return done


def check(cli, validator, *paths):
    done = run(cli, "--check", "--format", "json", *paths)
    result = json.loads(done.stdout)
    validator.validate(result)
    return result, done.returncode


def expected_status(checks):
    if any(not c["complete"] for c in checks):
        return 2
    return int(any(f["severity"] != "note" for c in checks for f in c["findings"]))


def html_text(text):
    for character, entity in (("&", "&amp;"), ("<", "&lt;"), (">", "&gt;"), ('"', "&quot;"),
                              ("'", "&#39;")):
        text = text.replace(character, entity)
    return text


def check_file(cli, validator, path, temp):
    result, status = check(cli, validator, path)
    assert result["complete"], path
    assert status == expected_status([result]), path
    report = json.loads(run(cli, "--format", "json", path).stdout)
    assert report["findings"] == result["findings"], path
    # The report read back: the same findings, without offsets (a report has no graph text),
    # as those of the graph file written from it.
    report_path = pathlib.Path(temp) / (path.name + ".json")
    report_path.write_bytes(run(cli, "--format", "json", path).stdout)
    back, _ = check(cli, validator, report_path)
    rewritten = pathlib.Path(temp) / (path.name + ".grf")
    run(cli, "--format", "grf", "-o", rewritten, report_path, expect=(0,))
    again, _ = check(cli, validator, rewritten)
    unplaced = lambda findings: [dict(f, file_offset=None, text_offset=None) for f in findings]
    assert unplaced(back["findings"]) == unplaced(result["findings"]), path
    assert back["findings"] == unplaced(again["findings"]), path
    html = run(cli, "--check", "--format", "html", path).stdout.decode()
    for finding in result["findings"]:
        assert html_text(finding["sentence"]) in html, finding
        if finding["place"] in ("filter", "connection"):
            picture = html_module.unescape(html.split("<ul class=\"findings\">")[0])
            assert finding["rule"] + " : " in picture, finding


def check_cuts(cli, validator, path, temp):
    data = path.read_bytes()
    for i in range(1, CUTS + 1):
        cut = pathlib.Path(temp) / f"cut-{i}-{path.name}"
        cut.write_bytes(data[: len(data) * i // (CUTS + 1)])
        result, status = check(cli, validator, cut)
        assert status == expected_status([result]), cut
        if not result["complete"] and result["findings"]:
            last = result["findings"][-1]
            assert last["rule"] == "graph.incomplete" and last["severity"] == "error", cut
            assert last["file_offset"] is None or last["file_offset"] <= len(data) * i // (CUTS + 1)


def main():
    cli, docs, folder = sys.argv[1:4]
    files = sorted(pathlib.Path(folder).glob("*.grf")) if folder and pathlib.Path(folder).is_dir() else []
    if not files:
        print(f"SKIPPED: no graph file in {folder}")
        return 77
    schema = json.loads((pathlib.Path(docs) / "check.schema.json").read_text())
    report_schema = json.loads((pathlib.Path(docs) / "report.schema.json").read_text())
    assert schema["$defs"]["finding"] == report_schema["$defs"]["finding"], "two finding schemas"
    validator = jsonschema.Draft202012Validator(schema)
    with tempfile.TemporaryDirectory() as temp:
        for path in files:
            check_file(cli, validator, path, temp)
            check_cuts(cli, validator, path, temp)
        results, status = check(cli, validator, *files)
        assert [r["file"] for r in results] == [os.path.abspath(p) for p in files]
        assert status == expected_status(results)
    print(f"--check of {len(files)} files, whole and cut {CUTS} times, valid and consistent")
    return 0


if __name__ == "__main__":
    sys.exit(main())
