#!/usr/bin/python3
"""The Windows installer in fresh Wine prefixes, as a user meets it: installed silently over an
older copy, the program started from its Start-menu shortcut on an X display, driven with
xdotool and read back through its answer's "复制" and the clipboard; setup and uninstall refused
while it runs; uninstalled silently, leaving nothing. Then setup refused on Windows 7, and the
zip's program on English Windows (code page 1252).

    e2e_installer.py SETUP_EXE ARTEFACT_DIR

Exits 77 (skipped) with a message when the display stack cannot start."""
import os
import shutil
import subprocess
import sys
import time
import zipfile

WINE = "/usr/lib/wine/wine64"
KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrimo"
SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
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


def new_prefix(path, locale="zh_CN"):
    subprocess.run([os.path.join(SOURCE, "scripts", "wineprefix.sh"), path, locale], check=True)
    os.environ.update(WINEPREFIX=path, LOCPATH=os.path.join(path, "locale"),
                      LC_ALL=locale + ".UTF-8")
    own_prefix[:] = [path]
    return os.path.join(path, "drive_c")


def end_prefix():
    """Ends the prefix's programs and removes it. Its server must be gone first: a new prefix may
    get the removed folder's inode, by which Wine finds a prefix's server."""
    subprocess.run(["wineserver", "-k"])
    subprocess.run(["wineserver", "-w"])
    shutil.rmtree(own_prefix[0])


def wine(*args):
    status = run(WINE, *args).returncode
    subprocess.run(["wineserver", "-w"])
    return status


def entry():
    query = run(WINE, "reg", "query", KEY, "/reg:64")
    return query.stdout if query.returncode == 0 else None


def tree(folder):
    return sorted(os.path.relpath(os.path.join(d, f), folder)
                  for d, _, files in os.walk(folder) for f in files)


