#!/usr/bin/python3
"""The built program on a real X display: driven by key and mouse events (xdotool), read through
the accessibility bus as a screen reader reads it (AT-SPI).

    e2e.py QUADRIMO_EXECUTABLE ARTEFACT_DIR

Exits 77 (skipped) with a message when the display stack cannot start.
"""
import os
import shutil
import subprocess
import sys
import threading
import time

SKIPPED = 77
processes = []


def skip(why):
    print(f"SKIP: {why}", flush=True)
    stop_all()
    sys.exit(SKIPPED)


def fail(why):
    print(f"FAIL: {why}", flush=True)
    stop_all()
    sys.exit(1)


def stop_all():
    for p in reversed(processes):
        if p.poll() is None:
            p.terminate()
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                p.kill()


def wait_for(what, probe, timeout=10.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = probe()
        if value:
            return value
        time.sleep(0.05)
    fail(f"timed out waiting for {what}")



def start_display_stack(artefacts):
    for tool in ("Xvfb", "dbus-daemon", "dbus-send", "xdotool", "import"):
        if not shutil.which(tool):
            skip(f"{tool} is not installed")
    launcher = "/usr/libexec/at-spi-bus-launcher"
    if not os.path.exists(launcher):
        skip("the accessibility bus launcher is not installed")

    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24",
                             "-nolisten", "tcp"], pass_fds=(write_fd,),
                            stderr=open(os.path.join(artefacts, "xvfb.log"), "w"))
    processes.append(xvfb)
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        number = f.readline().strip()
    if not number:
        skip("Xvfb did not start")
    os.environ["DISPLAY"] = f":{number}"

    bus = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address"],
                           stdout=subprocess.PIPE, text=True)
    processes.append(bus)
    address = bus.stdout.readline().strip()
    if not address:
        skip("no D-Bus session bus")
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address
    os.environ.pop("XDG_RUNTIME_DIR", None)

    a11y = subprocess.Popen([launcher, "--launch-immediately"], stderr=subprocess.DEVNULL)
    processes.append(a11y)

    # The program looks for the accessibility bus once, at start: it must be there first.
    def a11y_bus_ready():
        if a11y.poll() is not None:
            skip("the accessibility bus did not start")
        probe = subprocess.run(["dbus-send", "--session", "--print-reply",
                                "--dest=org.a11y.Bus", "/org/a11y/bus",
                                "org.a11y.Bus.GetAddress"], capture_output=True)
        return probe.returncode == 0

    end = time.monotonic() + 20
    while not a11y_bus_ready():
        if time.monotonic() > end:
            skip("the accessibility bus did not answer")
        time.sleep(0.1)


