#!/usr/bin/python3
"""The Windows installer in a fresh Wine prefix, as a user meets it: installed silently, the
program started from its Start-menu shortcut on an X display, driven with xdotool and read back
through its answer's "复制" and the clipboard, then uninstalled silently, leaving nothing.

    e2e_installer.py SETUP_EXE ARTEFACT_DIR

Exits 77 (skipped) with a message when the display stack cannot start."""
import os
import shutil
import subprocess
import sys
import time

WINE = "/usr/lib/wine/wine64"
KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrimo"
processes = []
own_prefix = []  # set once the test's prefix exists: only its programs are ever stopped


def stop(status, why):
    print(why, flush=True)
    if own_prefix:
        subprocess.run(["wineserver", "-k"], stderr=subprocess.DEVNULL)
    for p in reversed(processes):
        p.terminate()
        p.wait()
    sys.exit(status)


def wait_for(what, probe, timeout=30.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if value := probe():
            return value
        time.sleep(0.2)
    stop(1, f"FAIL: timed out waiting for {what}")


def run(*args, **kw):
    return subprocess.run(args, capture_output=True, text=True, errors="replace", **kw)


def xdo(*args):
    result = run("xdotool", *args)
    time.sleep(0.3)
    return result.stdout.strip()


def window(name):
    return xdo("search", "--onlyvisible", "--name", f"^{name}$").split("\n")[0]


def main():
    setup, artefacts = os.path.abspath(sys.argv[1]), sys.argv[2]
    os.makedirs(artefacts, exist_ok=True)
    for tool in ("Xvfb", "xdotool", "xclip", "import", "wineserver"):
        if not shutil.which(tool):
            stop(77, f"SKIP: {tool} is not installed")
    prefix = os.path.join(artefacts, "wineprefix")
    subprocess.run([os.path.join(os.path.dirname(__file__), "..", "..", "scripts", "wineprefix.sh"),
                    prefix], check=True)
    os.environ.update(WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="winemenubuilder.exe=d",
                      LOCPATH=os.path.join(prefix, "locale"), LC_ALL="zh_CN.UTF-8")
    os.environ.pop("WINEPATH", None)
    own_prefix.append(prefix)
    drive = os.path.join(prefix, "drive_c")
    installed = os.path.join(drive, "Program Files", "Quadrimo")
    shortcut = os.path.join(drive, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                            "Quadrimo.lnk")
    desktop = os.path.join(drive, "users", "Public", "Desktop", "Quadrimo.lnk")

    read_fd, write_fd = os.pipe()
    processes.append(subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=(write_fd,), stderr=subprocess.DEVNULL))
    os.close(write_fd)
    display = os.fdopen(read_fd).readline().strip()
    if not display:
        stop(77, "SKIP: Xvfb did not start")
    os.environ["DISPLAY"] = ":" + display

    if run(WINE, setup, "/S").returncode != 0:
        stop(1, "FAIL: the silent install failed")
    subprocess.run(["wineserver", "-w"])
    entry = run(WINE, "reg", "query", KEY, "/reg:64").stdout
    for value in ("DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "EstimatedSize",
                  "UninstallString"):
        if value not in entry:
            stop(1, f"FAIL: the Programs and Features entry lacks {value}:\n{entry}")
    if not os.path.isfile(shortcut) or os.path.exists(desktop):
        stop(1, "FAIL: a silent install makes the Start-menu shortcut and no desktop one")

    # Started as the desktop menu starts a Windows program's shortcut.
    processes.append(subprocess.Popen([WINE, "start", "/unix", shortcut]))
    form = wait_for("the main window", lambda: window("Form1"), 60)
    xdo("mousemove", "--window", form, "44", "60", "click", "1")  # Text1
    xdo("type", "--delay", "50", "1")
    for key_or_text in ("Tab", "-3", "Tab", "2", "Tab", "Return"):
        if key_or_text[0].isupper():
            xdo("key", key_or_text)
        else:
            xdo("type", "--delay", "50", "--", key_or_text)

    def copied():
        xdo("mousemove", "--window", form, "120", "124", "click", "3")  # Label4's menu
        xdo("key", "Down", "Return")  # "复制"
        text = run("xclip", "-o", "-selection", "clipboard").stdout
        return text if text == "X1= 1    X2= 2" else None

    wait_for("the answer copied from its caption", copied, 20)
    run("import", "-window", "root", os.path.join(artefacts, "installed.png"))

    xdo("mousemove", "--window", form, "40", "404", "click", "1")  # About
    about = wait_for("the About dialog", lambda: window("关于 Quadrimo"))
    xdo("key", "--window", about, "Escape")
    wait_for("the About dialog to close", lambda: not window("关于 Quadrimo"))
    subprocess.run(["wineserver", "-k"])

    # NSIS's uninstaller returns before it is done: wait for every process of the prefix.
    if run(WINE, os.path.join(installed, "uninstall.exe"), "/S").returncode != 0:
        stop(1, "FAIL: the silent uninstall failed")
    subprocess.run(["wineserver", "-w"])
    left = [p for p in (installed, shortcut, desktop) if os.path.exists(p)]
    if run(WINE, "reg", "query", KEY, "/reg:64").returncode == 0:
        left.append(KEY)
    if left:
        stop(1, f"FAIL: the uninstaller left {left}")
    subprocess.run(["wineserver", "-k"])
    shutil.rmtree(prefix)  # kept only when a step failed
    stop(0, "installer end-to-end: all steps passed")


if __name__ == "__main__":
    try:
        main()
    except Exception as error:
        stop(1, f"FAIL: {error!r}")
