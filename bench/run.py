#!/usr/bin/python3
"""Measures controls-demo against the hand-written baseline, side by side in one run,
and prints one table. Usage: run.py BUILD_DIR [RUNS]"""

import json
import os
import signal
import statistics
import subprocess
import sys
import tempfile
import time

build = os.path.abspath(sys.argv[1])
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 20
PROGRAM = os.path.join(build, "controls-demo")
BASELINE = os.path.join(build, "bench", "controls-baseline")
FIRST_FRAME = os.path.join(build, "bench", "first_frame")
WINDOWS_BENCH = os.path.join(build, "bench", "windows_bench")

work = tempfile.mkdtemp(prefix="bench.")
runtime = os.path.join(work, "runtime")
os.mkdir(runtime, 0o700)
base_env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "HOME": work,
            "XDG_RUNTIME_DIR": runtime, "LANG": "C.UTF-8"}
started = []


def spawn(command, env, **kwargs):
    process = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True, **kwargs)
    started.append(process)
    return process


def stop(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def x_server(window_manager):
    read_end, write_end = os.pipe()
    server = spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                    "-nolisten", "tcp", "-noreset"], base_env, pass_fds=(write_end,))
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        env = dict(base_env, DISPLAY=":" + pipe.readline().strip())
    processes = [server]
    if window_manager:
        processes.append(spawn(["openbox", "--sm-disable"], env))
        for _ in range(100):
            if "window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                                             capture_output=True, text=True).stdout:
                break
            time.sleep(0.1)
    return env, processes


def start_up(window_manager):
    """Alternating runs: time to the first painted frame (ms) and peak memory (KiB)."""
    env, processes = x_server(window_manager)
    figures = {PROGRAM: ([], []), BASELINE: ([], [])}
    try:
        for _ in range(runs):
            for program in (PROGRAM, BASELINE):
                out = subprocess.run([FIRST_FRAME, program], env=env, capture_output=True, text=True,
                                     check=True, timeout=60).stdout.split()
                figures[program][0].append(float(out[0]))
                figures[program][1].append(int(out[1]))
    finally:
        for process in reversed(processes):
            stop(process)
    return figures


def spread(values):
    quartiles = statistics.quantiles(values, n=4)
    return statistics.median(values), quartiles[0], quartiles[2]


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def instructions(program):
    """Instructions from exec until the program is idle, under callgrind, offscreen."""
    out = os.path.join(work, f"callgrind.{os.path.basename(program)}")
    env = dict(base_env, QT_QPA_PLATFORM="offscreen")
    process = spawn(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", program], env)
    last, still = -1, 0
    while still < 3:
        time.sleep(0.5)
        ticks = cpu_ticks(process.pid)
        still = still + 1 if ticks == last else 0
        last = ticks
    stop(process)
    with open(out) as dump:
        for line in dump:
            if line.startswith(("summary:", "totals:")):
                return int(line.split()[1])
    raise RuntimeError("callgrind wrote no total")


def context_switches(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/status") as status:
            for line in status:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    total += int(line.split()[1])
    return total


def idle_wakeups(program):
    """Context switches of all the program's threads in 10 s with only Form1 shown."""
    env, processes = x_server(window_manager=False)
    try:
        process = spawn([program], env)
        time.sleep(2)
        before = context_switches(process.pid)
        time.sleep(10)
        after = context_switches(process.pid)
        stop(process)
    finally:
        for p in reversed(processes):
            stop(p)
    return after - before


def in_process():
    env, processes = x_server(window_manager=False)
    try:
        out = subprocess.run([WINDOWS_BENCH, "--benchmark_format=json"], env=env, capture_output=True,
                             text=True, check=True, timeout=600).stdout
    finally:
        for process in reversed(processes):
            stop(process)
    results = {}
    for entry in json.loads(out)["benchmarks"]:
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0}[entry["time_unit"]]
        results[entry["name"].split("/iterations")[0]] = entry["real_time"] * scale  # milliseconds
    return results


def main():
    rows = []

    def row(figure, program, baseline, target, unit, digits=2):
        ratio = f"{program / baseline:.3f}" if baseline else ""
        base = f"{baseline:.{digits}f} {unit}" if baseline is not None else "-"
        rows.append((figure, f"{program:.{digits}f} {unit}", base, ratio, target))

    for window_manager, label in ((False, "Xvfb"), (True, "Xvfb + openbox")):
        figures = start_up(window_manager)
        program, baseline = spread(figures[PROGRAM][0]), spread(figures[BASELINE][0])
        row(f"start-up to first frame, {label}, median of {runs}", program[0], baseline[0],
            "<= 1.02 x", "ms")
        rows.append((f"  quartiles", f"{program[1]:.1f}-{program[2]:.1f} ms",
                     f"{baseline[1]:.1f}-{baseline[2]:.1f} ms", "", ""))
        memory = (max(figures[PROGRAM][1]) / 1024, max(figures[BASELINE][1]) / 1024)
        row(f"peak resident memory, {label}", memory[0], memory[1], "<= baseline + 1 MiB", "MiB")

    program_ir, baseline_ir = instructions(PROGRAM), instructions(BASELINE)
    row("instructions, exec until idle (callgrind)", program_ir / 1e6, baseline_ir / 1e6, "<= 1.02 x",
        "M", digits=3)

    bench = in_process()
    for index, name in enumerate(["foo", "check", "quest"]):
        row(f"build {name} from its description", bench[f"buildProgramWindow/{index}"],
            bench[f"buildBaselineWindow/{index}"], "", "ms", digits=4)
    row("first show of foo, command to painted frame", bench["firstShowProgram"],
        bench["firstShowBaseline"], "<= 2.5 ms", "ms", digits=3)
    row("show of foo again after hide", bench["reshowProgram"], bench["reshowBaseline"],
        "<= 0.4 ms", "ms", digits=3)
    row("ensure-instance step", bench["ensureInstance"] * 1e6, None, "", "ns", digits=2)

    wakeups = (idle_wakeups(PROGRAM), idle_wakeups(BASELINE))
    row("wake-ups in 10 s idle, only Form1 shown", wakeups[0], wakeups[1], "0", "", digits=0)

    widths = [max(len(str(r[i])) for r in rows + [("figure", "program", "baseline", "ratio", "target")])
              for i in range(5)]
    header = ("figure", "program", "baseline", "ratio", "target")
    for line in [header, tuple("-" * w for w in widths)] + rows:
        print("  ".join(str(cell).ljust(width) for cell, width in zip(line, widths)).rstrip())


try:
    main()
finally:
    for process in reversed(started):
        if process.poll() is None:
            stop(process)
    subprocess.run(["rm", "-rf", work])
