#!/usr/bin/env python3
"""Whole-process benchmark of localinterp beside python3 and lua5.4.

Every workload in bench/workloads/ exists three times: NAME.prg (run in localinterp
through the console: `DO NAME.prg`), NAME.py (python3 -S) and NAME.lua (lua5.4). The
runs are interleaved (one of each, N times), every output is checked, and the median
wall time of each is printed with the ratios. A peer that is not installed is skipped.

    python3 bench/run_bench.py [--runs N] [--only a,b] [--binary PATH] [--baseline PATH] [--timeout S]

Without --binary the release build (build/localinterp) is configured and built first.
--baseline PATH runs another localinterp build as one more peer, interleaved with the
others, for a before/after comparison on the same machine at the same time.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORKLOADS = os.path.join(ROOT, "bench", "workloads")


def lines(*values):
    return [str(v) for v in values]


def rounds_to(expected, places):
    """Check for a single printed number that rounds to the published value."""
    def check(output_lines):
        for line in output_lines:
            try:
                value = float(line)
            except ValueError:
                continue
            if round(value, places) == expected:
                return None
        return "no line rounds to %r" % expected
    return check


# name -> (description, expected result lines in order, extra check of localinterp's output)
CASES = {
    "for_sum": ("FOR loop summing 1..1,000,000", lines(500000500000), None),
    "while_if": ("WHILE with IF, 200,000 passes", lines(50000, 300000), None),
    "append_20000": ("20,000 string appends s = s + 'x'", lines(20000), None),
    "append_1000000": ("1,000,000 string appends", lines(1000000), None),
    "user_calls": ("500,000 user-function calls", lines(500000), None),
    "builtin_calls": ("built-in calls, 100,000 passes", lines(6964763895), None),
    "print_lines": ("50,000 printed lines", lines(*range(1, 50001)), None),
    "sort_3000": ("value table of 3,000 lines sorted", lines(0, 87, 999, 2958),
                  "Всего обменов: 2210875 "),
    "fill_100000": ("value table of 100,000 lines filled only", lines(5894, 1, 31148, 100000), None),
    "sort_100000": ("value table of 100,000 lines sorted", lines(0, 59989, 99998, 73394),
                    "Всего обменов: 2503424787 "),
    "fib": ("recursive fib(25)", lines(75025), None),
    "sieve": ("sieve below 100,000", lines(9592), None),
    "matrix_norm": ("matrix norm by power iteration, N=100", rounds_to(1.274219991, 9), None),
    "fannkuch": ("fannkuch-redux 7", lines(228, 16), None),
    "text_scan": ("14,726-char text scanned by RIGHT, STRLEN, TRIMALL", lines(14726, 2501, 2871, 3464),
                  None),
    "queens": ("n-queens 10, recursion over a value table", lines(724), None),
    "quicksort": ("quicksort of 80,000 numbers in a value table", lines(0, 1, 99999, 213643134820101), None),
    "collatz_cache": ("Collatz lengths of 1..20,000 cached in a value table",
                      lines(43348, 43347, 1854634, 17647, 279), None),
    "lcs_table": ("longest common subsequence of 400 x 400 by a dynamic program over a value table",
                  lines(254, 16655686), None),
    "life_grid": ("game of life on a 48 x 48 grid of value tables, 40 generations", lines(321, 748176), None),
    "tree_table": ("binary search tree of 20,000 keys kept in a value table of nodes",
                   lines(18158, 34, 18158, 11015208019417), None),
    "tokenizer": ("tokenizer reading a 2,293-char text character by character",
                  lines(2293, 348, 230, 131, 14, 22963834181), None),
}


def check_output(expected, output_lines):
    if callable(expected):
        return expected(output_lines)
    wanted = iter(expected)
    current = next(wanted, None)
    for line in output_lines:
        if current is not None and line == current:
            current = next(wanted, None)
    return None if current is None else "missing output line %r" % current


def console_lines(text):
    """localinterp's output with the prompts and start-up trace taken off each line."""
    prompt = "localInterpretatorUTF8::console # "
    result = []
    for line in text.split("\n"):
        while line.startswith(prompt):
            line = line[len(prompt):]
        result.append(line)
    return result