def main():
    exe, artefacts = sys.argv[1], sys.argv[2]
    os.makedirs(artefacts, exist_ok=True)

    # A display that cannot take the program's connection is a display stack that did not
    # start; try afresh a few times before giving up on it.
    for attempt in range(3):
        start_display_stack(artefacts)
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_ACCESSIBILITY="1")
        app = subprocess.Popen([exe], env=env, stderr=subprocess.PIPE, text=True)
        processes.append(app)
        try:
            app.wait(timeout=1.5)
        except subprocess.TimeoutExpired:
            break
        errors = app.stderr.read()
        if "could not connect to display" not in errors:
            fail(f"the program ended at start with status {app.returncode}: {errors}")
        print(f"display {os.environ['DISPLAY']} refused the program; starting afresh", flush=True)
        stop_all()
        processes.clear()
    else:
        skip("no display took the program's connection")
    threading.Thread(target=lambda: sys.stderr.write(app.stderr.read()), daemon=True).start()

    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi

    def find_app():
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(i)
            if child is not None and child.get_name() == "Quadrimo":
                return child
        return None

    def find_app_or_report():
        found = find_app()
        if found is None and app.poll() is not None:
            fail(f"the program ended at start with status {app.returncode}")
        return found

    root = wait_for("the program on the accessibility bus", find_app_or_report, 30)

    def walk(node):
        yield node
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                yield from walk(child)

    def window(title):
        root.clear_cache()
        for i in range(root.get_child_count()):
            w = root.get_child_at_index(i)
            if w is not None and w.get_name() == title and \
                    w.get_state_set().contains(Atspi.StateType.SHOWING):
                return w
        return None

    def extents(node):
        return node.get_extents(Atspi.CoordType.SCREEN)

    def controls(win, role):
        found = [n for n in walk(win) if n.get_role() == role]
        return sorted(found, key=lambda n: (extents(n).y, extents(n).x))

    def xdo(*args):
        subprocess.run(["xdotool", *args], check=True)

    def click(node):
        e = extents(node)
        xdo("mousemove", str(e.x + e.width // 2), str(e.y + e.height // 2), "click", "1")
        time.sleep(0.1)

    def type_into(node, text):
        click(node)
        xdo("key", "ctrl+a", "BackSpace")
        xdo("type", "--delay", "20", "--", text)

    def label_at(win, dx, dy):
        w = extents(win)
        for label in controls(win, Atspi.Role.LABEL):
            e = extents(label)
            if (e.x - w.x, e.y - w.y) == (dx, dy):
                return label
        fail(f"no label at ({dx}, {dy})")

    from gi.repository import GLib

    # Name changes on the accessibility bus: how a screen reader hears a new answer.
    announced = []

    def on_name_change(event):
        announced.append(event.source.get_name())

    listener = Atspi.EventListener.new(on_name_change)
    listener.register("object:property-change:accessible-name")

    def pump():
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)

    form = wait_for("the main window", lambda: window("Form1"))
    box_names = ["二次项系数 a", "一次项系数 b", "常数项 c", "坐标1 横坐标 x1", "坐标1 纵坐标 y1",
                 "坐标2 横坐标 x2", "坐标2 纵坐标 y2"]

    def find_boxes():
        by_name = {n.get_name(): n for n in controls(form, Atspi.Role.TEXT)}
        return [by_name[name] for name in box_names] if set(box_names) <= set(by_name) else None

    boxes = wait_for("the text boxes, by their accessible names", find_boxes)
    buttons = controls(form, Atspi.Role.PUSH_BUTTON)
    go1 = [b for b in buttons if b.get_name() == "GO"][0]
    go3 = [b for b in buttons if b.get_name() == "GO"][1]
    about = [b for b in buttons if b.get_name() == "About"][0]
    label4 = label_at(form, 24, 104)
    label16 = label_at(form, 24, 272)

    def read(label, expected, announce=True):
        def probe():
            pump()
            root.clear_cache()
            return label.get_name() == expected and (not announce or expected in announced)
        wait_for(f"'{expected}' to be read and announced", probe, 5)
        print(f"reads: {label.get_name()!r}", flush=True)

    # The quadratic solver, typed as a user would.
    type_into(boxes[0], "1")
    xdo("key", "Tab")
    xdo("type", "--delay", "20", "--", "-3")
    xdo("key", "Tab")
    xdo("type", "--delay", "20", "--", "2")
    click(go1)
    read(label4, "X1= 1    X2= 2")

    # The line through two points.
    for box, text in zip(boxes[3:], ("1", "3", "2", "5")):
        type_into(box, text)
    click(go3)
    read(label16, "Y= 2 X  + 1")

    # 0, 0, 0: a runtime error in a message box; dismissed, the program goes on.
    for box in boxes[:3]:
        type_into(box, "0")
    click(go1)

    def message_box():
        root.clear_cache()
        for w in walk(root):
            if w.get_role() in (Atspi.Role.DIALOG, Atspi.Role.ALERT) and \
                    any("运行时错误 '6'" in (n.get_name() or "") for n in walk(w)):
                return w
        return None

    wait_for("the runtime error's message box", message_box)
    xdo("key", "Return")
    wait_for("the message box to go", lambda: message_box() is None)
    if app.poll() is not None:
        fail("the program ended after the runtime error")
    read(label4, "X1= 1    X2= 2", announce=False)

    # About, then Esc.
    click(about)
    wait_for("the About dialog", lambda: window("关于 Quadrimo"))
    xdo("key", "Escape")
    wait_for("the About dialog to close", lambda: window("关于 Quadrimo") is None)

    # Hovering over the link turns it red; a move over the bare window turns it blue again.
    link = [l for l in controls(form, Atspi.Role.LABEL) if "Zorvel" in (l.get_name() or "")][0]
    e = extents(link)
    w = extents(form)

    def colours_over_link(name):
        shot = os.path.join(artefacts, name)
        subprocess.run(["import", "-window", "root", shot], check=True)
        crop = f"{e.width}x{e.height}+{e.x}+{e.y}"
        out = subprocess.run(["convert", shot, "-crop", crop, "-depth", "8", "txt:-"],
                             check=True, capture_output=True, text=True).stdout
        reds = out.count("#FF0000")
        blues = out.count("#0000FF")
        print(f"{name}: {reds} red and {blues} blue pixels over the link", flush=True)
        return reds, blues

    xdo("mousemove", str(e.x + 20), str(e.y + e.height // 2))
    time.sleep(0.5)
    reds, blues = colours_over_link("link-hover.png")
    if reds < 20 or blues > 0:
        fail("the link is not red under the pointer")
    xdo("mousemove", str(w.x + 428), str(w.y + 300))
    time.sleep(0.5)
    reds, blues = colours_over_link("link-after-hover.png")
    if blues < 20 or reds > 0:
        fail("the link did not turn blue again over the bare window")

    if app.poll() is not None:
        fail("the program ended")
    print("end-to-end: all steps passed", flush=True)
    stop_all()


if __name__ == "__main__":
    try:
        main()
    finally:
        stop_all()
