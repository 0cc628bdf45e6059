#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The folders as layers: every #include of another folder must point down.

Reads the #include "folder/file.h" lines of the library and program folders, prints the
include graph (folders as nodes, with --dot as a Graphviz drawing) and fails when a folder
includes one above it or when two folders include each other. With --core-library, also fails
when that library links a GUI library of Qt or exports what only its own files share (the
helpers of internal headers, anything of an anonymous namespace)."""
import argparse
import collections
import pathlib
import re
import subprocess
import sys

# Lowest first; a folder may include its own files and those of the folders before it.
LAYERS = [
    ("messages", "zelcore"), ("model", "zelcore"), ("database", "zelcore"),
    ("export", "zelcore"), ("engine", "zelcore"), ("print", "zelprint"),
    ("controls", "zelwidgets"), ("dialogs", "zelwidgets"), ("editors", "zelwidgets"),
    ("workspace", "zelwidgets"), ("demo", "program"), ("tools", "program"),
]
RANK = {name: rank for rank, (name, _) in enumerate(LAYERS)}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/', re.MULTILINE)


def include_graph(top):
    edges = collections.defaultdict(list)
    for folder in RANK:
        for path in sorted((top / folder).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for target in INCLUDE.findall(path.read_text(encoding="utf-8")):
                if target in RANK and target != folder:
                    edges[(folder, target)].append(path.relative_to(top))
    return edges


def faults(edges):
    found = []
    for (source, target), files in sorted(edges.items()):
        if RANK[target] > RANK[source]:
            found.append(f"{source} includes {target}, a higher layer: "
                         + ", ".join(str(f) for f in files))
    return found


def dot(edges):
    lines = ["digraph layers {", "  rankdir=BT;"]
    for name, library in LAYERS:
        lines.append(f'  "{name}" [label="{name}\\n{library}"];')
    for (source, target), files in sorted(edges.items()):
        lines.append(f'  "{source}" -> "{target}" [label="{len(files)}"];')
    lines.append("}")
    return "\n".join(lines)


def gui_links(library):
    linked = subprocess.run(["ldd", library], capture_output=True, text=True, check=True).stdout
    return [line.split()[0] for line in linked.splitlines()
            if re.search(r"libQt6(Gui|Widgets|PrintSupport|Svg)\.so", line)]


# Namespaces of the helpers that files of one library share through internal headers.
INTERNAL = re.compile(r"^(ZelStoredForm|ZelLocalSql|ZelJoins)::|\(anonymous namespace\)")


def private_exports(library):
    symbols = subprocess.run(["nm", "-D", "--defined-only", "-C", library],
                             capture_output=True, text=True, check=True).stdout
    names = (line.split(" ", 2)[-1] for line in symbols.splitlines() if line.count(" ") >= 2)
    return sorted({name for name in names if INTERNAL.search(name)})


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dot", action="store_true", help="print the graph for Graphviz")
    parser.add_argument("--core-library", help="the built zelcore, checked for GUI links")
    args = parser.parse_args()
    top = pathlib.Path(__file__).resolve().parent.parent
    edges = include_graph(top)
    if args.dot:
        print(dot(edges))
    else:
        for (source, target), files in sorted(edges.items()):
            print(f"{source} -> {target} ({len(files)} files)")
    found = faults(edges)
    if args.core_library:
        found += [f"{args.core_library} links {lib}" for lib in gui_links(args.core_library)]
        found += [f"{args.core_library} exports {name}"
                  for name in private_exports(args.core_library)]
    for fault in found:
        print("layers: " + fault, file=sys.stderr)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