class Runner:
    def __init__(self, name, argv, suffix):
        self.name, self.argv, self.suffix = name, argv, suffix

    def run(self, case, workdir, timeout):
        source = os.path.join(WORKLOADS, case + self.suffix)
        start = time.perf_counter()
        done = subprocess.run(self.argv + [source], cwd=workdir, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
        elapsed = time.perf_counter() - start
        if done.returncode != 0:
            return elapsed, None, "exit status %d: %s" % (done.returncode, done.stderr[-300:])
        text = done.stdout.decode("utf-8", "replace")
        return elapsed, text.split("\n"), None


class Localinterp(Runner):
    def __init__(self, binary, name="localinterp"):
        super().__init__(name, [binary], ".prg")
        self.binary = binary

    def run(self, case, workdir, timeout):
        # Programs are read from the working directory; the console takes DO from stdin.
        shutil.copy(os.path.join(WORKLOADS, case + ".prg"), os.path.join(workdir, case + ".prg"))
        script = ("DO %s.prg\nQUIT\n" % case).encode("cp866")
        start = time.perf_counter()
        done = subprocess.run([self.binary], cwd=workdir, input=script, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=timeout)
        elapsed = time.perf_counter() - start
        if done.returncode != 0:
            return elapsed, None, "exit status %d" % done.returncode
        text = done.stdout.decode("cp866", "replace")
        return elapsed, console_lines(text), None


def build_release():
    env = dict(os.environ)
    if shutil.which("ccache"):
        env.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
        env.setdefault("CCACHE_BASEDIR", os.path.dirname(ROOT))
    jobs = env.get("JOBS", "2")
    subprocess.run(["cmake", "--preset", "default"], cwd=ROOT, env=env, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "default", "-j", jobs, "--target", "localinterp"],
                   cwd=ROOT, env=env, check=True, stdout=subprocess.DEVNULL)
    return os.path.join(ROOT, "build", "localinterp")


def fmt_time(value):
    if value is None:
        return "-"
    if isinstance(value, str):
        return value
    return "%.3f" % value


def ratio(ours, peer):
    if not isinstance(ours, float) or not isinstance(peer, float) or peer <= 0:
        return "-"
    return "%.2fx" % (ours / peer)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=int(os.environ.get("BENCH_RUNS", "5")))
    parser.add_argument("--only", default=os.environ.get("BENCH_ONLY", ""),
                        help="comma-separated workload names")
    parser.add_argument("--binary", help="use this localinterp instead of building build/localinterp")
    parser.add_argument("--baseline", help="another localinterp build to run beside, as a peer")
    parser.add_argument("--timeout", type=float, default=float(os.environ.get("BENCH_TIMEOUT", "120")),
                        help="seconds one run may take; a slower one is reported as >S")
    args = parser.parse_args()

    binary = os.path.abspath(args.binary) if args.binary else build_release()
    runners = [Localinterp(binary)]
    if args.baseline:
        runners.append(Localinterp(os.path.abspath(args.baseline), "baseline"))
    # The interpreter running this script, not a version manager's shim found on PATH,
    # whose start-up would be timed with every run.
    if sys.executable:
        runners.append(Runner("python3", [sys.executable, "-S"], ".py"))
    if shutil.which("lua5.4"):
        runners.append(Runner("lua5.4", ["lua5.4"], ".lua"))
    cases = [c for c in CASES if not args.only or c in args.only.split(",")]
    print("binary: %s, runs: %d, peers: %s" % (binary, args.runs, ", ".join(r.name for r in runners[1:]) or "none"))

    failures = 0
    medians = {}
    header = "| workload | " + " | ".join(r.name + " s" for r in runners) + " | " + \
        " | ".join("ours / " + r.name for r in runners[1:]) + " |"
    print(header)
    print("|" + "---|" * (1 + 2 * len(runners) - 1))
    with tempfile.TemporaryDirectory(prefix="localinterp-bench-") as workdir:
        for case in cases:
            description, expected, trace = CASES[case]
            times = {r.name: [] for r in runners}
            given_up = {}
            for _ in range(args.runs):
                for runner in runners:
                    if runner.name in given_up:
                        continue
                    try:
                        elapsed, output, error = runner.run(case, workdir, args.timeout)
                    except subprocess.TimeoutExpired:
                        given_up[runner.name] = ">%gs" % args.timeout
                        continue
                    if error is None:
                        error = check_output(expected, output)
                    if error is None and trace and isinstance(runner, Localinterp):
                        if not any(trace in line for line in output):
                            error = "missing trace %r" % trace
                    if error is not None:
                        print("  %s: %s: wrong output: %s" % (case, runner.name, error), file=sys.stderr)
                        given_up[runner.name] = "wrong"
                        failures += 1
                        continue
                    times[runner.name].append(elapsed)
            row = {}
            for runner in runners:
                row[runner.name] = given_up.get(runner.name) or (statistics.median(times[runner.name])
                                                                 if times[runner.name] else None)
            medians[case] = row
            ours = row[runners[0].name]
            cells = [fmt_time(row[r.name]) for r in runners] + [ratio(ours, row[r.name]) for r in runners[1:]]
            print("| %s | %s |" % (description, " | ".join(cells)), flush=True)

    fill, full = medians.get("fill_100000"), medians.get("sort_100000")
    if fill and full and isinstance(fill["localinterp"], float) and isinstance(full["localinterp"], float):
        print("SORT of 100,000 lines alone (sorted minus filled): %.3f s" % (full["localinterp"] - fill["localinterp"]))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
