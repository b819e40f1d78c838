#!/usr/bin/env python3
"""Fails when a log line names code that does not exist.

Operators search the code for what a log line names, so the class (or source file) and the
function a line names must be found there: the class tag of consoleLog() calls and kClass
constants, the leading CamelCase word of Log::debug()/Log::err() texts, and the function named
as a consoleLog() method, which must appear in the file that logs or in its header.
"""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parent.parent
folders = [root / d for d in ("src", "app", "tools")]
files = [p for f in folders for p in f.rglob("*") if p.suffix in (".cpp", ".h")]

classes = set()
for p in files:
    classes.add(p.stem)
    for m in re.finditer(r"^\s*(?:class|struct)\s+(?:[A-Z_]+\s+)?([A-Za-z_]\w*)", p.read_text(), re.M):
        classes.add(m.group(1))

tag = r'"([A-Z]\w*)"'
call = re.compile(r'consoleLog\(\s*(?:lc\w+\(\)\s*,\s*)?(?:' + tag + r'|(\w+))\s*,\s*"(\w+)"', re.S)
constant = re.compile(r'\bkClass\s*=\s*' + tag)
leveled = re.compile(r'Log::(?:debug|err)\(\s*(?:lc\w+\(\)\s*,\s*)?QStringLiteral\("([A-Z][a-z0-9]+[A-Z]\w*)[ :]')

problems = []
for p in files:
    text = p.read_text()
    rel = p.relative_to(root)
    header = p.with_suffix(".h")
    own = text + (header.read_text() if header.exists() and header != p else "")
    for m in constant.finditer(text):
        if m.group(1) not in classes:
            problems.append(f"{rel}: kClass names {m.group(1)}, which is no class or file")
    for m in call.finditer(text):
        if m.group(1) and m.group(1) not in classes:
            problems.append(f"{rel}: a log line names class {m.group(1)}, which is no class or file")
        method = m.group(3)
        if len(re.findall(r"\b" + method + r"\b", own)) < 2:
            problems.append(f"{rel}: a log line names function {method}, which is not in the file")
    for m in leveled.finditer(text):
        if m.group(1) not in classes:
            problems.append(f"{rel}: a log line starts with {m.group(1)}, which is no class or file")

for line in problems:
    print(line)
if problems:
    sys.exit(1)
print(f"log lines name real code ({len(files)} files)")
