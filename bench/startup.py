#!/usr/bin/python3
"""Quadrimo's start-up beside its floor, a bare Qt window with one label in each AR PL face
(fallback off), under one Xvfb: the time from exec to the first settled paint and the peak
memory, interleaved round by round, then the instructions each executes to that paint
(callgrind, counted once, since they repeat). Prints medians and ratios.

    startup.py BUILD_DIR [ROUNDS]
"""
import glob
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time


def first_paint(exe, env):
    """Milliseconds from exec to the end of the first paint, and peak memory in MiB."""
    start = time.monotonic_ns()
    words = subprocess.run([exe], env=env, capture_output=True, text=True, timeout=30).stdout.split()
    if len(words) < 3 or words[0] != "painted":
        sys.exit(f"{exe} did not report its first paint")
    return (int(words[2]) - start) / 1e6, int(words[1]) / 1024


def instructions(exe, env):
    """Instructions of the program's own process; a child forked on the way is left out."""
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}/%p", exe],
                       env=env, capture_output=True, timeout=300, check=True)
        counts = {}
        for path in glob.glob(f"{out}/*"):
            with open(path) as f:
                counts[int(os.path.basename(path))] = int(re.search(r"^summary: (\d+)", f.read(),
                                                                    re.M).group(1))
        return counts[min(counts)]


def main():
    build = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=(write_fd,),
                            stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        display = ":" + f.readline().strip()
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
    programs = {"floor": os.path.join(build, "bench", "startup_floor"),
                "Quadrimo": os.path.join(build, "bench", "startup_quadrimo")}
    samples = {name: [] for name in programs}
    counts = {}
    try:
        for exe in programs.values():  # warm the caches once
            first_paint(exe, env)
        for _ in range(rounds):
            for name, exe in programs.items():
                samples[name].append(first_paint(exe, env))
        for name, exe in programs.items():
            counts[name] = instructions(exe, env)
    finally:
        xvfb.terminate()

    print(f"{'program':<10} {'first paint (ms)':>17} {'peak memory (MiB)':>18} "
          f"{'instructions (M)':>17}   ({rounds} rounds)")
    medians = {}
    for name, runs in samples.items():
        medians[name] = [statistics.median(column) for column in zip(*runs)] + [counts[name] / 1e6]
        print(f"{name:<10} {medians[name][0]:>17.1f} {medians[name][1]:>18.1f} "
              f"{medians[name][2]:>17.1f}")
    floor, ours = medians["floor"], medians["Quadrimo"]
    print(f"{'ratio':<10} {ours[0] / floor[0]:>17.2f} {ours[1] / floor[1]:>18.2f} "
          f"{ours[2] / floor[2]:>17.2f}   (targets: 1.15 and 1.20)")


if __name__ == "__main__":
    main()
