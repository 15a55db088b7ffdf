#!/usr/bin/python3
"""The program on a real X server with a window manager, driven only from outside,
as a person drives it. Usage: scenarios.py SCENARIO PROGRAM OUTPUT_DIR"""

import os
import re
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from desktop import Desktop, Failure, extents, main, wait_until  # noqa: E402

import pyatspi  # noqa: E402

# Every control as the accessibility bus names it, at its place in pixels at 96 dpi
# relative to the client area. A text box is named by the question above it.
CONTROLS = {
    "foo": [
        ("radio button", "Sane", (96, 64, 137, 25)),
        ("radio button", "Insane", (96, 96, 145, 25)),
        ("push button", "OK", (216, 184, 89, 25)),
    ],
    "Check this out": [
        ("check box", "Beer", (56, 48, 65, 25)),
        ("check box", "Crisps", (56, 80, 85, 25)),
        ("push button", "Yum!", (208, 184, 97, 25)),
    ],
    "Form2": [
        ("label", "What is your name?", (40, 24, 121, 25)),
        ("text", "What is your name?", (40, 56, 201, 19)),
        ("label", "What is your quest?", (40, 112, 193, 17)),
        ("text", "What is your quest?", (40, 136, 209, 19)),
        ("push button", "Onward!", (200, 184, 105, 25)),
    ],
}
PUSH_BUTTON = {title: controls[-1][1] for title, controls in CONTROLS.items()}

# Each command: the window it shows, its access keys, and its path by mouse.
COMMANDS = [
    ("foo", ("alt+c", "o"), ("Choices", "Options")),
    ("Check this out", ("alt+c", "c"), ("Choices", "Check Boxes")),
    ("Form2", ("alt+d", "i"), ("Dialogue Boxes", "Input Boxes")),
]


def expect(actual, expected, what):
    if actual != expected:
        raise Failure(f"{what}:\n  expected {expected!r}\n  actual   {actual!r}")


def menu_by_keys(desktop, keys, path):
    """Presses a menu's access keys one by one, as a person does: each key once the
    menu that it acts on is open."""
    desktop.activate("Form1")
    for index, key in enumerate(keys):
        desktop.run(["xdotool", "key", key])
        if index + 1 < len(keys):
            wait_until(lambda: path[index] in open_popups(desktop), f'the menu of "{path[index]}"')


def by_keys(desktop, title):
    keys, path = next((keys, path) for shown, keys, path in COMMANDS if shown == title)
    menu_by_keys(desktop, keys, path)


def menu_item(desktop, name):
    return desktop.find(desktop.frame("Form1"), "menu item", name)


def choose_by_mouse(desktop, *path):
    desktop.activate("Form1")
    for name in path:
        item = wait_until(lambda: showing(menu_item(desktop, name)) and menu_item(desktop, name),
                          f'the menu item "{name}" on the screen')
        desktop.click(item)


def by_mouse(desktop, title):
    path = next(path for shown, _, path in COMMANDS if shown == title)
    choose_by_mouse(desktop, *path)


def showing(node):
    states = node.getState()
    x, y, width, height = extents(node)
    return states.contains(pyatspi.STATE_SHOWING) and width > 0 and height > 0


def popup_of(desktop, name):
    return menu_item(desktop, name).getChildAtIndex(0)


def open_popups(desktop):
    """The names of the menu items whose sub-menus are on the screen."""
    names = []

    def search(node):
        for index in range(node.childCount):
            child = node.getChildAtIndex(index)
            if child.getRoleName() == "popup menu" and showing(child):
                names.append(node.name)
            search(child)

    search(desktop.frame("Form1"))
    return names


def press(desktop, title):
    desktop.click(desktop.find(desktop.frame(title), "push button", PUSH_BUTTON[title]))
    desktop.wait_for_no_frame(title)


