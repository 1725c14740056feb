#!/usr/bin/env python3
"""Runs a scenario through st_nubera_script and prints its transcript with the program
folder written {DIR}, for a person to review before saving it as NAME.expected.

usage: record.py BUILD_DIR NAME [FILE ...]   (FILE: paths whose lines to append)
"""
import pathlib
import subprocess
import sys
import tempfile

build, name, *files = sys.argv[1:]
here = pathlib.Path(__file__).parent
scenario = (here / f"{name}.scn").read_text()
with tempfile.TemporaryDirectory() as d:
    out = subprocess.run([f"{build}/st_nubera_script", "--dir", d], input=scenario.encode(),
                         capture_output=True).stdout.decode()
    sys.stdout.write(out.replace(d, "{DIR}"))
    for f in files:
        p = pathlib.Path(d) / f
        if p.is_dir():
            print(f"=== {f.rstrip('/')}/")
        elif p.exists():
            print(f"=== {f}")
            sys.stdout.write(p.read_bytes().decode("cp932").replace("\r\n", "\n").replace(d, "{DIR}"))
        else:
            print(f"=== !{f}")
