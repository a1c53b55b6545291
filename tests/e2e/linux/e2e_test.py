"""The Linux program end to end, driven from outside as a user drives it.

Windows are found by their titles (xdotool), what they show is read through the
accessibility tree (AT-SPI: the text of labels, buttons and the run log, addressed by
the control names the program gives them as accessible ids), and input goes through the
X server (XTest via xdotool) at the places the controls occupy on the screen.
Run by run_e2e.sh inside a private X session.
"""
import http.server
import os
import re
import signal
import subprocess
import tempfile
import threading
import time
import unittest

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

PROGRAM = os.environ["SW_E2E_PROGRAM"]
PROMPT = os.environ["SW_E2E_PROMPT"]
QUERY_HOST = os.environ.get("SW_E2E_QUERY_HOST")
with open(os.path.join(os.environ["SW_E2E_REPO"], "update", "update_constants.h"), encoding="utf-8") as _f:
    RELEASE_PAGE = re.search(r'kReleasePageAddress = "([^"]+)"', _f.read()).group(1)

MAIN = "Zandrel自动签到"
VERSION = "版本信息"
ABOUT = "Hi～"
EASTER_EGG = "隐藏彩蛋"
CONTACT = "QQ"
START_WORDS = " 自动签到开始运行"
SIGN_IN_WORDS = " 自动签到"
DATE_TIME = re.compile(r"^\d{4}年\d{1,2}月\d{1,2}日(\d{1,2}时(\d{1,2}分(\d{1,2}秒)?)?)?$")


def eventually(check, timeout=10.0, interval=0.1):
    """The first true result of check() within the timeout, else the last result."""
    deadline = time.monotonic() + timeout
    while True:
        result = check()
        if result or time.monotonic() > deadline:
            return result
        time.sleep(interval)


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, check=False).stdout


def window_id(title):
    """The visible top-level window with exactly this title, or None."""
    ids = run("xdotool", "search", "--onlyvisible", "--name", "^" + re.escape(title) + "$").split()
    return int(ids[0]) if ids else None


def outer_rect(xid):
    """(left, top, width, height) of the window with its manager frame, in root pixels."""
    if xid is None:
        raise AssertionError("no such window")
    info = run("xwininfo", "-id", str(xid))
    x = int(re.search(r"Absolute upper-left X:\s+(-?\d+)", info).group(1))
    y = int(re.search(r"Absolute upper-left Y:\s+(-?\d+)", info).group(1))
    w = int(re.search(r"Width:\s+(\d+)", info).group(1))
    h = int(re.search(r"Height:\s+(\d+)", info).group(1))
    extents = re.search(r"= (\d+), (\d+), (\d+), (\d+)", run("xprop", "-id", str(xid), "_NET_FRAME_EXTENTS"))
    left, right, top, bottom = (int(v) for v in extents.groups()) if extents else (0, 0, 0, 0)
    return (x - left, y - top, w + left + right, h + top + bottom)


def screen_size():
    m = re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo"))
    return int(m.group(1)), int(m.group(2))