def road_of_one_event(program, output_dir):
    with Desktop(program).start() as desktop:
        expect(set(desktop.frames()), {"Form1"}, "windows right after start")
        choose_by_mouse(desktop, "Choices", "Options")
        desktop.wait_for_frame("foo")
        first_window = desktop.x_window("foo")
        expect(desktop.state("foo"), "Insane clear, Sane clear", "foo when first shown")
        desktop.click(desktop.find(desktop.frame("foo"), "radio button", "Insane"))
        wait_until(lambda: desktop.state("foo") == "Insane set, Sane clear", '"Insane" selected')
        press(desktop, "foo")
        by_keys(desktop, "foo")
        desktop.wait_for_frame("foo")
        expect(desktop.state("foo"), "Insane set, Sane clear", "foo shown again")
        expect(desktop.x_window("foo"), first_window, "the X window of foo shown again")


def commands(program, output_dir):
    with Desktop(program).start() as desktop:
        for title, _, _ in COMMANDS:
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
            press(desktop, title)
            by_mouse(desktop, title)
            desktop.wait_for_frame(title)
            # Chosen again while shown, it opens no second window.
            by_keys(desktop, title)
            time.sleep(0.3)
        expect(sorted(desktop.frames()), sorted(["Form1", "foo", "Check this out", "Form2"]),
               "all four windows shown at once")
        for title in ["Form1", "foo", "Check this out", "Form2"]:
            ids = desktop.run(["xdotool", "search", "--name", f"^{re.escape(title)}$"]).split()
            expect(len(ids), 1, f'X windows titled "{title}"')
            icon = desktop.run(["xprop", "-id", ids[0], "_NET_WM_ICON"])
            expect(re.findall(r"Icon \((\d+) x (\d+)\)", icon), [("16", "16"), ("32", "32")],
                   f'the icon sizes in the frame of "{title}"')
        for title in ["foo", "Check this out", "Form2"]:
            file = os.path.join(output_dir, f"window-{title.replace(' ', '-')}.png")
            desktop.screenshot(file, desktop.x_geometry(title))


def change_state(desktop, title):
    frame = desktop.frame(title)
    if title == "foo":
        desktop.click(desktop.find(frame, "radio button", "Sane"))
        return "Insane clear, Sane set"
    if title == "Check this out":
        desktop.click(desktop.find(frame, "check box", "Crisps"))
        return "Beer clear, Crisps set"
    desktop.click(desktop.find(frame, "text", "What is your name?"))
    desktop.type("Sir Robin the Not-Quite-So-Brave")
    desktop.click(desktop.find(frame, "text", "What is your quest?"))
    desktop.type("To seek the Holy Grail")
    return ('What is your name? "Sir Robin the Not-Quite-So-Brave", '
            'What is your quest? "To seek the Holy Grail"')


def state_survives(program, output_dir):
    with Desktop(program).start() as desktop:
        for title, _, _ in COMMANDS:
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
            expected = change_state(desktop, title)
            wait_until(lambda: desktop.state(title) == expected, f"the changes on {title}")
            press(desktop, title)
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
            expect(desktop.state(title), expected, f"{title} after its push button and the command")
            desktop.close_frame(title)
            desktop.wait_for_no_frame(title)
            expect(desktop.app.poll(), None, f"the program after {title}'s frame was closed")
            by_mouse(desktop, title)
            desktop.wait_for_frame(title)
            expect(desktop.state(title), expected, f"{title} after a frame close and the command")


