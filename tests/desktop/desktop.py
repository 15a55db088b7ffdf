"""A private desktop for one test: Xvfb on a free display, a D-Bus session bus with
the accessibility bus, openbox, and the program. It presses real keys and clicks
real pixels with xdotool, reads the program through the accessibility bus (the
interface screen readers use) and the X server, and stops every process it
started, by its own id."""

import os
import re
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

TIMEOUT = 10.0


class Failure(Exception):
    pass


def wait_until(condition, what, timeout=TIMEOUT):
    """Polls condition until it returns something true; fails naming what was awaited."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"waited {timeout:.0f} s for {what}")
        time.sleep(0.05)


class Desktop:
    def __init__(self, program, display="x11", environment=None):
        self.program = program
        self.display = display
        self.extra_environment = environment or {}
        self.processes = []  # Every process started, in order; each leads its own session.
        self.dir = tempfile.mkdtemp(prefix="desktop-test.")
        self.app = None

    # ---- starting and stopping ----------------------------------------------------

    def start(self, program_wrapper=()):
        """Starts the desktop and the program; if any of it fails, stops what it started."""
        try:
            return self._start(program_wrapper)
        except BaseException as error:
            self.__exit__(type(error), error, None)
            raise

    def _start(self, program_wrapper):
        runtime = os.path.join(self.dir, "runtime")
        os.mkdir(runtime, 0o700)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.dir,
            "XDG_RUNTIME_DIR": runtime,
            "LANG": "C.UTF-8",
        }
        self.stderr_path = os.path.join(self.dir, "program.stderr")
        if self.display == "x11":
            self._start_x_server()
        else:
            self._start_wayland_compositor()

        bus = os.path.join(self.dir, "bus")
        self._spawn(["dbus-daemon", "--session", "--nofork", "--address=unix:path=" + bus])
        self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + bus
        wait_until(lambda: os.path.exists(bus), "the D-Bus session bus")
        os.environ.update(self.env)  # This process reads the same buses.

        self._spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_until(lambda: self._quiet(["dbus-send", "--session", "--dest=org.a11y.Bus",
                                        "--print-reply", "/org/a11y/bus",
                                        "org.freedesktop.DBus.Properties.Set",
                                        "string:org.a11y.Status", "string:IsEnabled",
                                        "variant:boolean:true"]),
                   "the accessibility bus")

        if self.display == "x11":
            log = open(os.path.join(self.dir, "openbox.log"), "w")
            self._spawn(["openbox", "--sm-disable"], stdout=log, stderr=subprocess.STDOUT)
            wait_until(lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                                       check=False),
                       "openbox")

        env = dict(self.env, **self.extra_environment)
        self.app = self._spawn(list(program_wrapper) + [self.program], env=env, cwd=self.dir,
                               stderr=open(self.stderr_path, "w"),
                               preexec_fn=allow_core_dumps)
        self.wait_for_frame("Form1")
        if self.display == "x11":
            # Under load the window manager can take a while to map a new window.
            self.x_window("Form1", timeout=30)
        return self

    def _start_x_server(self):
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            display = pipe.readline().strip()
        if not display:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + display

    def _start_wayland_compositor(self):
        socket = "wayland-test"
        log = os.path.join(self.dir, "weston.log")
        self._spawn(["weston", "--backend=headless-backend.so", "--socket=" + socket,
                     "--idle-time=0", "--no-config", "--log=" + log])
        path = os.path.join(self.env["XDG_RUNTIME_DIR"], socket)
        wait_until(lambda: os.path.exists(path), "weston's socket")
        self.env["WAYLAND_DISPLAY"] = socket
        self.env["QT_QPA_PLATFORM"] = "wayland"

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self.processes):
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
            # Whatever the process itself started dies with its session.
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        subprocess.run(["rm", "-rf", self.dir])

    def __enter__(self):
        return self

    def __exit__(self, kind, error, trace):
        if isinstance(error, Failure) and self.app is not None:
            try:
                print("The screen held:\n" + self.describe_screen(), file=sys.stderr)
                with open(self.stderr_path) as stderr:
                    print("The program wrote:\n" + stderr.read(), file=sys.stderr)
            except Exception as unreadable:
                print(f"(the screen could not be read: {unreadable})", file=sys.stderr)
        self.stop()

    def _spawn(self, command, env=None, **kwargs):
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        process = subprocess.Popen(command, env=env or self.env, stdin=subprocess.DEVNULL,
                                   start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def _quiet(self, command):
        return subprocess.run(command, env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0

    def run(self, command, check=True):
        result = subprocess.run(command, env=self.env, capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result.stdout

    # ---- the program through the accessibility bus ---------------------------------

    def application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.name == "controls-demo":
                app.clear_cache()
                return app
        return None

    def frames(self):
        """The program's windows that are shown, by title."""
        app = self.application()
        if app is None:
            return {}
        shown = {}
        for index in range(app.childCount):
            frame = app.getChildAtIndex(index)
            if frame is not None and frame.getState().contains(pyatspi.STATE_SHOWING):
                shown[frame.name] = frame
        return shown

    def frame(self, title):
        frame = self.frames().get(title)
        if frame is None:
            raise Failure(f'no window "{title}" is shown')
        return frame

    def wait_for_frame(self, title):
        return wait_until(lambda: self.frames().get(title), f'the window "{title}"')

    def wait_for_no_frame(self, title):
        wait_until(lambda: title not in self.frames(), f'the window "{title}" to go')

    def find(self, root, role, name):
        """The first accessible below root with this role name and name."""
        def search(node):
            if node is None:
                return None
            if node.getRoleName() == role and node.name == name:
                return node
            for index in range(node.childCount):
                found = search(node.getChildAtIndex(index))
                if found is not None:
                    return found
            return None
        found = search(root)
        if found is None:
            raise Failure(f'no {role} "{name}" in "{root.name}"')
        return found

    def controls(self, title):
        """(role, name) of every control of a window, with its extents."""
        frame = self.frame(title)
        client = frame.getChildAtIndex(0)
        found = []
        for index in range(client.childCount):
            node = client.getChildAtIndex(index)
            found.append((node.getRoleName(), node.name, extents(node)))
        return found

    def state(self, title):
        """What the user can change in a window, as text: checks and typed text."""
        parts = []
        for role, name, _ in sorted(self.controls(title)):
            node = self.find(self.frame(title), role, name)
            if role in ("check box", "radio button"):
                checked = node.getState().contains(pyatspi.STATE_CHECKED)
                parts.append(f"{name} {'set' if checked else 'clear'}")
            elif role == "text":
                text = node.queryText()
                parts.append(f'{name} "{text.getText(0, text.characterCount)}"')
        return ", ".join(parts)

    # ---- real input -------------------------------------------------------------------

    def x_window(self, title, timeout=TIMEOUT):
        return wait_until(lambda: self.run(["xdotool", "search", "--onlyvisible", "--name",
                                            f"^{re.escape(title)}$"], check=False).split(),
                          f'the X window "{title}" to be on the screen', timeout)[0]

    def activate(self, title):
        self.run(["xdotool", "windowactivate", "--sync", self.x_window(title)])
        wait_until(lambda: self.frame(title).getState().contains(pyatspi.STATE_ACTIVE),
                   f'"{title}" to become active')

    def keys(self, title, *keys):
        self.activate(title)
        self.run(["xdotool", "key", "--delay", "60"] + list(keys))

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "20", text])

    def click(self, node):
        x, y, width, height = extents(node)
        if width <= 0 or height <= 0:
            raise Failure(f'"{node.name}" is not on the screen to be clicked')
        # Aim at the caption's start, where a person clicks an option or a box.
        point = (x + min(10, width // 2), y + height // 2)
        self.run(["xdotool", "mousemove", "--sync", str(point[0]), str(point[1]), "click", "1"])

    def close_frame(self, title):
        """Closes a window through the window manager, as its close box does."""
        self.run(["wmctrl", "-c", title, "-F"])

    def x_geometry(self, title):
        info = self.run(["xwininfo", "-id", self.x_window(title)])
        values = dict(re.findall(r"^\s*(Absolute upper-left X|Absolute upper-left Y|Width|Height):\s+(-?\d+)",
                                 info, re.M))
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def screenshot(self, path, area=None):
        """Saves the screen, or an area (x, y, width, height) of it, as a PNG. It reads
        each window on its own, so menus of another depth than the root come out too."""
        command = ["import", "-silent", "-window", "root"]
        if area:
            x, y, width, height = area
            command += ["-crop", f"{width}x{height}+{x}+{y}", "+repage"]
        self.run(command + [path])

    def describe_screen(self):
        lines = [f"  {os.path.basename(p.args[0])}: {'running' if p.poll() is None else f'ended with {p.returncode}'}"
                 for p in self.processes]
        if self.display == "x11":
            for window in self.run(["xdotool", "search", "--name", "."], check=False).split():
                info = self.run(["xwininfo", "-id", window], check=False)
                state = re.search(r"Map State: (\w+)", info)
                name = self.run(["xdotool", "getwindowname", window], check=False).strip()
                lines.append(f'  X window "{name}": {state.group(1) if state else "?"}')
        for title, frame in self.frames().items():
            lines.append(f'  "{title}" at {extents(frame)}: {self.state(title) if title != "Form1" else ""}')
        return "\n".join(lines)


def allow_core_dumps():
    """Lets a crash leave a core file, so that a test can see that none was left."""
    import resource
    resource.setrlimit(resource.RLIMIT_CORE, (resource.RLIM_INFINITY, resource.RLIM_INFINITY))


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def main(scenarios, program, output_dir):
    """Runs one named scenario: scenario(program, output_dir)."""
    name = sys.argv[1] if len(sys.argv) > 1 else ""
    if name not in scenarios:
        print(f"usage: {sys.argv[0]} {'|'.join(scenarios)} PROGRAM OUTPUT_DIR", file=sys.stderr)
        return 2
    try:
        result = scenarios[name](program, output_dir)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    if result == "skipped":
        return 77
    print("passed")
    return 0
