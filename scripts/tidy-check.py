#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs clang-tidy with the checks of .clang-tidy over the core's sources (the library every
host links), on the build's compile commands; any finding fails. A source whose preprocessed
text, compile command, checks and clang-tidy are those of an earlier clean run is not checked
again: clang-tidy takes about ten seconds a source, preprocessing a fraction of one. The clean
runs are kept in $XDG_CACHE_HOME/pellox-tidy (ZEL_TIDY_CACHE names another folder)."""

import hashlib
import json
import os
import re
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORE = re.compile(re.escape(TOP) + r"/(messages|model|database|export|engine)/.*\.cpp$")


def cache_folder():
    default = os.path.join(os.environ.get("XDG_CACHE_HOME", os.path.expanduser("~/.cache")),
                           "pellox-tidy")
    folder = os.environ.get("ZEL_TIDY_CACHE", default)
    os.makedirs(folder, exist_ok=True)
    return folder


def arguments(entry):
    return entry.get("arguments") or shlex.split(entry["command"])


def preprocessed(entry):
    """The source as the compiler sees it: what a finding can depend on, headers included."""
    args, skip = [], False
    for arg in arguments(entry):
        if skip:
            skip = False
        elif arg == "-o":
            skip = True
        elif arg != "-c":
            args.append(arg)
    run = subprocess.run(args + ["-E"], cwd=entry["directory"], capture_output=True)
    return run.stdout if run.returncode == 0 else None


def check(entry, build, salt, folder):
    """None when the source is clean, else clang-tidy's report."""
    text = preprocessed(entry)
    key = None
    if text is not None:
        digest = hashlib.sha256(salt)
        digest.update(" ".join(arguments(entry)).encode())
        digest.update(text)
        key = os.path.join(folder, digest.hexdigest())
        if os.path.exists(key):
            return None
    run = subprocess.run(["clang-tidy", "-p", build, "--quiet", entry["file"]],
                         capture_output=True, text=True)
    if run.returncode == 0 and not re.search(r"(warning|error): ", run.stdout):
        if key:
            open(key, "w").close()
        return None
    return run.stdout + run.stderr


def main():
    build = os.environ.get("BUILD_DIR", os.path.join(TOP, "build"))
    with open(os.path.join(build, "compile_commands.json")) as f:
        entries = [e for e in json.load(f) if CORE.match(e["file"])]
    with open(os.path.join(TOP, ".clang-tidy"), "rb") as f:
        salt = f.read() + subprocess.run(["clang-tidy", "--version"], capture_output=True).stdout
    folder = cache_folder()
    with ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        reports = [r for r in pool.map(lambda e: check(e, build, salt, folder), entries) if r]
    if reports:
        for report in reports:
            lines = report.splitlines()
            print("\n".join(l for l in lines if "warnings generated" not in l), file=sys.stderr)
        print("tidy-check: clang-tidy found the faults above", file=sys.stderr)
        return 1
    print("tidy-check: the core's %d sources pass clang-tidy" % len(entries))
    return 0


if __name__ == "__main__":
    sys.exit(main())
