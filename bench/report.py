#!/usr/bin/env python3
"""Runs every benchmark of a Release build once and prints one Markdown
table: each figure beside its floor and its target.

usage: report.py BUILD_DIR [STARTUP_RUNS]
Start-up runs on the offscreen platform, and under Xvfb when xvfb-run exists
(the script runs itself there with --startup-xcb).
"""
import json
import os
import shutil
import statistics
import subprocess
import sys
import time

BUILD = sys.argv[1]
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 15
BENCH = os.path.join(BUILD, "bench")
# Qt's offscreen screen is 800 x 800 unless told otherwise, too small for the
# window, which would then open smaller than its design size; the tests' own
# 1920 x 1080 screen keeps every program at the size it is measured at.
SCREEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "screens",
                      "large.json")
OFFSCREEN = dict(os.environ, QT_QPA_PLATFORM=f"offscreen:configfile={os.path.normpath(SCREEN)}")
rows = []


def progress(text):
    print(f">>> {text}", file=sys.stderr, flush=True)


def row(measure, program, floor, target, verdict=""):
    rows.append(f"| {measure} | {program} | {floor} | {target} | {verdict} |")


def ok(condition):
    return "met" if condition else "**missed**"


# ---------------------------------------------------------------- start-up
def start_once(name, env):
    start = time.monotonic_ns()
    proc = subprocess.Popen([os.path.join(BENCH, f"startup_{name}")], env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    out = proc.stdout.read().decode()
    _, status, usage = os.wait4(proc.pid, 0)
    painted = [int(l.split()[1]) for l in out.splitlines() if l.startswith("first-paint-ns")]
    if os.waitstatus_to_exitcode(status) != 0 or not painted:
        raise RuntimeError(f"startup_{name} failed")
    return (painted[0] - start) / 1e6, usage.ru_maxrss / 1024.0  # ms, MiB


def startup(platform, env):
    names = ["program", "formonly", "empty"]
    progress(f"Start-up, {platform}: {RUNS} runs of each of {len(names)} programs")
    samples = {n: [] for n in names}
    for n in names:
        start_once(n, env)  # warm the page cache, unmeasured
    for _ in range(RUNS):  # alternate, so that drift hits all three alike
        for n in names:
            samples[n].append(start_once(n, env))
    med = {n: (statistics.median(t for t, _ in samples[n]),
               statistics.median(m for _, m in samples[n])) for n in names}
    (pt, pm), (ft, fm), (et, em) = med["program"], med["formonly"], med["empty"]
    extra = round(pm - fm, 1) + 0.0  # + 0.0 turns a rounded -0.0 into 0.0
    row(f"Start-up to first paint, {platform} ({RUNS} runs, median)", f"{pt:.1f} ms",
        f"form only {ft:.1f} ms; empty window {et:.1f} ms", "1.15 x form only",
        f"{pt / ft:.2f} x: {ok(pt <= 1.15 * ft)}")
    row(f"Peak memory (max RSS), {platform}", f"{pm:.1f} MiB",
        f"form only {fm:.1f} MiB; empty window {em:.1f} MiB", "form only + 5 MB",
        f"{extra:+.1f} MiB: {ok((pm - fm) * 1.048576 <= 5)}")


if len(sys.argv) > 3 and sys.argv[3] == "--startup-xcb":
    # Run again by the main run under xvfb-run: start-up on the X platform only.
    startup("xcb", dict(os.environ, QT_QPA_PLATFORM="xcb"))
    print("\n".join(rows))
    sys.exit(0)

startup("offscreen", OFFSCREEN)
if shutil.which("xvfb-run"):
    out = subprocess.run(["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24", sys.executable,
                          __file__, BUILD, str(RUNS), "--startup-xcb"],
                         check=True, stdout=subprocess.PIPE, text=True).stdout
    rows += out.splitlines()


# ---------------------------------------------------------------- Google Benchmark
def gbench(binary):
    progress(binary)
    out = subprocess.run([os.path.join(BENCH, binary), "--benchmark_format=json"], env=OFFSCREEN,
                         check=True, capture_output=True, text=True).stdout
    return {b["name"]: b for b in json.loads(out)["benchmarks"]}


def us(b):
    factor = {"ns": 1e-3, "us": 1.0, "ms": 1e3}[b["time_unit"]]
    return b["real_time"] * factor


resize = gbench("bench_resize")
for scale in (1, 2):
    p = us(resize[f"ResizeFormPass/{scale}"])
    f = us(resize["MoveEveryControl"])
    row(f"ResizeForm pass, {scale} x design size", f"{p:.1f} us",
        f"moving the same controls: {f:.1f} us", "0.2 ms", ok(p < 200))
for scale in (1, 2):
    p = us(resize[f"ResizeAndRepaint/{scale}"]) / 1e3
    f = us(resize[f"ResizeFormOnlyAndRepaint/{scale}"]) / 1e3
    row(f"Resize event with repaint, {scale} x design size", f"{p:.2f} ms",
        f"the form alone, resized and repainted: {f:.2f} ms", "16 ms", ok(p < 16))

window = gbench("bench_window")
send = window["SendToFarEnd/manual_time"]
row("Send: click to last frame byte at the far end (83 bytes)", f"{us(send):.0f} us",
    f"the same frame on a 9600-baud line: {send['line_ms']:.1f} ms",
    "1 ms beyond the line time", ok(us(send) < 1000))
row("Read: waiting 39-byte record to fields updated",
    f"{us(window['ReadWaitingRecord/manual_time']):.0f} us", "", "", "")
flood = window["ReadAfterFlood/iterations:5/manual_time"]
row("Read after a record and 16 MiB more; heap grown by the flood",
    f"{us(flood) / 1e3:.1f} ms; {flood['heap_growth_MiB']:+.2f} MiB", "", "100 ms; 2 MB",
    ok(us(flood) < 100e3 and flood["heap_growth_MiB"] * 1.048576 < 2))

core = gbench("bench_core")
save, load = us(window["Save/manual_time"]), us(window["Load/manual_time"])
row("Save (notice excluded)", f"{save:.0f} us",
    f"atomic, synced write of the same bytes: {us(core['WriteSettingsFile']):.0f} us", "1 ms",
    ok(save < 1000))
row("Load (notice excluded)", f"{load:.0f} us", "", "1 ms", ok(load < 1000))
for name, b in core.items():
    if name != "WriteSettingsFile":
        row(f"core: {name}", f"{us(b):.2f} us", "", "", "")

print("| Measure | Program | Floor | Target | Verdict |")
print("|---|---|---|---|---|")
print("\n".join(rows))