def menus(program, output_dir):
    with Desktop(program).start() as desktop:
        exit_item = menu_item(desktop, "Exit")
        expect(exit_item.getState().contains(pyatspi.STATE_ENABLED), False, '"Exit" enabled')
        desktop.keys("Form1", "alt+e")
        time.sleep(0.5)
        expect(open_popups(desktop), [], "menus open after Alt+E")
        desktop.click(exit_item)
        time.sleep(0.5)
        expect(open_popups(desktop), [], 'menus open after a click on "Exit"')

        menu_by_keys(desktop, ("alt+d", "m"), ("Dialogue Boxes", "MsgBoxes"))
        wait_until(lambda: open_popups(desktop) == ["Dialogue Boxes", "MsgBoxes"],
                   'the cascade of "MsgBoxes"')
        parent = extents(popup_of(desktop, "Dialogue Boxes"))
        child = extents(popup_of(desktop, "MsgBoxes"))
        if not (child[0] >= parent[0] + parent[2] - 8 and parent[1] <= child[1] < parent[1] + parent[3]):
            raise Failure(f'"MsgBoxes" at {child} does not cascade beside its menu at {parent}')
        time.sleep(1)  # The menus are mapped before they are painted.
        form1 = desktop.x_geometry("Form1")
        right = max(form1[0] + form1[2], child[0] + child[2]) + 4
        bottom = max(form1[1] + form1[3], child[1] + child[3]) + 4
        desktop.screenshot(os.path.join(output_dir, "Form1-menus.png"),
                           (form1[0] - 4, form1[1] - 24, right - form1[0] + 8, bottom - form1[1] + 24))

        # "For Outputs" closes the menus and does nothing else.
        desktop.run(["xdotool", "key", "o"])
        wait_until(lambda: open_popups(desktop) == [], "the menus to close")
        for name in ["Menus", "For Inputs"]:
            path = {"Menus": ("Choices", "Menus"), "For Inputs": ("Dialogue Boxes", "MsgBoxes", "For Inputs")}
            choose_by_mouse(desktop, *path[name])
            wait_until(lambda: open_popups(desktop) == [], f'the menus to close after "{name}"')
        time.sleep(0.3)
        expect(set(desktop.frames()), {"Form1"}, "windows after items without handlers")


def geometry(program, output_dir, scale=1):
    environment = {"QT_SCALE_FACTOR": str(scale)} if scale != 1 else {}
    with Desktop(program, environment=environment).start() as desktop:
        for title, _, _ in COMMANDS:
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
        for title in ["Form1", "foo", "Check this out", "Form2"]:
            x, y, width, height = desktop.x_geometry(title)
            client = desktop.frame(title).getChildAtIndex(0)
            if title == "Form1":
                menu_bar = desktop.frame(title).getChildAtIndex(1)
                height -= extents(menu_bar)[3] * scale
            expect((width, height), (312 * scale, 216 * scale), f'the client area of "{title}" in X pixels')
            cx, cy, _, _ = extents(client)
            if title == "Form1":
                continue
            # The accessibility bus gives a box or an option the rectangle that takes the
            # click, its indicator and caption; it starts where the control does and lies
            # inside it. Every other control's rectangle is the control's own.
            actual = {(role, name): (x - cx, y - cy, w, h) for role, name, (x, y, w, h) in desktop.controls(title)}
            for role, name, place in CONTROLS[title]:
                rect = actual.get((role, name))
                if rect is None:
                    raise Failure(f'"{title}" exposes no {role} "{name}"')
                if role in ("check box", "radio button"):
                    inside = (rect[0] == place[0] and place[1] <= rect[1] and rect[1] + rect[3] <= place[1] + place[3]
                              and rect[0] + rect[2] <= place[0] + place[2])
                    if not inside:
                        raise Failure(f'{role} "{name}" of "{title}" at {rect}, expected within {place} from its left edge')
                else:
                    expect(rect, place, f'the place of {role} "{name}" on "{title}" in logical pixels')


def accessibility(program, output_dir):
    with Desktop(program).start() as desktop:
        for title, _, _ in COMMANDS:
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
        for title, controls in CONTROLS.items():
            named = sorted((role, name) for role, name, _ in desktop.controls(title))
            expect(named, sorted((role, name) for role, name, _ in controls), f'what "{title}" exposes')
            expect(desktop.frame(title).getRoleName(), "frame", f'the role of "{title}"')
        for name, enabled in [("Choices", True), ("Dialogue Boxes", True), ("Exit", False), ("Yes", False)]:
            expect(menu_item(desktop, name).getState().contains(pyatspi.STATE_ENABLED), enabled,
                   f'"{name}" enabled')
        for name, key in [("Choices", "Alt+C"), ("Dialogue Boxes", "Alt+D"), ("Exit", "Alt+E")]:
            expect(menu_item(desktop, name).queryAction().getKeyBinding(0), key, f'the access key of "{name}"')


def closing_form1(program, output_dir):
    with Desktop(program).start() as desktop:
        for title, _, _ in COMMANDS:
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
        desktop.close_frame("Form1")
        try:
            status = desktop.app.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("the program still runs 10 s after Form1 was closed")
        expect(status, 0, "the exit status after Form1 was closed")


