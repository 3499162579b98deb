#!/usr/bin/env python3
"""The real jotwel-tool on a small diary (cli-diary.dat: the four entries
the expectations below spell out, as the program writes them): CSV and
JSON exports parsed with Python's own csv and json modules, so accents,
embedded line breaks, commas and quotes are shown to survive; and a chart
drawn with no display.

Usage: cli_test.py JOTWEL_TOOL CLI_DIARY"""
import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile

tool, fixture = sys.argv[1], sys.argv[2]
failures = []


def expect(what, got, wanted):
    if got != wanted:
        failures.append(f"{what}: got {got!r}, wanted {wanted!r}")


def run(*args, extra_env=None):
    env = dict(os.environ, TZ="UTC", XDG_CONFIG_HOME=os.path.join(folder, "config"))
    env.update(extra_env or {})
    env.pop("QT_QPA_PLATFORM", None)  # the tool must need no display
    env.pop("DISPLAY", None)
    return subprocess.run([tool, "--dir", folder, *args], capture_output=True, env=env)


folder = tempfile.mkdtemp(prefix="jotwel-cli.")
try:
    shutil.copyfile(fixture, os.path.join(folder, "Jotwel.dat"))
    os.mkdir(os.path.join(folder, "config"))
    headings = ["Mood = 5 : ok", "50%", "", "Caf\xe9", "=x", "y"]
    with open(os.path.join(folder, "config", "ZORVANT.INI"), "wb") as f:
        f.write(b"[Jotwel]\r\n" + b"".join(
            f"Head{i}={h}\r\n".encode("cp1252") for i, h in enumerate(headings)))

    done = run("export", "--format", "csv")
    expect("csv status", (done.returncode, done.stderr), (0, b""))
    rows = list(csv.reader(io.StringIO(done.stdout.decode("utf-8"), newline="")))
    expect("csv rows", len(rows), 5)
    expect("csv header", rows[0],
           ["kind", "date", "time", "key", "stamp", "score", "summary", "note"] +
           [f"{name}{i}" for i in range(1, 7) for name in ("heading", "score")])
    expect("csv text entry", rows[1][:8],
           ["text", "2014-02-01", "09:30:00", "1391247000", "01/02/14 @ 09:30:00", "7",
            'Café, "quoted"\r\nline two', "n€te, with comma"])
    expect("csv text entry without a score", rows[2][5:8], ["", "two\r\nlines", ""])
    expect("csv button entry", rows[3],
           ["button", "2014-02-01", "21:00:00", "1391288400", "01/02/14", "", "", "",
            "Sle,ep", "7", 'W"ork', "3", "Food\x81", "10", "Mood", "0", "Walk", "5",
            "Read", "8"])
    expect("csv unscored rows are empty", rows[4],
           ["button", "2014-02-02", "21:00:00", "1391374800", "02/02/14", "", "", "",
            "Mood = 5 : ok", "", "50%", "4", "", "", "Café", "", "=x", "10", "y", ""])
    done = run("export", "--format", "csv", "--csv-safe", "-o", "-")
    rows = list(csv.reader(io.StringIO(done.stdout.decode("utf-8"), newline="")))
    expect("csv-safe", (done.returncode, rows[4][16]), (0, "'=x"))

    out = os.path.join(folder, "entries.json")
    done = run("export", "--format", "json", "-o", out)
    expect("json status", (done.returncode, done.stdout, done.stderr), (0, b"", b""))
    with open(out, encoding="utf-8") as f:
        entries = json.load(f)
    expect("json entries", len(entries), 4)
    expect("json text entry", entries[0],
           {"kind": "text", "date": "2014-02-01", "time": "09:30:00", "key": 1391247000,
            "stamp": "01/02/14 @ 09:30:00", "score": 7,
            "summary": 'Café, "quoted"\r\nline two', "note": "n€te, with comma"})
    expect("json score of none", entries[1]["score"], None)
    expect("json headings", entries[2]["headings"][:3],
           [{"heading": "Sle,ep", "score": 7}, {"heading": 'W"ork', "score": 3},
            {"heading": "Food\x81", "score": 10}])
    expect("json unscored rows are null", entries[3]["headings"],
           [{"heading": h, "score": s} for h, s in
            zip(headings, [None, 4, None, None, 10, None])])

    done = run("export", "--format", "json", "-o", "/dev/stdout")
    expect("-o /dev/stdout", (done.returncode, json.loads(done.stdout)), (0, entries))

    done = run("--version")
    expect("--version", (done.returncode, done.stdout.startswith(b"jotwel-tool ")), (0, True))

    pdf = os.path.join(folder, "list.pdf")
    done = run("pdf", "-o", pdf)
    expect("pdf status", (done.returncode, done.stderr), (0, b""))
    if shutil.which("pdftotext"):
        text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True).stdout
        expect("pdf text", b"Page 1 of 1" in text and b"01/02/14 @ 09:30:00" in text, True)

    # No systemctl on the PATH: no user instance to ask, so nothing changes.
    done = run("remind", "at", "21:30", extra_env={"PATH": os.path.join(folder, "config")})
    expect("remind without systemd", (done.returncode, b"no systemd user instance" in done.stderr,
                                      os.path.exists(os.path.join(folder, "config", "systemd"))),
           (1, True, False))

    chart = os.path.join(folder, "scores.svg")
    done = run("chart", "-o", chart)
    expect("chart status", (done.returncode, done.stderr), (0, b""))
    expect("chart", os.path.exists(chart) and b"<svg" in open(chart, "rb").read(), True)

finally:
    shutil.rmtree(folder)

for failure in failures:
    print("FAIL [cli]:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