def older_setup(build, artefacts):
    """Version 0.9 of the installer: the program's qt.conf and a file the new version lacks. Its
    uninstaller, as those already out there, does not look for a running Quadrimo."""
    extra = os.path.join(artefacts, "dropped.txt")
    open(extra, "w").close()
    script = os.path.join(artefacts, "quadrimo-0.9.nsi")
    with open(os.path.join(SOURCE, "app", "quadrimo.nsi")) as new, open(script, "w") as old:
        old.write(new.read().replace("Call un.ClosedOrQuit", ""))
    shutil.copy(os.path.join(SOURCE, "app", "licenses.txt"), artefacts)
    lists = {"FILES": 'SetOutPath "$INSTDIR"\nFile "%s"\nFile "%s"\n' % (
        os.path.join(build, "Quadrimo", "qt.conf"), extra),
        "UNFILES": 'Delete "$INSTDIR\\qt.conf"\nDelete "$INSTDIR\\dropped.txt"\n', "UNDIRS": ""}
    defines = []
    for name, text in lists.items():
        with open(os.path.join(artefacts, name + ".nsh"), "w") as f:
            f.write(text)
        defines.append(f"-D{name}={f.name}")
    setup = os.path.join(artefacts, "Quadrimo-0.9-setup.exe")
    subprocess.run(["makensis", "-V1", "-INPUTCHARSET", "UTF8", "-DVERSION=0.9", "-DPUBLISHER=-",
                    "-DICON=" + os.path.join(SOURCE, "app", "icons", "quadrimo.ico"), *defines,
                    "-DOUTFILE=" + setup, script],
                   check=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
    return setup


def start_folder(lnk):
    """The working folder a shell link (.lnk) records, or None."""
    data = open(lnk, "rb").read()
    flags, at = int.from_bytes(data[20:24], "little"), 76
    if flags & 1:  # an item ID list
        at += 2 + int.from_bytes(data[at:at + 2], "little")
    if flags & 2:  # link info
        at += int.from_bytes(data[at:at + 4], "little")
    for bit in (0x4, 0x8, 0x10):  # name, relative path, working folder, in UTF-16
        if flags & bit:
            size = 2 * int.from_bytes(data[at:at + 2], "little")
            if bit == 0x10:  # Wine counts the closing NUL
                return data[at + 2:at + 2 + size].decode("utf-16-le").rstrip("\0")
            at += 2 + size
    return None


def answers(form):
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


def main():
    setup, artefacts = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    build, version = os.path.dirname(setup), os.path.basename(setup).split("-")[1]
    os.makedirs(artefacts, exist_ok=True)
    for tool in ("Xvfb", "xdotool", "xclip", "import", "wineserver", "makensis"):
        if not shutil.which(tool):
            stop(77, f"SKIP: {tool} is not installed")
    os.environ.update(WINEDEBUG="-all", WINEDLLOVERRIDES="winemenubuilder.exe=d")
    os.environ.pop("WINEPATH", None)
    drive = new_prefix(os.path.join(artefacts, "wineprefix"))
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

    # Over an older copy: while Quadrimo runs (the package's own, not installed) setup stops
    # before the old uninstaller runs; then that uninstaller removes what it installed, and one
    # entry is left.
    if wine(older_setup(build, artefacts), "/S") != 0 or "0.9" not in (entry() or ""):
        stop(1, "FAIL: version 0.9 did not install")
    processes.append(subprocess.Popen([WINE, os.path.join(build, "Quadrimo", "quadrimo.exe")]))
    wait_for("the package's main window", lambda: window("Form1"), 60)
    files = tree(installed)
    status = run(WINE, setup, "/S").returncode
    if status != 2 or tree(installed) != files:
        stop(1, f"FAIL: setup while Quadrimo runs went on (exit code {status})")
    subprocess.run(["wineserver", "-k"])
    if wine(setup, "/S") != 0:
        stop(1, "FAIL: the silent install over version 0.9 failed")
    if tree(installed) != sorted(tree(os.path.join(build, "Quadrimo")) + ["uninstall.exe"]):
        stop(1, f"FAIL: the installed folder is not the package's:\n{tree(installed)}")
    record = entry() or ""
    for value in ("DisplayName", "DisplayVersion    REG_SZ    " + version, "Publisher",
                  "DisplayIcon", "EstimatedSize", "UninstallString"):
        if value not in record:
            stop(1, f"FAIL: the Programs and Features entry lacks {value}:\n{record}")
    if not os.path.isfile(shortcut) or os.path.exists(desktop):
        stop(1, "FAIL: a silent install makes the Start-menu shortcut and no desktop one")
    if start_folder(shortcut) != r"C:\Program Files\Quadrimo":
        stop(1, f"FAIL: the shortcut starts in {start_folder(shortcut)}")

    # Started as the desktop menu starts a Windows program's shortcut.
    processes.append(subprocess.Popen([WINE, "start", "/unix", shortcut]))
    form = wait_for("the main window", lambda: window("Form1"), 60)
    answers(form)
    run("import", "-window", "root", os.path.join(artefacts, "installed.png"))
    xdo("mousemove", "--window", form, "40", "404", "click", "1")  # About
    about = wait_for("the About dialog", lambda: window("关于 Quadrimo"))
    xdo("key", "--window", about, "Escape")
    wait_for("the About dialog to close", lambda: not window("关于 Quadrimo"))

    # While it runs, the uninstaller (run in place, to see its exit code; two arguments, as Wine
    # would quote one with a blank) touches nothing.
    files = tree(installed)
    status = run(WINE, os.path.join(installed, "uninstall.exe"), "/S", r"_?=C:\Program",
                 r"Files\Quadrimo").returncode
    if status != 2 or tree(installed) != files or not entry():
        stop(1, f"FAIL: uninstall while Quadrimo runs went on (exit code {status})")
    subprocess.run(["wineserver", "-k"])

    # NSIS's uninstaller returns before it is done: wait for every process of the prefix.
    if wine(os.path.join(installed, "uninstall.exe"), "/S") != 0:
        stop(1, "FAIL: the silent uninstall failed")
    left = [p for p in (installed, shortcut, desktop) if os.path.exists(p)]
    if entry() is not None:
        left.append(KEY)
    if left:
        stop(1, f"FAIL: the uninstaller left {left}")
    end_prefix()  # kept only when a step failed

    drive = new_prefix(os.path.join(artefacts, "wineprefix-win7"))
    if wine("winecfg", "-v", "win7") != 0 or wine(setup, "/S") != 3:
        stop(1, "FAIL: setup on Windows 7 did not stop with exit code 3")
    if os.path.exists(os.path.join(drive, "Program Files", "Quadrimo")) or entry() is not None:
        stop(1, "FAIL: setup on Windows 7 wrote something")
    end_prefix()

    # The zip's program, unpacked anywhere, on English Windows.
    new_prefix(os.path.join(artefacts, "wineprefix-en"), "en_US")
    unpacked = os.path.join(artefacts, "zip")
    shutil.rmtree(unpacked, ignore_errors=True)
    zipfile.ZipFile(setup.replace("-setup.exe", "-win64.zip")).extractall(unpacked)
    processes.append(subprocess.Popen([WINE, os.path.join(unpacked, "Quadrimo", "quadrimo.exe")]))
    answers(wait_for("the zip's main window", lambda: window("Form1"), 60))
    run("import", "-window", "root", os.path.join(artefacts, "zip-english.png"))
    end_prefix()
    stop(0, "installer end-to-end: all steps passed")


if __name__ == "__main__":
    try:
        main()
    except Exception as error:
        stop(1, f"FAIL: {error!r}")