SYSCALLS = ("open,openat,openat2,creat,rename,renameat,renameat2,unlink,unlinkat,rmdir,mkdir,"
            "mkdirat,link,linkat,symlink,symlinkat,truncate,connect")


def touches_nothing(program, output_dir):
    log = os.path.join(output_dir, "strace.log")
    with Desktop(program) as desktop:
        desktop.start(program_wrapper=["strace", "-f", "-qq", "-o", log, "-e", "trace=" + SYSCALLS])
        for title, _, _ in COMMANDS:
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
            change_state(desktop, title)
            press(desktop, title)
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
            desktop.close_frame(title)
            desktop.wait_for_no_frame(title)
        desktop.close_frame("Form1")
        expect(desktop.app.wait(timeout=10), 0, "the exit status")
    violations = []
    with open(log) as calls:
        for line in calls:
            call = line.split(None, 1)[1] if " " in line else line
            if re.search(r"= -1 E[A-Z]+", call):
                continue  # A call that failed changed nothing.
            if call.startswith(("open", "creat")):
                if re.search(r"O_(WRONLY|RDWR|CREAT|TRUNC)|^creat", call):
                    violations.append(call.strip())
            elif call.startswith("connect"):
                if "sa_family=AF_UNIX" not in call:
                    violations.append(call.strip())
            elif not call.startswith(("+++", "---")):
                violations.append(call.strip())
    if violations:
        raise Failure("the program wrote, made, moved or removed files or left this machine:\n  " +
                      "\n  ".join(violations[:20]))


def display_dies(program, output_dir):
    with Desktop(program).start() as desktop:
        for title, _, _ in COMMANDS:
            by_keys(desktop, title)
            desktop.wait_for_frame(title)
        x_server = desktop.processes[0]
        os.kill(x_server.pid, signal.SIGKILL)
        x_server.wait()
        try:
            status = desktop.app.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("the program still runs 10 s after its X server died")
        if status <= 0:
            raise Failure(f"the program ended with {status}, expected a status above 0 "
                          "(a negative one is a signal)")
        with open(desktop.stderr_path) as stderr:
            lines = [line for line in stderr.read().splitlines() if line.strip()]
        if len(lines) != 1 or not re.search(r"X11|display", lines[0]):
            raise Failure(f"the program said {lines!r}, expected one line about the display")
        cores = [name for name in os.listdir(desktop.dir) if name.startswith("core")]
        expect(cores, [], "core files left")


def wayland(program, output_dir):
    for needed in ["/usr/bin/weston", "/usr/lib/x86_64-linux-gnu/qt6/plugins/platforms/libqwayland-generic.so"]:
        if not os.path.exists(needed):
            print(f"skipped: {needed} is not installed")
            return "skipped"
    desktop = Desktop(program, display="wayland")
    try:
        desktop.start()
    except Failure as failure:
        desktop.stop()
        print(f"skipped: the program could not be started on weston here: {failure}")
        return "skipped"
    with desktop:
        frame = desktop.frame("Form1")
        bar = frame.getChildAtIndex(1)
        expect(bar.getRoleName(), "menu bar", "the role below Form1's client area")
        titles = [bar.getChildAtIndex(i).name for i in range(bar.childCount)]
        expect(titles, ["Choices", "Dialogue Boxes", "Exit"], "the titles of Form1's menu bar")


if __name__ == "__main__":
    scenarios = {
        "road_of_one_event": road_of_one_event,
        "commands": commands,
        "state_survives": state_survives,
        "menus": menus,
        "geometry": geometry,
        "geometry_scaled": lambda program, output: geometry(program, output, scale=2),
        "accessibility": accessibility,
        "closing_form1": closing_form1,
        "touches_nothing": touches_nothing,
        "display_dies": display_dies,
        "wayland": wayland,
    }
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        sys.exit(2)
    os.makedirs(sys.argv[3], exist_ok=True)
    sys.exit(main(scenarios, os.path.abspath(sys.argv[2]), sys.argv[3]))
