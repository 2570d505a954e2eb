#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus into fuzz/corpus/ from the bundled
examples: each example whole, and damaged variants of them (files cut at a
line and inside one, missing, emptied, with nulls, repeats, a zero pmax, a
bad number, a long record, a seventh wedge). Run it again after the examples
or the targets' input layouts change; the files are committed.

usage: fuzz/make-corpus.py
"""
import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent
EXAMPLES = HERE.parent / "examples"
OUT = HERE / "corpus"
SEP = b"\x1e"

# Control byte of fuzz_passes.
THERMAL, RECOGNISE, CIS, CHA, TEM, TRACE, FIRST_OK, LATER_OK = 1, 2, 4, 8, 16, 32, 64, 128


def files(name):
    d = {"dan": (EXAMPLES / "DANE" / (name + ".dan")).read_bytes()}
    for ext in ("cis", "cha", "tem"):
        p = EXAMPLES / "WYN" / (name + "." + ext)
        d[ext] = p.read_bytes() if p.exists() else None
    return d


def lines(b):
    return b.splitlines(keepends=True)


def cut_lines(b, n):
    return b"".join(lines(b)[:n])


def replace_line(b, n, text):
    ls = lines(b)
    end = b"\r\n" if ls[n - 1].endswith(b"\r\n") else b"\n"
    ls[n - 1] = text + end
    return b"".join(ls)


def case_input(f, control, chosen=b""):
    out = bytes([control]) + SEP + f["dan"]
    for ext, bit in (("cis", CIS), ("cha", CHA), ("tem", TEM)):
        out += SEP + (f[ext] or b"")
        if f[ext] is None:
            control &= ~bit
    out += SEP + chosen
    return bytes([control]) + out[1:]


def present(f):
    c = 0
    for ext, bit in (("cis", CIS), ("cha", CHA), ("tem", TEM)):
        if f[ext] is not None:
            c |= bit
    return c


def passes_seeds():
    seeds = {}
    for name in ("merant3", "cytryna2", "solako4", "solako3w"):
        f = files(name)
        thermal = THERMAL if f["tem"] is not None else 0
        seeds[name] = case_input(f, thermal | present(f) | TRACE)
        seeds[name + "-recognised"] = case_input(f, RECOGNISE | present(f))

    m = files("merant3")
    base = present(m) | TRACE
    seeds["merant3-cis-cut-at-line"] = case_input(dict(m, cis=cut_lines(m["cis"], 60)), base)
    seeds["merant3-cis-cut-in-line"] = case_input(dict(m, cis=m["cis"][: len(cut_lines(m["cis"], 60)) + 7]), base)
    seeds["merant3-cis-nulls"] = case_input(dict(m, cis=replace_line(m["cis"], 12, b"  12.5,,")), base)
    seeds["merant3-cis-long-record"] = case_input(dict(m, cis=replace_line(m["cis"], 14, b" 1.0" * 600)), base)
    seeds["merant3-cis-chosen"] = case_input(dict(m, cis=None), base | FIRST_OK, chosen=m["cis"])
    seeds["merant3-cis-missing-cancelled"] = case_input(dict(m, cis=None), base)
    seeds["merant3-cha-pmax-zero"] = case_input(dict(m, cha=replace_line(m["cha"], 7, b" 0.5 210 1 2 3 0.0")), base)
    seeds["merant3-cha-repeats"] = case_input(dict(m, cha=replace_line(m["cha"], 7, b" 0.5, 210, 3*1.0, 7.5e6 / x")), base)
    seeds["merant3-dan-seventh-wedge"] = case_input(dict(m, dan=replace_line(m["dan"], 14, b" 0.1 0.2 0.3 0.4 0.5 7")), base)
    seeds["merant3-dan-bad-number"] = case_input(dict(m, dan=replace_line(m["dan"], 17, b" 5.0 1x5.0 125.0")), base)
    seeds["merant3-empty-files"] = case_input(dict(m, cis=b"", cha=b""), base)

    s = files("solako4")
    base = THERMAL | present(s) | TRACE
    seeds["solako4-tem-missing-cancelled"] = case_input(dict(s, tem=None), base)
    seeds["solako4-tem-missing-chosen"] = case_input(dict(s, tem=None), base | FIRST_OK, chosen=s["tem"])
    seeds["solako4-tem-header-only"] = case_input(dict(s, tem=cut_lines(s["tem"], 9)), base)
    seeds["solako4-tem-cut-in-lobe-1"] = case_input(dict(s, tem=cut_lines(s["tem"], 20)), base)
    seeds["solako4-tem-nulls"] = case_input(dict(s, tem=replace_line(s["tem"], 11, b" 10,,")), base)
    seeds["solako4-no-tem-recognised"] = case_input(dict(s, tem=None), RECOGNISE | present(s) & ~TEM)
    return seeds


def op(kind, items=""):
    mask = 0
    for i, k in enumerate(items):
        if k == "I":
            mask |= 1 << i
    return bytes([kind + 3 * len(items), mask])


def script(ops):
    return bytes([len(ops) - 1]) + b"".join(ops)


def reader_seeds():
    skip = lambda n: [op(0)] * n
    dan = script(skip(13) + [op(1, "RRRRRI")] + skip(2) + [op(1, "RRRRRRRR"), op(1, "RRRR")] + skip(2)
                 + [op(1, "RRRRRRRR")])
    cis = script(skip(9) + [op(2, "RR")] * 15)
    cha = script(skip(6) + [op(1, "RRRRRRRR")])
    tem = script(skip(9) + [op(2, "IRR")] * 15)
    seeds = {}
    for name in ("merant3", "solako4", "solako3w"):
        f = files(name)
        seeds[name + "-dan"] = dan + f["dan"]
        seeds[name + "-cis"] = cis + f["cis"]
        seeds[name + "-cha"] = cha + f["cha"]
        if f["tem"] is not None:
            seeds[name + "-tem"] = tem + f["tem"]
    values = script([op(1, "RIRIRRRR"), op(2, "RRRRRRRR"), op(1, "I"), op(0), op(2, "RR")])
    seeds["repeats-nulls-slash"] = values + b"3*1.5, 2*7 ,, 4*\n1e3 -2.5E-3 .5 5. +1 / 9 9\n\n12 0x1\r\n7,,\x1a"
    seeds["long-record"] = script([op(1, "RR"), op(2, "RR")]) + b" 1.0" * 2000 + b"\n2 3\n"
    return seeds


def write(folder, seeds):
    d = OUT / folder
    shutil.rmtree(d, ignore_errors=True)
    d.mkdir(parents=True)
    for name, data in sorted(seeds.items()):
        assert len(data) <= 64 * 1024, name
        (d / name).write_bytes(data)


write("passes", passes_seeds())
write("recordreader", reader_seeds())