class Program:
    """One run of the program under test."""

    def __init__(self, env=None):
        self.log = tempfile.NamedTemporaryFile(prefix="zandrel-", suffix=".log", delete=False)
        self.process = subprocess.Popen([PROGRAM], stdout=self.log, stderr=subprocess.STDOUT, env=env)
        if not eventually(lambda: window_id(MAIN), timeout=30):
            raise AssertionError("the main window did not appear:\n" + self.output())

    def output(self):
        with open(self.log.name, encoding="utf-8", errors="replace") as f:
            return f.read()

    def stop(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)
            self.process.wait(timeout=20)
        os.unlink(self.log.name)

    # Reading through the accessibility tree.
    def _application(self):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_process_id() == self.process.pid:
                app.clear_cache()  # read what the program shows now
                return app
        return None

    def _frame(self, title):
        app = eventually(self._application, timeout=10)
        if app is None:
            return None
        for i in range(app.get_child_count()):
            frame = app.get_child_at_index(i)
            if frame is not None and frame.get_name() == title:
                return frame
        return None

    def _find(self, title, control):
        frame = eventually(lambda: self._frame(title), timeout=5)
        if frame is None:
            raise AssertionError(f"no window {title!r} in the accessibility tree")

        def search(node):
            if node.get_accessible_id() == control:
                return node
            for i in range(node.get_child_count()):
                child = node.get_child_at_index(i)
                found = search(child) if child is not None else None
                if found is not None:
                    return found
            return None

        found = search(frame)
        if found is None:
            raise AssertionError(f"no control {control!r} in {title!r}")
        return found

    def caption(self, title, control):
        return self._find(title, control).get_name()

    def items(self, title, control):
        table = self._find(title, control)
        cells = []
        for i in range(table.get_child_count()):
            cell = table.get_child_at_index(i)
            if cell is not None and cell.get_role() == Atspi.Role.TABLE_CELL:
                cells.append(cell.get_name())
        return cells

    def font(self, title, control):
        """(first family asked for, size in points, weight) of the control's text."""
        attributes = self._find(title, control).get_default_attributes()
        return attributes["family-name"].split(",")[0], attributes["size"], attributes["weight"]

    def showing(self, title, control):
        return self._find(title, control).get_state_set().contains(Atspi.StateType.SHOWING)

    # Input through the X server, at the control's place on the screen.
    def press(self, title, control, button=1):
        node = self._find(title, control)
        box = node.get_extents(Atspi.CoordType.SCREEN)
        x, y = box.x + box.width // 2, box.y + box.height // 2
        run("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))

    def key(self, title, key):
        xid = eventually(lambda: window_id(title), timeout=5)
        if xid is None:
            raise AssertionError(f"no window {title!r} to type into")
        run("xdotool", "windowactivate", "--sync", str(xid))
        run("xdotool", "key", "--clearmodifiers", key)


class PromptWindow:
    """A plain window of the given outer size that records the presses it receives."""

    def __init__(self, title, width, height):
        self.process = subprocess.Popen([PROMPT, title, str(width), str(height)],
                                        stdout=subprocess.PIPE, text=True)
        self.lines = []
        self.ready = threading.Event()
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        if not self.ready.wait(10):
            raise AssertionError("the prompt window did not appear")

    def _read(self):
        for line in self.process.stdout:
            self.lines.append(line.strip())
            if line.startswith("ready"):
                self.ready.set()

    def presses(self):
        return [tuple(int(v) for v in line.split()[1:]) for line in self.lines if line.startswith("press")]

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        self.reader.join(timeout=10)
        self.process.stdout.close()


def expected_click(rect):
    """0.34 of the height below the centre of the outer rectangle, truncated."""
    left, top, width, height = rect
    right, bottom = left + width, top + height
    return int(right * 0.5 + left * 0.5), int(bottom * 0.5 + top * 0.5 + height * 0.34)


class ProgramTest(unittest.TestCase):
    def setUp(self):
        self.program = Program()
        self.addCleanup(self.program.stop)

    def test_starts_centred_with_one_start_line_and_a_zero_count(self):
        p = self.program
        self.assertEqual(p.caption(MAIN, "标签4"), "0")
        self.assertEqual(p.caption(MAIN, "标签1"), "自动签到正在运行")
        lines = p.items(MAIN, "列表框1")
        self.assertEqual(len(lines), 1, lines)
        self.assertTrue(lines[0].endswith(START_WORDS), lines)
        self.assertRegex(lines[0][: -len(START_WORDS)], DATE_TIME)
        width, height = screen_size()
        rect = eventually(lambda: outer_rect(window_id(MAIN))[2:] == (284, 141) and outer_rect(window_id(MAIN)))
        self.assertEqual(rect, ((width - 284) // 2, (height - 141) // 2, 284, 141))
        # The counter in bold 19 px (14 pt at 96 dpi), the rest in the 12 px default.
        self.assertEqual(p.font(MAIN, "标签4")[1:], ("14", "700"))
        self.assertEqual(p.font(MAIN, "标签1")[1:], ("9", "400"))
        icon = run("xprop", "-id", str(window_id(MAIN)), "_NET_WM_ICON")
        sizes = [int(w) for w, h in re.findall(r"Icon \((\d+) x (\d+)\)", icon) if w == h]
        self.assertEqual(sorted(sizes), [16, 24, 32, 48, 64, 72, 96, 128])

    def test_signs_in_on_a_prompt_shaped_window_only(self):
        p = self.program
        other = PromptWindow("not a prompt", 400, 300)
        self.addCleanup(other.close)
        prompt = PromptWindow("sign-in prompt", 461, 500)  # 461 / 500 = 0.922
        self.addCleanup(prompt.close)
        self.assertTrue(eventually(prompt.presses, timeout=8), "the prompt was never clicked")
        rect = outer_rect(window_id("sign-in prompt"))
        prompt.close()
        self.assertEqual(rect[2:], (461, 500))
        self.assertEqual(prompt.presses()[0], expected_click(rect) + (1,))
        self.assertTrue(eventually(lambda: p.caption(MAIN, "标签4") == "1"), p.caption(MAIN, "标签4"))
        lines = p.items(MAIN, "列表框1")
        self.assertEqual(len(lines), 2, lines)
        self.assertTrue(lines[0].endswith(START_WORDS))
        self.assertTrue(lines[1].endswith(SIGN_IN_WORDS) and not lines[1].endswith(START_WORDS), lines)
        self.assertRegex(lines[1][: -len(SIGN_IN_WORDS)], DATE_TIME)
        time.sleep(3.5)  # at least one more tick with only the other window left
        self.assertEqual(other.presses(), [])
        self.assertEqual(p.caption(MAIN, "标签4"), "1")

    def test_run_log_button_expands_and_collapses_the_window(self):
        p = self.program
        xid = window_id(MAIN)
        start = eventually(lambda: outer_rect(xid)[3] == 141 and outer_rect(xid))
        p.press(MAIN, "按钮2")
        expanded = eventually(lambda: outer_rect(xid)[3] == 300 and outer_rect(xid))
        self.assertEqual(expanded, start[:3] + (300,))
        self.assertTrue(eventually(lambda: p.showing(MAIN, "列表框1")))
        p.press(MAIN, "按钮2")
        collapsed = eventually(lambda: outer_rect(xid)[3] == 141 and outer_rect(xid))
        self.assertEqual(collapsed, start)
        self.assertFalse(p.showing(MAIN, "列表框1"))
        self.assertEqual(len(p.items(MAIN, "列表框1")), 1)

    def test_escape_on_the_main_window_ends_the_program_with_exit_code_0(self):
        self.program.key(MAIN, "Escape")
        self.assertEqual(self.program.process.wait(timeout=20), 0, self.program.output())

    def test_version_window_is_modal_and_escape_closes_only_it(self):
        p = self.program
        p.press(MAIN, "按钮3")
        xid = eventually(lambda: window_id(VERSION))
        self.assertTrue(xid, "the version window did not open")
        width, height = screen_size()
        rect = eventually(lambda: outer_rect(xid)[2:] == (364, 191) and outer_rect(xid))
        self.assertEqual(rect, ((width - 364) // 2, (height - 191) // 2, 364, 191))
        self.assertEqual(p.caption(VERSION, "标签2"), "5.6")
        self.assertEqual(p.caption(VERSION, "标签6"), "待检测")
        # Fonts T (29 px), V (bold 24 px, vertical-writing face) and L (bold 24 px).
        self.assertEqual(p.font(VERSION, "标签1")[1:], ("21", "400"))
        self.assertEqual(p.font(VERSION, "标签2"), ("@Microsoft YaHei UI", "18", "700"))
        self.assertEqual(p.font(VERSION, "标签6"), ("微软雅黑", "18", "700"))
        self.assertFalse(p.showing(VERSION, "按钮2"))
        # The main window takes no input meanwhile.
        p.press(MAIN, "按钮2")
        time.sleep(0.5)
        self.assertEqual(outer_rect(window_id(MAIN))[3], 141)
        # The author window opens above it; Esc closes only the active window.
        p.press(VERSION, "按钮1")
        about = eventually(lambda: window_id(ABOUT))
        self.assertTrue(about, "作者 did not open the author window")
        self.assertEqual(eventually(lambda: outer_rect(about)[2:] == (197, 98) and outer_rect(about)[2:]), (197, 98))
        p.key(ABOUT, "Escape")
        self.assertTrue(eventually(lambda: window_id(ABOUT) is None))
        self.assertTrue(window_id(VERSION), "Esc in the author window closed the version window too")
        p.key(VERSION, "Escape")
        self.assertTrue(eventually(lambda: window_id(VERSION) is None))
        self.assertIsNone(p.process.poll())
        # ... and takes it again afterwards.
        p.press(MAIN, "按钮2")
        self.assertTrue(eventually(lambda: outer_rect(window_id(MAIN))[3] == 300))

    def test_sign_ins_go_on_while_a_modal_window_is_open(self):
        p = self.program
        p.press(MAIN, "按钮3")
        self.assertTrue(eventually(lambda: window_id(VERSION)))
        prompt = PromptWindow("sign-in prompt", 461, 500)
        self.addCleanup(prompt.close)
        self.assertTrue(eventually(prompt.presses, timeout=8), "the prompt was never clicked")
        prompt.close()
        self.assertTrue(eventually(lambda: p.caption(MAIN, "标签4") == "1"))
        self.assertEqual(len(p.items(MAIN, "列表框1")), 2)
        self.assertTrue(window_id(VERSION))

    def test_easter_egg_chain_opens_on_the_left_button_only(self):
        p = self.program
        p.press(MAIN, "图片框1", button=3)
        time.sleep(1.0)
        self.assertIsNone(window_id(EASTER_EGG), "a right press opened the easter egg")
        p.press(MAIN, "图片框1", button=1)
        self.assertTrue(eventually(lambda: window_id(EASTER_EGG)), "a left press did not open it")
        self.assertEqual(p.caption(EASTER_EGG, "标签1"), "呦，都找到这来啦？\r\n那就加个QQ吧～")
        p.press(EASTER_EGG, "按钮1")  # 同意
        contact = eventually(lambda: window_id(CONTACT))
        self.assertTrue(contact, "同意 did not open the contact window")
        self.assertEqual(eventually(lambda: outer_rect(contact)[2:] == (318, 435) and outer_rect(contact)[2:]),
                         (318, 435))
        p.key(CONTACT, "Escape")
        self.assertTrue(eventually(lambda: window_id(CONTACT) is None))
        self.assertTrue(window_id(EASTER_EGG), "Esc in the contact window closed the easter egg too")
        p.press(EASTER_EGG, "按钮2")  # 取消
        self.assertTrue(eventually(lambda: window_id(EASTER_EGG) is None))
        self.assertIsNone(p.process.poll())
        p.press(MAIN, "按钮2")
        self.assertTrue(eventually(lambda: outer_rect(window_id(MAIN))[3] == 300))


class VersionServer(http.server.BaseHTTPRequestHandler):
    body = b""
    requests = []

    def do_GET(self):  # noqa: N802
        VersionServer.requests.append((self.path, self.headers.get("Host")))
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(VersionServer.body)))
        self.end_headers()
        self.wfile.write(VersionServer.body)

    def log_message(self, *args):
        pass


@unittest.skipUnless(QUERY_HOST, "needs root for a private network namespace")
class UpdateCheckTest(unittest.TestCase):
    def setUp(self):
        self.server = http.server.HTTPServer(("127.0.0.1", 80), VersionServer)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.addCleanup(self.server.server_close)
        self.addCleanup(self.server.shutdown)
        VersionServer.requests = []
        # The desktop's browser launcher is replaced by one that records the address.
        bin_dir = tempfile.mkdtemp(prefix="zandrel-bin-")
        self.opened = os.path.join(bin_dir, "opened")
        launcher = os.path.join(bin_dir, "xdg-open")
        with open(launcher, "w", encoding="utf-8") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >>"{self.opened}"\n')
        os.chmod(launcher, 0o755)
        env = dict(os.environ, PATH=bin_dir + os.pathsep + os.environ["PATH"])
        self.program = Program(env)
        self.addCleanup(self.program.stop)

    def check(self, body):
        p = self.program
        VersionServer.body = body
        before = len(VersionServer.requests)
        p.press(VERSION, "按钮3")  # 检查更新
        self.assertTrue(eventually(lambda: len(VersionServer.requests) > before), "no request reached the server")

    def test_update_check_against_the_query_host(self):
        p = self.program
        p.press(MAIN, "按钮3")
        self.assertTrue(eventually(lambda: window_id(VERSION)))
        self.check(b'portraitCallBack({"2840561372":["http://q.example/1","5.7",0]})')
        self.assertTrue(eventually(lambda: p.caption(VERSION, "标签6") == "5.7"), p.caption(VERSION, "标签6"))
        self.assertTrue(eventually(lambda: p.showing(VERSION, "按钮2")))
        path, host = VersionServer.requests[-1]
        self.assertEqual(path, "/fcg-bin/cgi_get_portrait.fcg?uins=2840561372")
        self.assertEqual(host, QUERY_HOST)

        p.press(VERSION, "按钮2")  # 查看更新 hands the release page to the browser
        self.assertTrue(eventually(lambda: os.path.exists(self.opened)), "no browser was started")
        with open(self.opened, encoding="utf-8") as f:
            self.assertEqual(f.read(), RELEASE_PAGE + "\n")

        self.check(b'1,"5.6",2')
        self.assertTrue(eventually(lambda: p.caption(VERSION, "标签6") == "5.6"))
        self.assertTrue(eventually(lambda: not p.showing(VERSION, "按钮2")))

        # Opened again, the window starts from its definition.
        p.key(VERSION, "Escape")
        self.assertTrue(eventually(lambda: window_id(VERSION) is None))
        p.press(MAIN, "按钮3")
        self.assertTrue(eventually(lambda: window_id(VERSION)))
        self.assertEqual(p.caption(VERSION, "标签6"), "待检测")
        self.assertFalse(p.showing(VERSION, "按钮2"))

    def test_a_failed_request_empties_the_label_and_offers_the_update(self):
        p = self.program
        p.press(MAIN, "按钮3")
        self.assertTrue(eventually(lambda: window_id(VERSION)))
        self.server.shutdown()
        self.server.server_close()  # connections to port 80 are now refused
        p.press(VERSION, "按钮3")
        self.assertTrue(eventually(lambda: p.caption(VERSION, "标签6") == ""), p.caption(VERSION, "标签6"))
        self.assertTrue(eventually(lambda: p.showing(VERSION, "按钮2")))


class NoDisplayTest(unittest.TestCase):
    def test_without_an_x11_display_it_says_so_and_ends(self):
        for display in (None, ":97"):
            env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
            if display:
                env["DISPLAY"] = display
            done = subprocess.run([PROGRAM], env=env, capture_output=True, text=True, timeout=30)
            self.assertEqual(done.returncode, 255, done.stderr)
            self.assertIn("needs an X11 display", done.stderr)
            if display:
                self.assertIn("DISPLAY=" + display, done.stderr)


class RunScriptTest(unittest.TestCase):
    def test_without_a_display_it_shows_a_sign_in_in_screenshots(self):
        shots = tempfile.mkdtemp(prefix="zandrel-shots-")
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        env.update(ZANDREL_BUILD_DIR=os.environ["SW_E2E_BUILD_DIR"], ZANDREL_SCREENSHOT_DIR=shots)
        script = os.path.join(os.environ["SW_E2E_REPO"], "scripts", "run.sh")
        done = subprocess.run([script], env=env, capture_output=True, text=True, timeout=120)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        before, after = os.path.join(shots, "before.png"), os.path.join(shots, "after.png")
        self.assertIn(before, done.stdout)
        self.assertIn(after, done.stdout)
        for shot in (before, after):
            with open(shot, "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n", shot)
        with open(os.path.join(shots, "prompt.log"), encoding="utf-8") as f:
            self.assertIn("press", f.read())


if __name__ == "__main__":
    unittest.main()
