#!/usr/bin/env python3
"""Checks the include graph between the source folders.

Each folder may include only the folders listed for it below, and the graph
they make has no cycle. A folder not listed (tests, bench, fuzz, examples'
users) may include anything. Qt headers are refused in the folders that must
build without Qt. The product (every source outside tests, bench, fuzz and
examples) keeps its rooms small: no file over MAX_FILE_LINES lines, no
top-level folder over MAX_FOLDER_SHARE of the lines. Exits 1 and names every
offending include, file and folder.
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# folder -> folders it may include (besides itself)
ALLOWED = {
    # Numbers as text, written and read the same way in every locale: the
    # bottom of the house, which every folder may use.
    "numbers": set(),
    # The passes name the file-selection filters by their string numbers.
    "datafiles": {"numbers", "resources"},
    "drawing/graphics": {"numbers"},
    "drawing": {"numbers", "datafiles", "drawing/graphics"},
    # The case written as JSON and CSV for scripts; the figures it writes
    # are the drawing's.
    "dataexport": {"numbers", "datafiles", "drawing"},
    # A series of cases read together: its table, its plots, its report.
    "series": {"numbers", "datafiles", "dataexport", "drawing", "drawing/graphics"},
    "resources": {"numbers"},
    "translations": {"numbers", "datafiles", "resources"},
    "render": {"numbers", "datafiles", "drawing", "drawing/graphics", "translations"},
    # The shell and the window-layer interface it calls; the mains name the
    # window program through app/program.h, which the Qt layer defines.
    "app": {"numbers", "datafiles", "drawing", "drawing/graphics", "resources"},
    # The dialogs: built from the resources, the system's, and Export's.
    "dialogs": {"numbers", "datafiles", "drawing/graphics", "resources", "translations"},
    # The series window: the series' table and plots over Qt Widgets.
    "serieswindow": {"numbers", "datafiles", "dataexport", "series", "drawing", "drawing/graphics", "translations",
                     "render", "dialogs"},
    "gui": {"numbers", "datafiles", "dataexport", "series", "drawing", "drawing/graphics", "resources", "translations", "render", "app",
            "dialogs", "serieswindow"},
    "cli": {"numbers", "datafiles", "dataexport", "series", "drawing", "drawing/graphics", "resources", "translations", "render"},
    "examples": {"numbers", "datafiles"},
}
NO_QT = {"numbers", "dataexport", "series", "datafiles", "drawing/graphics", "drawing", "resources", "app"}
# Qt modules a folder may not use: the render library draws without widgets.
NO_QT_MODULES = {
    "render": ("QtWidgets", "QtPrintSupport"),
    "translations": ("QtWidgets", "QtGui"),
    "cli": ("QtWidgets", "QtPrintSupport"),
}
# Headers of Qt Widgets (and the printer dialogs) by their class names.
WIDGET_HEADERS = re.compile(
    r"^(QtWidgets/|QtPrintSupport/|Q(Application|Widget|MainWindow|Dialog|MessageBox|FileDialog|"
    r"ColorDialog|PrintDialog|PageSetupDialog|PrintPreview\w*|Menu\w*|Action|ToolBar|StatusBar|Label|"
    r"PushButton|LineEdit|CheckBox|ComboBox|RadioButton|GroupBox|Layout|[HV]BoxLayout|GridLayout|"
    r"FormLayout|DockWidget|ScrollArea|Splitter|TableWidget|TreeWidget|ProgressBar|AbstractButton|"
    r"ButtonGroup|SpinBox|DoubleSpinBox|TextEdit|ToolTip|Style\w*|Printer|PrinterInfo)$)")
MAX_FILE_LINES = 500
MAX_FOLDER_SHARE = 0.25
NOT_PRODUCT = {"tests", "bench", "fuzz", "examples"}
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


def sources():
    for path in sorted(ROOT.rglob("*")):
        parts = path.relative_to(ROOT).parts
        if path.suffix in (".h", ".cpp") and not any(p.startswith(("build", ".")) for p in parts):
            yield path


def size_problems() -> list[str]:
    problems = []
    lines_of: dict[str, int] = {}
    for path in sources():
        rel = path.relative_to(ROOT)
        if len(rel.parts) < 2 or rel.parts[0] in NOT_PRODUCT:
            continue
        n = len(path.read_bytes().splitlines())
        lines_of[rel.parts[0]] = lines_of.get(rel.parts[0], 0) + n
        if n > MAX_FILE_LINES:
            problems.append(f"{rel.as_posix()}: {n} lines, more than {MAX_FILE_LINES}")
    total = sum(lines_of.values())
    for folder, n in sorted(lines_of.items()):
        if total and n > MAX_FOLDER_SHARE * total:
            problems.append(f"{folder}/: {n} of the product's {total} lines, more than {MAX_FOLDER_SHARE:.0%}")
    return problems


def main() -> int:
    problems = size_problems()
    edges: dict[str, set[str]] = {f: set() for f in ALLOWED}
    for path in sources():
        src = folder_of(path)
        if src not in ALLOWED:
            continue
        for n, line in enumerate(path.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            kind, inc = m.groups()
            where = f"{path.relative_to(ROOT)}:{n}"
            if kind == "<" and inc.startswith("Q") and src in NO_QT:
                problems.append(f"{where}: {src}/ must build without Qt but includes <{inc}>")
                continue
            if kind == "<" and src in NO_QT_MODULES and (
                    inc.startswith(NO_QT_MODULES[src]) or
                    ("QtWidgets" in NO_QT_MODULES[src] and WIDGET_HEADERS.match(inc))):
                problems.append(f"{where}: {src}/ may not use <{inc}>")
                continue
            if kind != '"':
                continue
            dst = target_folder(inc)
            if dst is None or dst == src:
                continue
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
        print(f"{len(problems)} problem(s) with the layers or the rooms' sizes")
        return 1
    print("layers: " + "; ".join(f"{f} -> {', '.join(sorted(edges[f])) or '-'}" for f in sorted(edges)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
