#!/usr/bin/python3
"""The built program on a real X display, driven by xdotool and read through the accessibility
bus (AT-SPI) as a screen reader reads it: e2e.py EXECUTABLE ARTEFACT_DIR. Exits 77 (skipped)
with a message when the display stack cannot start. The X server's log stays in ARTEFACT_DIR
and is shown when the server ends or refuses a client."""
import os
import shutil
import subprocess
import sys
import time

processes = []
server_log = []  # the X server's log file, once it runs


def stop(status, why):
    print(why, flush=True)
    if status == 1 and server_log:
        with open(server_log[0], errors="replace") as log:
            print(f"The X server's log ({server_log[0]}):\n{log.read()}", flush=True)
    for p in reversed(processes):
        p.terminate()  # the bus launcher ends the bus it started
        try:
            p.wait(timeout=5)
        except subprocess.TimeoutExpired:
            p.kill()
    sys.exit(status)


def wait_for(what, probe, timeout=10.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if processes[0].poll() is not None:
            stop(1, f"FAIL: the X server ended (status {processes[0].returncode}) "
                    f"while waiting for {what}")
        if value := probe():
            return value
        time.sleep(0.05)
    stop(1, f"FAIL: timed out waiting for {what}")


def start(*args, **kw):
    processes.append(subprocess.Popen(args, **kw))
    return processes[-1]


def xdo(*args):
    subprocess.run(["xdotool", *args], check=True)
    time.sleep(0.1)


def main():
    exe, artefacts = sys.argv[1:3]
    os.makedirs(artefacts, exist_ok=True)
    launcher = "/usr/libexec/at-spi-bus-launcher"
    for tool in ("Xvfb", "dbus-daemon", "xdotool", "import", launcher):
        if not shutil.which(tool):
            stop(77, f"SKIP: {tool} is not installed")
    # Reached through its abstract socket alone: no file in /tmp/.X11-unix that another server
    # looking for a free display could take over or remove. It neither resets nor ends when its
    # last client leaves, and logs every client it lets in or refuses.
    read_fd, write_fd = os.pipe()
    server_log.append(os.path.join(artefacts, "Xvfb.log"))
    start("Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
          "-nolisten", "unix", "-noreset", "-audit", "4", pass_fds=(write_fd,),
          stderr=open(server_log[0], "w"))
    os.close(write_fd)
    display = os.fdopen(read_fd).readline().strip()
    if not display:
        stop(1, "FAIL: the X server did not start")
    os.environ["DISPLAY"] = ":" + display
    bus = start("dbus-daemon", "--session", "--nofork", "--print-address",
                stdout=subprocess.PIPE, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    os.environ.pop("XDG_RUNTIME_DIR", None)
    start(launcher, "--launch-immediately", stderr=subprocess.DEVNULL)
    # The program looks for the accessibility bus once, at start: it must be there first.
    wait_for("the accessibility bus", lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], capture_output=True).returncode == 0, 20)
    app = start(exe, env=dict(os.environ, QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1",
                              QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))

    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, GLib

    def children(node):
        return [c for c in map(node.get_child_at_index, range(node.get_child_count())) if c]

    def program():
        if app.poll() is not None:
            stop(1, f"FAIL: the program ended with status {app.returncode}")
        return next((a for a in children(Atspi.get_desktop(0)) if a.get_name() == "Quadrimo"), None)

    def find(node, **wanted):  # the first showing node with the wanted name or description
        node.clear_cache()
        return next((n for n in descendants(node) if all(
            getattr(n, "get_" + k)() == v for k, v in wanted.items()) and
            n.get_state_set().contains(Atspi.StateType.SHOWING)), None)

    def descendants(node):
        for child in children(node):
            yield child
            yield from descendants(child)

    def click(node):
        e = node.get_extents(Atspi.CoordType.SCREEN)
        xdo("mousemove", str(e.x + e.width // 2), str(e.y + e.height // 2), "click", "1")

    def type_into(node, text):
        click(node)
        xdo("key", "ctrl+a", "BackSpace")
        xdo("type", "--delay", "20", "--", text)

    root = wait_for("the program on the accessibility bus", program, 30)
    form = wait_for("the main window", lambda: find(root, name="Form1"))
    a, b, c = (wait_for(name, lambda: find(form, name=name))
               for name in ("二次项系数 a", "一次项系数 b", "常数项 c"))
    answer = find(form, description="方程的解")

    # Name changes on the bus: how a screen reader hears a new answer.
    announced = []
    listener = Atspi.EventListener.new(lambda event: announced.append(event.source.get_name()))
    listener.register("object:property-change:accessible-name")

    def heard(expected):
        while GLib.MainContext.default().pending():
            GLib.MainContext.default().iteration(False)
        answer.clear_cache()
        return answer.get_name() == expected and expected in announced

    # Typed as a user types: 1, then Tab to the next box; Enter on the focused GO.
    type_into(a, "1")
    for text in ("-3", "2"):
        xdo("key", "Tab")
        xdo("type", "--delay", "20", "--", text)
    xdo("key", "Tab", "Return")
    wait_for("the answer to be read and announced", lambda: heard("X1= 1    X2= 2"), 5)
    wait_for("the exact answer described",
             lambda: answer.clear_cache() or answer.get_description() == "方程的解：x₁ = 1，x₂ = 2")
    subprocess.run(["import", "-window", "root", os.path.join(artefacts, "answer.png")], check=True)

    # The student's own lines, checked with Ctrl+Enter: the verdict reaches the screen reader.
    xdo("key", "ctrl+1")
    mine = wait_for("the worked solution's own lines", lambda: find(root, name="我的解答"))
    click(mine)
    for line in ("x^2-3x=-2", "x^2-3x+9/4=-2"):
        xdo("type", "--delay", "20", "--", line)
        xdo("key", "Return")
    xdo("key", "ctrl+Return")
    verdict = wait_for("the verdict", lambda: find(root, name="检查结果"))
    wait_for("the verdict described", lambda: verdict.clear_cache() or
             verdict.get_description().startswith("第 2 行有误。"))
    subprocess.run(["import", "-window", "root", os.path.join(artefacts, "verdict.png")],
                   check=True)
    xdo("key", "Escape")

    click(find(form, name="About"))
    wait_for("the About dialog", lambda: find(root, name="关于 Quadrimo"))
    xdo("key", "Escape")
    wait_for("the About dialog to close", lambda: not find(root, name="关于 Quadrimo"))

    if app.poll() is not None:
        stop(1, "FAIL: the program ended")
    stop(0, "end-to-end: all steps passed")


if __name__ == "__main__":
    try:
        main()
    except Exception as error:
        stop(1, f"FAIL: {error!r}")
