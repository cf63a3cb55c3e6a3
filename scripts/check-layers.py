#!/usr/bin/env python3
"""Checks that the includes under src/ run one way.

  common            knows nothing else
  platform          knows common
  settings          knows common
  each subsystem    knows common, platform, settings and other subsystems (no cycle among them)
  app               knows everything; nothing but app includes app

Portable folders (common, settings) never include <windows.h>. A folder under accessories/ counts
as a subsystem of its own. Prints every include against the direction with file and line, and
every cycle between folders; exits 1 when there is one.
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SUBSYSTEMS = {"calendar", "hotkeys", "desktop", "memo", "accessories", "settings_dialog"}
ALLOWED = {
    "common": {"common"},
    "platform": {"common", "platform"},
    "settings": {"common", "settings"},
}
PORTABLE = {"common", "settings"}


def folder_of(relative):
    """The folder a path under src/ belongs to: 'calendar', 'accessories/clock', ..."""
    parts = relative.replace("\\", "/").split("/")
    if len(parts) < 2:
        return None
    if parts[0] == "accessories" and len(parts) >= 3:
        return "accessories/" + parts[1]
    return parts[0]


def kind_of(folder):
    return folder.split("/")[0]


def allowed(source, target):
    src_kind, dst_kind = kind_of(source), kind_of(target)
    if src_kind == "app":
        return True
    if dst_kind == "app":
        return False
    if src_kind in ALLOWED:
        return dst_kind in ALLOWED[src_kind]
    if src_kind in SUBSYSTEMS:
        return dst_kind in {"common", "platform", "settings"} or dst_kind in SUBSYSTEMS
    return False


def find_cycles(edges):
    """Strongly connected components with more than one folder (Tarjan)."""
    index, low, stack, on_stack, result = {}, {}, [], set(), []
    counter = [0]

    def visit(node):
        index[node] = low[node] = counter[0]
        counter[0] += 1
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(edges.get(node, {})):
            if nxt not in index:
                visit(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            component = []
            while True:
                top = stack.pop()
                on_stack.discard(top)
                component.append(top)
                if top == node:
                    break
            if len(component) > 1:
                result.append(sorted(component))

    for node in sorted(edges):
        if node not in index:
            visit(node)
    return result


def main():
    root = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else ROOT)
    problems = []
    edges = {}  # folder -> {folder: first "file:line"}
    files = 0
    for dirpath, _, names in os.walk(root):
        for name in sorted(names):
            if not name.endswith((".h", ".hpp", ".cpp", ".inc")):
                continue
            path = os.path.join(dirpath, name)
            relative = os.path.relpath(path, root).replace(os.sep, "/")
            source = folder_of(relative)
            if source is None:
                continue
            files += 1
            with open(path, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m:
                        continue
                    where = f"src/{relative}:{number}"
                    bracket, target_path = m.groups()
                    if bracket == "<":
                        if kind_of(source) in PORTABLE and target_path.lower() == "windows.h":
                            problems.append(f"{where}: portable folder '{source}' includes <windows.h>")
                        continue
                    target = folder_of(target_path)
                    if target is None or not os.path.exists(os.path.join(root, target_path)):
                        continue
                    if target == source:
                        continue
                    if not allowed(source, target):
                        problems.append(f"{where}: '{source}' must not include '{target_path}'")
                    edges.setdefault(source, {}).setdefault(target, where)
    for cycle in find_cycles(edges):
        links = []
        for a in cycle:
            for b in cycle:
                if b in edges.get(a, {}):
                    links.append(f"    {a} -> {b} ({edges[a][b]})")
        problems.append("folders include each other: " + ", ".join(cycle) + "\n" + "\n".join(links))
    if problems:
        print("Include direction check failed:")
        for p in problems:
            print("  " + p)
        return 1
    print(f"Include direction check: {files} files, includes run one way")
    return 0


if __name__ == "__main__":
    sys.exit(main())
