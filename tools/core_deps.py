#!/usr/bin/env python3
"""Prints which folders of the core include which, and fails on a cycle.

It also fails when the core includes the layers built on it: the substitute
(src/jvsim) or the session (src/app); and when the substitute includes the
session.

Every include names its header from src/ ("core/store/...", "app/...").
A folder is the first path component below src/core ("util", "store", ...).
The layers: util, text, env, store, model, analysis, load and jvlink, with
masterdata (horse, jockey and trainer views, tracked horses) above load.
An edge A -> B means a file in A includes a header of B. The core's layers must
only point down, so the graph has to be acyclic; a cycle is printed with one
include that closes it, as a place to start untangling.
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def scan(core):
    edges = {}  # (from, to) -> first "file: include" seen
    folders = set()
    for dirpath, _, names in os.walk(core):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(dirpath, name)
            rel = os.path.relpath(path, core)
            src = rel.split(os.sep)[0]
            if src == rel:
                continue
            folders.add(src)
            with open(path, encoding="utf-8", errors="replace") as f:
                text = f.read()
            for inc in INCLUDE.findall(text):
                parts = inc.split("/")
                if len(parts) < 3 or parts[0] != "core":
                    continue
                dst = parts[1]
                if not os.path.isdir(os.path.join(core, dst)):
                    continue
                if dst != src:
                    edges.setdefault((src, dst), f"{rel}: {inc}")
    return folders, edges


def find_cycles(folders, edges):
    graph = {f: sorted(b for (a, b) in edges if a == f) for f in folders}
    index, low, stack, on_stack, sccs = {}, {}, [], set(), []

    def strong(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on_stack.add(v)
        for w in graph[v]:
            if w not in index:
                strong(w)
                low[v] = min(low[v], low[w])
            elif w in on_stack:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            scc = []
            while True:
                w = stack.pop()
                on_stack.discard(w)
                scc.append(w)
                if w == v:
                    break
            if len(scc) > 1:
                sccs.append(sorted(scc))

    for v in sorted(folders):
        if v not in index:
            strong(v)
    return sccs


def layers(folders, edges):
    """Folders from the bottom up: each one only includes folders listed before it."""
    depth = {}

    def d(v, seen=()):
        if v in depth:
            return depth[v]
        if v in seen:
            return 0
        below = [d(b, seen + (v,)) for (a, b) in edges if a == v]
        depth[v] = 1 + max(below, default=-1)
        return depth[v]

    for v in folders:
        d(v)
    return sorted(folders, key=lambda v: (depth[v], v)), depth


def upward_includes(tree, forbidden):
    """Includes in `tree` of a path that starts with one of `forbidden`."""
    found = []
    for dirpath, _, names in os.walk(tree):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp")):
                continue
            path = os.path.join(dirpath, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                for inc in INCLUDE.findall(f.read()):
                    if inc.split("/")[0] in forbidden:
                        found.append(f"{os.path.relpath(path, os.path.dirname(tree))}: {inc}")
    return found


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    core = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "core")
    src = os.path.dirname(core)
    upward = (upward_includes(core, {"app", "jvsim", "gui", "cli"}) +
              upward_includes(os.path.join(src, "jvsim"), {"app", "gui", "cli"}) +
              upward_includes(os.path.join(src, "app"), {"gui", "cli"}))
    for where in upward:
        print(f"includes a layer above it: {where}", file=sys.stderr)
    folders, edges = scan(core)
    order, depth = layers(folders, edges)
    for v in order:
        below = sorted(b for (a, b) in edges if a == v)
        print(f"{depth[v]}  {v:10} -> {', '.join(below) if below else '(nothing)'}")
    cycles = find_cycles(folders, edges)
    if not cycles:
        print("no cycle between core folders")
        return 1 if upward else 0
    for scc in cycles:
        print(f"cycle: {' <-> '.join(scc)}", file=sys.stderr)
        for (a, b), where in sorted(edges.items()):
            if a in scc and b in scc:
                print(f"  {a} -> {b}  ({where})", file=sys.stderr)
    return 1


if __name__ == "__main__":
    sys.exit(main())
