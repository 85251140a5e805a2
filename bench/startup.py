#!/usr/bin/python3
"""Time from exec to the first settled paint, and peak memory, of Quadrimo beside a bare Qt
window, interleaved under Xvfb; prints medians and ratios.

    startup.py BUILD_DIR [ROUNDS]
"""
import os
import statistics
import subprocess
import sys
import time


def main():
    build = sys.argv[1]
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 15
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
    samples = {name: ([], []) for name in programs}
    try:
        for name, exe in programs.items():  # warm the caches once
            subprocess.run([exe], env=env, capture_output=True, timeout=30)
        for _ in range(rounds):
            for name, exe in programs.items():
                start = time.monotonic_ns()
                out = subprocess.run([exe], env=env, capture_output=True, text=True,
                                     timeout=30).stdout
                words = out.split()
                if len(words) < 3 or words[0] != "painted":
                    sys.exit(f"{name} did not report its first paint")
                samples[name][0].append((int(words[2]) - start) / 1e6)
                samples[name][1].append(int(words[1]) / 1024)
    finally:
        xvfb.terminate()

    print(f"{'program':<16} {'first paint (ms)':>17} {'peak memory (MiB)':>18}   ({rounds} rounds)")
    medians = {}
    for name, (times, peaks) in samples.items():
        medians[name] = (statistics.median(times), statistics.median(peaks))
        print(f"{name:<16} {medians[name][0]:>17.1f} {medians[name][1]:>18.1f}")
    bare, ours = medians["floor"], medians["Quadrimo"]
    print(f"{'ratio':<16} {ours[0] / bare[0]:>17.2f} {ours[1] / bare[1]:>18.2f}   "
          "(targets: 1.15 and 1.20)")


if __name__ == "__main__":
    main()
