#!/usr/bin/env python3
"""The Windows release holds exactly one folder with the program, its pictures, its help and a
first text for its user, and the program in it carries no debug sections.

Every packed file must also be in SHIPPED, the build's list of names the program refuses as a
server folder's name.

usage: check_release.py ZIP FOLDER SHIPPED
"""
import sys
import zipfile

zip_path, folder, shipped_path = sys.argv[1:]
with open(shipped_path, encoding="utf-8") as f:
    shipped = {line.strip() for line in f if line.strip()}
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
unknown = sorted(n for n in names if n.split("/", 1)[1] not in shipped)
if unknown:
    problems.append(f"packed but not in the list of shipped names: {unknown}")
if not readme.startswith(b"\xef\xbb\xbf") or b"\n" in readme.replace(b"\r\n", b""):
    problems.append("the first text is not UTF-8 with a byte order mark and CR LF lines")
if b".debug_info" in exe:
    problems.append("st_nubera.exe keeps its debug sections")
for p in problems:
    print("release:", p, file=sys.stderr)
print("release check:", "failed" if problems else "passed")
sys.exit(1 if problems else 0)
