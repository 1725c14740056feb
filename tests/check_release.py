#!/usr/bin/env python3
"""The Windows release holds exactly one folder with the program, its pictures, its help and a
first text for its user, and the program in it carries no debug sections.

usage: check_release.py ZIP FOLDER
"""
import sys
import zipfile

zip_path, folder = sys.argv[1:]
expected = {f"{folder}/{name}" for name in (
    "st_nubera.exe", "splash_logo.jpg", "quick.jpg", "settings.jpg", "splash_logo@2x.jpg",
    "quick@2x.jpg", "settings@2x.jpg", "nubera_help.html",
    "はじめにお読みください.txt")}
with zipfile.ZipFile(zip_path) as z:
    names = {n for n in z.namelist() if not n.endswith("/")}
    exe = z.read(f"{folder}/st_nubera.exe")
    readme = z.read(f"{folder}/はじめにお読みください.txt")
problems = []
if names != expected:
    problems.append(f"files: extra {sorted(names - expected)}, missing {sorted(expected - names)}")
if not readme.startswith(b"\xef\xbb\xbf") or b"\n" in readme.replace(b"\r\n", b""):
    problems.append("the first text is not UTF-8 with a byte order mark and CR LF lines")
if b".debug_info" in exe:
    problems.append("st_nubera.exe keeps its debug sections")
for p in problems:
    print("release:", p, file=sys.stderr)
print("release check:", "failed" if problems else "passed")
sys.exit(1 if problems else 0)
