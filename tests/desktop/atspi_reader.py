"""Reads the window through AT-SPI, as a screen reader does. Run by atspi_run inside a
D-Bus session of its own; starts Xvfb, the accessibility bus and the program."""
import os
import random
import subprocess
import sys
import time

VELKORA = sys.argv[1]
FIRST_ENTRY = "[問題 1.8a]"
PRINT_ITEM = " [印刷する]"
# The pages' headings and a sentence of 1.8a, as the book prints them.
FIRST_HEADING = "[問題 1.8a] (追加問題)"
SECOND_HEADING = "[問題 1.8]\u3000p. 13."
FIRST_SENTENCE = "変数変換のヤコビアンについて，次の関係が成り立つことを示せ。"
failures = []
children = []


def fail(message):
    failures.append(message)
    print("FAIL:", message)


def wait_for(what, probe, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = probe()
        if value:
            return value
        time.sleep(0.1)
    return None


def start(command, **kwargs):
    process = subprocess.Popen(command, **kwargs)
    children.append(process)
    return process


def start_display():
    # A display number of its own, far from the :0, :1… that other X servers on the machine
    # (other tests) take.
    for number in random.sample(range(200, 1000), 20):
        if os.path.exists(f"/tmp/.X{number}-lock"):
            continue
        server = start(["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                       stderr=subprocess.DEVNULL)
        os.environ["DISPLAY"] = f":{number}"
        answers = lambda: server.poll() is not None or subprocess.run(
            ["xdotool", "getdisplaygeometry"], capture_output=True).returncode == 0
        if wait_for("the display", answers) and server.poll() is None:
            return
    raise SystemExit("FAIL: Xvfb did not start")


def start_accessibility_bus():
    # The session bus starts the accessibility bus (and that its registry) when first asked,
    # in the environment it was given: it must know the display first.
    subprocess.run(["dbus-send", "--session", "--type=method_call", "--print-reply", "--dest=org.freedesktop.DBus",
                    "/org/freedesktop/DBus", "org.freedesktop.DBus.UpdateActivationEnvironment",
                    "dict:string:string:DISPLAY," + os.environ["DISPLAY"]], check=True, stdout=subprocess.DEVNULL)
    address = wait_for("the accessibility bus", lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.a11y.Bus.GetAddress"], capture_output=True, text=True).stdout.strip())
    if not address:
        raise SystemExit("FAIL: the AT-SPI bus (at-spi-bus-launcher) did not start")


def tree(node, depth=0):
    """Every accessible below node, with its depth."""
    yield node, depth
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from tree(child, depth + 1)


def role(node):
    return node.getRoleName()


def main():
    start_display()
    start_accessibility_bus()
    import pyatspi  # after the bus is up: it connects as it is imported

    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    start([VELKORA], env=environment)
    desktop = pyatspi.Registry.getDesktop(0)

    def application():
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == "velkora" and app.childCount > 0:
                return app
        return None

    app = wait_for("the program on the bus", application)
    if app is None:
        raise SystemExit("FAIL: velkora never appeared on the AT-SPI bus: Qt's accessibility bridge "
                         "(libqt6gui's AT-SPI support) is missing or did not connect")

    window = app.getChildAtIndex(0)
    if role(window) != "frame":
        fail(f"the window's role is {role(window)!r}, not a frame")
    everything = list(tree(window))
    lists = [n for n, _ in everything if role(n) == "list"]
    if len(lists) != 1:
        fail(f"{len(lists)} lists in the window, expected the problem list alone")
        return
    problem_list = lists[0]
    if not problem_list.name:
        fail("the problem list has no name")

    entries = [problem_list.getChildAtIndex(i) for i in range(problem_list.childCount)]
    if len(entries) != 27:
        fail(f"the list offers {len(entries)} entries, not 27")
    if [role(e) for e in entries] != ["list item"] * len(entries):
        fail(f"entries with other roles than list item: {sorted(set(role(e) for e in entries))}")
    if entries and (entries[0].name != FIRST_ENTRY or entries[-1].name != PRINT_ITEM):
        fail(f"first and last entries read {entries[0].name!r} and {entries[-1].name!r}")

    pages = [n for n, _ in everything if role(n) == "document frame"]
    if len(pages) != 1:
        fail(f"{len(pages)} documents in the window, expected the page alone")
        return
    page = pages[0]
    if page.name != FIRST_HEADING:
        fail(f"the page is named {page.name!r}, not its heading {FIRST_HEADING!r}")
    text = page.queryText()
    whole = text.getText(0, text.characterCount)
    if not whole.startswith(FIRST_HEADING + "\n") or FIRST_SENTENCE not in whole:
        fail(f"the page's text does not read as 1.8a: {whole[:120]!r}")

    # Nothing of the closed find bar: no field to type in, no label that names one.
    find_parts = [(role(n), n.name) for n, _ in everything if role(n) in ("entry", "text", "label")]
    if find_parts:
        fail(f"the closed find bar is exposed: {find_parts}")

    focus_and_press = ["xdotool", "search", "--sync", "--onlyvisible", "--name", "^ Velkora$",
                       "windowfocus", "--sync", "key", "--clearmodifiers"]
    subprocess.run(focus_and_press + ["Down"], check=True)
    moved = wait_for("the next page", lambda: page.name == SECOND_HEADING, 10)
    if not moved:
        fail(f"after Down the page is still named {page.name!r}")
    elif not page.queryText().getText(0, -1).startswith(SECOND_HEADING + "\n"):
        fail("after Down the page's text is not 1.8's")

    # The bar, once opened, is there: the check above looks where it would be.
    subprocess.run(focus_and_press + ["ctrl+f"], check=True)
    field = wait_for("the find field", lambda: [n for n, _ in tree(window) if role(n) in ("entry", "text")], 10)
    if not field:
        fail("the opened find bar's field is not offered either: the closed-bar check proves nothing")


try:
    main()
finally:
    for child in reversed(children):
        child.terminate()
        try:
            child.wait(5)
        except subprocess.TimeoutExpired:
            child.kill()
if failures:
    sys.exit(1)
print("read over AT-SPI: a frame, the named list of 27 entries, the page's name and text, "
      "the next page after Down, no closed find bar")
