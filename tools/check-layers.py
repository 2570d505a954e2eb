#!/usr/bin/env python3
"""Checks the include graph between the source folders.

Each folder may include only the folders listed for it below, and the graph
they make has no cycle. A folder not listed (tests, bench, fuzz, examples'
users) may include anything. Qt headers are refused in the folders that must
build without Qt. Exits 1 and names every offending include.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# folder -> folders it may include (besides itself)
ALLOWED = {
    # The passes name the file-selection filters by their string numbers.
    "datafiles": {"resources"},
    "drawing/graphics": set(),
    "drawing": {"datafiles", "drawing/graphics"},
    "resources": set(),
    "gui": {"datafiles", "drawing", "drawing/graphics", "resources"},
    "app": {"datafiles", "drawing", "drawing/graphics", "resources", "gui"},
    "cli": {"datafiles", "drawing", "drawing/graphics", "resources", "gui"},
    "examples": {"datafiles"},
}
NO_QT = {"datafiles", "drawing/graphics", "drawing"}
# Files of a Qt-free folder that may use Qt: none. Files of app/ that are not
# the shell (the mains) may reach the Qt layer; the shell may not.
SHELL_NO_QT = {"app"}
QT_SHELL_FILES = {"main_merant.cpp", "main_solako.cpp"}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')


def folder_of(path: pathlib.Path) -> str:
    rel = path.relative_to(ROOT).as_posix()
    if rel.startswith("drawing/graphics/"):
        return "drawing/graphics"
    return rel.split("/", 1)[0]


def target_folder(inc: str) -> str | None:
    if inc.startswith("drawing/graphics/"):
        return "drawing/graphics"
    head = inc.split("/", 1)[0]
    return head if head in ALLOWED or head in ("tests", "bench", "fuzz") else None


def main() -> int:
    problems = []
    edges: dict[str, set[str]] = {f: set() for f in ALLOWED}
    for path in sorted(ROOT.rglob("*")):
        if path.suffix not in (".h", ".cpp") or any(p.startswith("build") for p in path.relative_to(ROOT).parts):
            continue
        src = folder_of(path)
        if src not in ALLOWED:
            continue
        for n, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, inc = m.groups()
            where = f"{path.relative_to(ROOT)}:{n}"
            if kind == "<" and inc.startswith("Q") and (
                    src in NO_QT or (src in SHELL_NO_QT and path.name not in QT_SHELL_FILES)):
                problems.append(f"{where}: {src}/ must build without Qt but includes <{inc}>")
                continue
            if kind != '"':
                continue
            dst = target_folder(inc)
            if dst is None or dst == src:
                continue
            if src == "app" and path.name in QT_SHELL_FILES:
                continue  # the programs' mains join the shell to the Qt layer
            edges[src].add(dst)
            if dst not in ALLOWED[src]:
                problems.append(f"{where}: {src}/ may not include {inc}")
    # A cycle among the allowed edges would mean the table itself is wrong.
    state: dict[str, int] = {}

    def visit(f: str, stack: list[str]) -> None:
        state[f] = 1
        for g in sorted(edges.get(f, ())):
            if state.get(g) == 1:
                problems.append("folder cycle: " + " -> ".join(stack[stack.index(g):] + [g]))
            elif g in edges and state.get(g) is None:
                visit(g, stack + [g])
        state[f] = 2

    for f in sorted(edges):
        if f not in state:
            visit(f, [f])
    for p in problems:
        print(p)
    if problems:
        print(f"{len(problems)} layering problem(s)")
        return 1
    print("layers: " + "; ".join(f"{f} -> {', '.join(sorted(edges[f])) or '-'}" for f in sorted(edges)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
