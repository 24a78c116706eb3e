#!/usr/bin/env python3
"""Runs mivalto-cli --format json on every graph file of a folder, on prefixes of each (files
cut short) and on all of them at once; validates every output against docs/report.schema.json
and checks that each graph lists what the report lines show: filters (numbers, names, CLSIDs,
colours), connections (filters by position, pin names, media type and format names, format
fields) and the clock.

usage: check_json_reports.py CLI SCHEMA FOLDER
Exit 77 (skipped) when the folder holds no graph file."""

import json
import pathlib
import subprocess
import sys
import tempfile

import jsonschema

KIND_COLOURS = {"directshow": "#000000", "dmo": "#008000", "pnp": "#800080",
                "acm": "#0000FF", "avi": "#0000FF"}
CUTS = 24  # prefixes per file, spread over its length
HEADER_LINES = 8


def run_json(cli, paths):
    done = subprocess.run([cli, "--format", "json", *map(str, paths)], capture_output=True)
    if done.returncode not in (0, 1):
        raise AssertionError(f"exit {done.returncode}: {done.stderr.decode(errors='replace')}")
    return json.loads(done.stdout), done.stderr.decode()


def as_int32(value):
    """The report shows the sample size as the signed 32-bit number it folds to."""
    return value - (1 << 32) if value >= 1 << 31 else value


def section(lines, title):
    """The lines of a section's entries: after its title and the empty line below it, up to the
    empty line that ends it or the end of a report cut short."""
    texts = [line["text"] for line in lines]
    start = texts.index(title) + 2
    end = texts.index("", start) if "" in texts[start:] else len(texts)
    return lines[start:end]


def check_filters(graph, lines):
    entries = section(lines, "FILTERS")
    assert len(entries) == len(graph["filters"]), "one filter per filter line"
    for position, (filter_, line) in enumerate(zip(graph["filters"], entries), 1):
        text = line["text"]
        assert filter_["position"] == position
        assert text.startswith(f'{filter_["id"]}  "{filter_["name"]}"  '), (filter_, text)
        assert line["color"] == KIND_COLOURS[filter_["kind"]], (filter_, line)
        if filter_["kind"] == "directshow":
            assert filter_["clsid"] in text.upper(), (filter_, text)
        for said in (filter_["description"], filter_["registered_name"]):
            assert said is None or said in text, (said, text)
        assert len(filter_["data"]) == 2 * filter_["data_size"], filter_
        wraps = filter_["wraps"]
        for said in (wraps.get("dmo_clsid"), wraps.get("fourcc")):
            assert said is None or said in text, (said, text)


def check_connections(graph, lines):
    names = [f["name"] for f in graph["filters"]]
    texts = [line["text"] for line in lines]
    starts = [i for i, line in enumerate(lines) if line["bold"] and " => " in line["text"]]
    assert len(starts) == len(graph["connections"]), "one connection per pin line"
    for connection, at in zip(graph["connections"], starts):
        ends = connection["from"], connection["to"]
        expected = '"{}"  "{}"   => "{}"  "{}"'.format(
            names[ends[0]["position"] - 1], ends[0]["pin"], names[ends[1]["position"] - 1], ends[1]["pin"])
        assert texts[at] == expected, (texts[at], expected)
        assert [int(e["id"]) for e in ends] == [e["position"] for e in ends], ends
        media = connection.get("media_type", {})
        if "major_type" in media:
            assert texts[at + 1] == "     " + media["major_type"]["name"]
        if "subtype" in media:
            assert texts[at + 2].startswith("     " + media["subtype"]["name"] + " - ")
            assert texts[at + 2].endswith(f'({as_int32(media["sample_size"])})'), texts[at + 2]
        if "format" in media:
            check_format(media["format"], texts, at + 3)


def check_format(format_, texts, at):
    """The format line, then one line per field: ten spaces, the name, " =", the value."""
    assert texts[at].startswith("     " + format_["name"] + "  "), (format_, texts[at])
    for i, field in enumerate(format_["fields"], 1):
        name, _, value = texts[at + i].partition(" =")
        assert name == " " * 10 + field["name"] and value.strip(" ") == field["value"], (field, texts[at + i])
        if "number" in field:  # decimal, or eight hexadecimal digits
            base = 16 if len(field["value"]) == 8 and not field["value"].isdigit() else 10
            assert field["number"] == int(field["value"], base), field
    assert len(format_["bytes"]) == 2 * max(format_.get("size", 0), 0), format_
    if format_["fields"]:
        assert texts[at + len(format_["fields"]) + 1].startswith(" " * 10)


def check_clock(graph, lines):
    texts = [line["text"] for line in lines]
    clock = graph.get("clock")
    titles = [i for i, t in enumerate(texts) if t.startswith("CLOCK") and lines[i]["bold"]]
    if clock is None:
        return
    title = titles[-1]
    assert ("(Requis)" in texts[title]) == clock["required"]
    names = {"none": "Aucun", "system": "System Clock", "unknown": clock["reference"]}
    expected = (f'"{graph["filters"][clock["position"] - 1]["name"]}"' if clock["kind"] == "filter"
                else names[clock["kind"]])
    assert texts[title + 1] == expected, (texts[title + 1], expected)


def check_report(report, validator):
    validator.validate(report)
    graph = report.get("graph")
    if graph is None:
        return
    lines = report["lines"]
    if "version" in graph:
        assert lines[HEADER_LINES]["text"] == graph["version"]
    if any(line["text"] == "FILTERS" for line in lines):
        check_filters(graph, lines)
    else:
        assert not graph["filters"]
    check_connections(graph, lines)
    check_clock(graph, lines)
    assert report["complete"] or report["stop_reason"]


def main():
    cli, schema_path, folder = sys.argv[1:4]
    files = sorted(pathlib.Path(folder).glob("*.grf")) if folder and pathlib.Path(folder).is_dir() else []
    if not files:
        print(f"SKIPPED: no graph file in {folder}")
        return 77
    validator = jsonschema.Draft202012Validator(json.loads(pathlib.Path(schema_path).read_text()))
    checked = 0
    with tempfile.TemporaryDirectory() as temp:
        for path in files:
            data = path.read_bytes()
            report, _ = run_json(cli, [path])
            check_report(report, validator)
            assert report["complete"], path
            for i in range(1, CUTS + 1):
                cut = pathlib.Path(temp) / f"cut-{i}-{path.name}"
                cut.write_bytes(data[: len(data) * i // (CUTS + 1)])
                check_report(run_json(cli, [cut])[0], validator)
                checked += 1
            checked += 1
        reports, _ = run_json(cli, files)
        validator.validate(reports)
    print(f"{checked} JSON reports valid and matching their lines ({len(files)} files)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
