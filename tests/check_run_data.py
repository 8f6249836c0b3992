#!/usr/bin/env python3
"""vantrel-sim's run data read by programs: the demo's CSV and JSON tables,
parsed with Python's csv and json modules, hold what its text table shows,
and its trace ends where the table ends.

Usage: check_run_data.py VANTREL_SIM SOURCE_DIR
"""
import csv
import io
import json
import subprocess
import sys
import tempfile
from pathlib import Path


def run(sim, source, *options):
    result = subprocess.run(
        [sim, "examples/demo.scn", "--timeline", "examples/demo.timeline", *options],
        cwd=source, capture_output=True, text=True, check=True)
    return result.stdout


def text_records(table):
    """The text table's records, cut at its heading's columns."""
    lines = table.splitlines()
    heading = lines[0]
    starts = {name: heading.index(name) for name in
              ("vessel", "event", "answer", "port", "payload", "attached")}
    records = []
    for line in lines[1:]:
        if not line[:starts["event"]].strip():  # a HUD text, under its record
            records[-1]["hud"].append(line[starts["event"]:].removeprefix("| "))
            continue
        def field(name, end):
            return line[starts[name]:starts[end]].strip()
        payload_and_mass = line[starts["payload"]:starts["attached"]].split()
        records.append({
            "time": float(line[:starts["vessel"]]),
            "vessel": field("vessel", "event"),
            "event": field("event", "answer"),
            "answer": field("answer", "port"),
            "port": field("port", "payload"),
            "payload": " ".join(payload_and_mass[:-1]),
            "empty_mass": float(payload_and_mass[-1]),
            "attached": line[starts["attached"]:],
            "hud": [],
        })
    return records


def answer_text(answer):
    if answer is None:
        return "-"
    if isinstance(answer, bool):
        return "true" if answer else "false"
    assert isinstance(answer, int), answer
    return str(answer)


def check(condition, message):
    if not condition:
        print("FAILED: " + message)
        sys.exit(1)


def main():
    sim, source = sys.argv[1], sys.argv[2]
    text = text_records(run(sim, source))
    from_json = json.loads(run(sim, source, "--table", "json"))
    from_csv = list(csv.DictReader(io.StringIO(run(sim, source, "--table", "csv"))))
    check(len(text) == len(from_json) == len(from_csv) == 21,
          f"records: text {len(text)}, json {len(from_json)}, csv {len(from_csv)}")

    for shown, j, c in zip(text, from_json, from_csv):
        where = f"{shown['time']} {shown['event']}"
        # Numbers are numbers, to the text's two decimals.
        for key in ("time", "empty_mass"):
            check(isinstance(j[key], (int, float)) and not isinstance(j[key], bool),
                  f"{where}: json {key} {j[key]!r}")
            check(round(j[key], 2) == shown[key], f"{where}: json {key}")
            check(round(float(c[key]), 2) == shown[key], f"{where}: csv {key}")
        for key in ("vessel", "event"):
            check(j[key] == shown[key] and c[key] == shown[key], f"{where}: {key}")
        check(answer_text(j["answer"]) == shown["answer"], f"{where}: json answer")
        check((c["answer"] or "-") == shown["answer"], f"{where}: csv answer")
        check(j["port"] == shown["port"] and c["port"] == shown["port"], f"{where}: port")
        payload = j["payload"] if j["payload"] is not None else "none"
        check(payload == shown["payload"], f"{where}: json payload {j['payload']!r}")
        check((c["payload"] or "none") == shown["payload"], f"{where}: csv payload")
        attached = ", ".join(a["port"] + " " + a["payload"] for a in j["attached"]) or "none"
        check(attached == shown["attached"], f"{where}: json attached {attached!r}")
        check((c["attached"] or "none") == shown["attached"], f"{where}: csv attached")
        hud = [f'({h["x"]}, {h["y"]}) "{h["text"]}"' for h in j["hud"]]
        check(hud == shown["hud"], f"{where}: json hud {hud!r}")
        check((c["hud"].split("\n") if c["hud"] else []) == shown["hud"], f"{where}: csv hud")

    with tempfile.TemporaryDirectory() as folder:
        trace_path = Path(folder) / "trace.csv"
        run(sim, source, "--trace", str(trace_path))
        trace = list(csv.DictReader(trace_path.open(newline="")))
    # The state after loading, then one row for each of the four steps.
    check([float(row["time"]) for row in trace] == [0, 0.5, 1, 1.5, 2], "trace times")
    last = trace[-1]
    check(float(last["empty_mass"]) == text[-1]["empty_mass"], "trace ends at the table's mass")
    check(last["port"] == text[-1]["port"] and int(last["attached"]) == 3, "trace's last row")
    port_masses = sum(float(last[f"PL{n} mass"]) for n in range(1, 13))
    check(port_masses + 200 == float(last["empty_mass"]), "port masses add up to the ring's")
    print("run data: the CSV and JSON tables and the trace agree with the text table")


if __name__ == "__main__":
    main()
