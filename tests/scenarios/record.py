#!/usr/bin/env python3
"""Runs a scenario through st_nubera_script and prints its transcript with the program
folder written {DIR}, for a person to review before saving it as NAME.expected.

usage: record.py BUILD_DIR NAME [FILE ...]   (FILE: paths whose lines to append)
A BUILD_DIR that holds st_nubera_script.exe (out/windows) is run under Wine, for
NAME.windows.expected.
"""
import pathlib
import subprocess
import sys
import tempfile

build, name, *files = sys.argv[1:]
here = pathlib.Path(__file__).parent
scenario = (here / f"{name}.scn").read_text()
wine = pathlib.Path(f"{build}/st_nubera_script.exe").exists()


def program_paths(text, d):
    """The program folder as {DIR}, and under Wine the "\\" after it as "/"."""
    if not wine:
        return text.replace(d, "{DIR}")
    here = "Z:" + d.replace("/", "\\")
    out = []
    for line in text.split("\n"):
        parts = line.split(here)
        for p in parts[1:]:
            path, sep, rest = p.partition("\\n")  # up to an escaped line break
            parts[0] += "{DIR}" + path.replace("\\", "/") + sep + rest
        out.append(parts[0])
    return "\n".join(out)


with tempfile.TemporaryDirectory() as d:
    command = ["wine", f"{build}/st_nubera_script.exe"] if wine else [f"{build}/st_nubera_script"]
    folder = "Z:" + d.replace("/", "\\") if wine else d
    out = subprocess.run(command + ["--dir", folder], input=scenario.encode(),
                         capture_output=True).stdout.decode().replace("\r\n", "\n")
    sys.stdout.write(program_paths(out, d))
    for f in files:
        p = pathlib.Path(d) / f
        if p.is_dir():
            print(f"=== {f.rstrip('/')}/")
        elif p.exists():
            print(f"=== {f}")
            text = p.read_bytes().decode("cp932").replace("\r\n", "\n")
            sys.stdout.write(program_paths(text, d))
        else:
            print(f"=== !{f}")
