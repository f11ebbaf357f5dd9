#!/usr/bin/env python3
"""Checks the walls between the layers from what the source files include.

A core file may include the standard library, the core and the platform's interface headers
(platform/*.h), nothing else. An interface header may include only other interface headers. No
two folders may include each other, directly or through others. With --graph, prints which
folders include which instead.
"""
import argparse
import collections
import os
import re
import sys

LAYERS = ("core", "platform", "ui", "cli")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
INTERFACE = re.compile(r"platform/[a-z_]+\.h")


def source_files(root):
    for layer in LAYERS:
        for folder, _, names in os.walk(os.path.join(root, layer)):
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    yield os.path.relpath(os.path.join(folder, name), root).replace(os.sep, "/")


def includes(root, path):
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, match.group(1) == "<", match.group(2)


def wall_problems(path, number, system, target):
    where = f"{path}:{number}"
    if path.startswith("core/"):
        if system and ("." in target or "/" in target or target.startswith("Q")):
            yield f"{where}: the core includes <{target}>, which is not the standard library"
        elif not system and not (target.startswith("core/") or INTERFACE.fullmatch(target)):
            yield f"{where}: the core includes {target}, outside the core and the interfaces"
    if INTERFACE.fullmatch(path) and not system and not INTERFACE.fullmatch(target):
        yield f"{where}: the interface header includes {target}, which is not an interface"


def folder_graph(root, files):
    graph = collections.defaultdict(set)
    for path in files:
        for _, system, target in includes(root, path):
            folder, to = os.path.dirname(path), os.path.dirname(target)
            if not system and to and to != folder and to.split("/")[0] in LAYERS:
                graph[folder].add(to)
    return graph


def cycles(graph):
    """The groups of folders that reach each other (Tarjan's strongly connected components)."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(folder):
        index[folder] = low[folder] = len(index)
        stack.append(folder)
        on_stack.add(folder)
        for to in sorted(graph.get(folder, ())):
            if to not in index:
                visit(to)
                low[folder] = min(low[folder], low[to])
            elif to in on_stack:
                low[folder] = min(low[folder], index[to])
        if low[folder] == index[folder]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == folder:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for folder in sorted(graph):
        if folder not in index:
            visit(folder)
    return groups


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("root", nargs="?", default=".")
    parser.add_argument("--graph", action="store_true", help="print the folders' include graph")
    arguments = parser.parse_args()
    files = list(source_files(arguments.root))
    graph = folder_graph(arguments.root, files)
    if arguments.graph:
        for folder in sorted(graph):
            print(f"{folder} -> {' '.join(sorted(graph[folder]))}")
        return 0
    problems = [problem for path in files for number, system, target in
                includes(arguments.root, path)
                for problem in wall_problems(path, number, system, target)]
    problems += ["folders that include each other: " + " <-> ".join(group)
                 for group in cycles(graph)]
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
