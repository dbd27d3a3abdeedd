#!/usr/bin/env python3
"""Reads the CSV files that Convra writes for the demo reports the way a
spreadsheet does (UTF-16 text, Python's csv module) and checks their values
against what the demo sales say they must hold."""
import argparse
import csv
import io
import json
import os
import shutil
import subprocess
import sys
import tempfile


def read_csv(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(b"\xff\xfe"):
        raise AssertionError(f"{path}: no UTF-16LE byte-order mark")
    text = data.decode("utf-16")  # the byte-order mark selects little-endian and is dropped
    if text and not text.endswith("\r\n"):
        raise AssertionError(f"{path}: last line without CR LF")
    return list(csv.reader(io.StringIO(text, newline="")))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--writer", required=True, help="the program that writes the demo reports")
    parser.add_argument("--convra", required=True)
    parser.add_argument("--library", required=True)
    args = parser.parse_args()

    failures = []
    checked = 0
    with tempfile.TemporaryDirectory(prefix="ecr-demo-csv-") as work:
        reports, output, program = (os.path.join(work, name) for name in ("reports", "csv", "prog"))
        for folder in (reports, output, program):
            os.mkdir(folder)
        manifest_path = os.path.join(work, "expected.json")
        subprocess.run([args.writer, reports, manifest_path], check=True)
        with open(manifest_path, encoding="utf-8") as f:
            expected = json.load(f)

        convra = os.path.join(program, "Convra")
        shutil.copy(args.convra, convra)
        with open(os.path.join(program, "Convra.ini"), "w") as f:
            f.write(f"[PATH]\nDLL={args.library}\n[CAP]\nCAP={work}\n")
        run = subprocess.run([convra, reports, output], capture_output=True, text=True)
        if run.returncode != 0:
            print(f"Convra exited with {run.returncode}: {run.stderr}")
            print("0 passed, 1 failed")
            return 1

        reports_written = sorted(os.listdir(reports))
        csv_written = sorted(os.listdir(output))
        wanted = sorted(name.upper().replace(".ECR", ".CSV") for name in reports_written)
        if csv_written != wanted:
            failures.append(f"CSV files {csv_written}, expected {wanted}")

        tables = {}
        for name in csv_written:
            try:
                tables[name] = read_csv(os.path.join(output, name))
            except (AssertionError, UnicodeDecodeError, csv.Error) as error:
                failures.append(str(error))

        for name, rows in expected["rows"].items():
            checked += 1
            got = tables.get(name)
            if got != rows:
                first = next((i for i, (a, b) in enumerate(zip(got or [], rows)) if a != b), None)
                detail = f"line {first}: {got[first]} != {rows[first]}" if first is not None else \
                    f"{len(got or [])} lines, expected {len(rows)}"
                failures.append(f"{name}: {detail}")
        for name, count in expected["line_counts"].items():
            checked += 1
            if len(tables.get(name, [])) != count:
                failures.append(f"{name}: {len(tables.get(name, []))} lines, expected {count}")
        for name, row, column, value in expected["cells"]:
            checked += 1
            try:
                got = tables[name][row][column]
            except (KeyError, IndexError):
                got = None
            if got != value:
                failures.append(f"{name} line {row} column {column}: {got!r}, expected {value!r}")
        # Every line of a file has the same number of columns.
        for name, rows in tables.items():
            checked += 1
            widths = {len(row) for row in rows}
            if name.startswith(("ALDP", "ALPL", "MTPL", "HOUR", "OTAC", "DPCS", "FINC")) and len(widths) != 1:
                failures.append(f"{name}: lines of {sorted(widths)} columns")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{checked - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
