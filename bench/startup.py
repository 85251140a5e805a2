#!/usr/bin/python3
"""Quadrimo's start-up beside its floor, a bare Qt window with one label in each AR PL face
(fallback off), under one Xvfb: the time from exec to the first settled paint and the peak
memory, interleaved round by round, then the instructions each executes to that paint
(callgrind, counted once, since they repeat). Prints medians and ratios.

    startup.py BUILD_DIR [ROUNDS]

With --wine, the Windows programs in FOLDER (beside the DLLs they load) under Wine in PREFIX:
the time from the process's creation to its first settled paint, measured inside each process,
and the peak working set; Wine's own start before the process exists is left out.

    startup.py --wine FOLDER PREFIX [ROUNDS]
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
    """Milliseconds from exec (or from the process's creation, under Wine) to the end of the
    first paint, and peak memory in MiB."""
    start = time.monotonic_ns()
    wine = exe.endswith(".exe")
    words = subprocess.run(["/usr/lib/wine/wine64", exe] if wine else [exe], env=env,
                           capture_output=True, text=True, timeout=60).stdout.split()
    if len(words) < 3 or words[0] != "painted":
        sys.exit(f"{exe} did not report its first paint")
    return (int(words[2]) - (0 if wine else start)) / 1e6, int(words[1]) / 1024


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
    wine = sys.argv[1] == "--wine"
    args = sys.argv[2:] if wine else sys.argv[1:]
    rounds = int(args[-1]) if len(args) > (2 if wine else 1) else 21
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=(write_fd,),
                            stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        display = ":" + f.readline().strip()
    if wine:
        env = dict(os.environ, DISPLAY=display, WINEPREFIX=args[1], WINEDEBUG="-all",
                   WINEDLLOVERRIDES="winemenubuilder.exe=d",
                   LOCPATH=os.path.join(args[1], "locale"), LC_ALL="zh_CN.UTF-8")
        place = os.path.join(args[0], "{}.exe")
    else:
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        place = os.path.join(args[0], "bench", "{}")
    programs = {"floor": place.format("startup_floor"),
                "Quadrimo": place.format("startup_quadrimo")}
    samples = {name: [] for name in programs}
    counts = {}
    try:
        for exe in programs.values():  # warm the caches once
            first_paint(exe, env)
        for _ in range(rounds):
            for name, exe in programs.items():
                samples[name].append(first_paint(exe, env))
        for name, exe in programs.items():
            counts[name] = 0 if wine else instructions(exe, env)
    finally:
        xvfb.terminate()

    columns = 2 if wine else 3
    print(f"{'program':<10} {'first paint (ms)':>17} {'peak memory (MiB)':>18} "
          + ("" if wine else f"{'instructions (M)':>17}") + f"   ({rounds} rounds)")
    medians = {}
    for name, runs in samples.items():
        medians[name] = [statistics.median(column) for column in zip(*runs)] + [counts[name] / 1e6]
        print(f"{name:<10}" + "".join(f" {v:>{w}.1f}" for v, w in
                                      zip(medians[name][:columns], (17, 18, 17))))
    floor, ours = medians["floor"], medians["Quadrimo"]
    print(f"{'ratio':<10}" + "".join(f" {o / f:>{w}.2f}" for o, f, w in
                                     zip(ours[:columns], floor, (17, 18, 17)))
          + ("   (target: 1.2)" if wine else "   (targets: 1.15 and 1.20)"))

if __name__ == "__main__":
    main()
