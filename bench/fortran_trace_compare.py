#!/usr/bin/python3
"""The trace against the Fortran reads with their trace: both reads of the
pressure file of a 6 x 100,000 stress case by list-directed Fortran
(bench/fortran_passes.f90, gfortran -O2), each line traced as the viewer
traces it, against bench_passes' BM_Passes/variant:2/trace:1 over the same
case (which also reads the data file twice and the characteristics file).
Prints the median CPU times in ms and their ratio as JSON.
usage: bench/fortran_trace_compare.py [BIN_DIR]   (BIN_DIR: a Release build's
bin/ with lobus-examples and bench_passes; needs gfortran)"""
import glob, json, os, re, statistics, subprocess, sys, tempfile

here = os.path.dirname(os.path.abspath(__file__))
bindir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build", "bin")


def cpu_ms(cmd, cwd):
    pid = os.fork()
    if pid == 0:
        os.chdir(cwd)
        fd = os.open(os.devnull, os.O_WRONLY)
        os.dup2(fd, 1)
        os.execv(cmd[0], cmd)
    _, status, usage = os.wait4(pid, 0)
    if status != 0:
        sys.exit("%s failed" % cmd[0])
    return (usage.ru_utime + usage.ru_stime) * 1000.0


with tempfile.TemporaryDirectory() as work:
    program = os.path.join(work, "fortran_passes")
    subprocess.run(["gfortran", "-O2", "-o", program, os.path.join(here, "fortran_passes.f90")], check=True)
    subprocess.run([os.path.join(bindir, "lobus-examples"), "--stress", "6x100000", os.path.join(work, "P")],
                   check=True, stdout=subprocess.DEVNULL)
    cis = glob.glob(os.path.join(work, "P", "WYN", "*.cis"))[0]
    with open(cis, encoding="utf-8") as f:
        ends = re.findall(r"końca = ([-0-9.]+)", f.read())
    fortran = statistics.median(cpu_ms([program, cis, str(len(ends))] + ends, work) for _ in range(3))
    out = subprocess.run([os.path.join(bindir, "bench_passes"), "--benchmark_filter=BM_Passes/variant:2/trace:1$",
                          "--benchmark_repetitions=3", "--benchmark_format=json"],
                         check=True, capture_output=True, text=True).stdout
    runs = json.loads(out[out.index("{"):])["benchmarks"]
    lobus = statistics.median(b["cpu_time"] for b in runs if b.get("run_type") == "iteration")
    print(json.dumps({"fortran_trace_ms": round(fortran, 1), "lobus_trace_ms": round(lobus, 1),
                      "ratio": round(fortran / lobus, 1)}))
