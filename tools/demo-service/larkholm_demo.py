"""Pieces the demo command (tools/run-demo.sh) and the end-to-end test (tests/e2e/) share: a
Wine-prefix-shaped folder, the demo install service, a virtual X display, and the wizard process.

Every wait polls a condition until a time-out; nothing sleeps a fixed time to let something happen.
"""

import os
import re
import select
import signal
import subprocess
import time
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
SITE_DIR = SOURCE_DIR / "tools/demo-service/site"
ARCHIVE_PASSWORD = "Vorlimbeck"
DEFAULT_PORT = 18480
SHOP_CODE = "8001"
PASSWORD = "demo123"

WIZARD_PATH = "app/larkholm-setup"  # in the build folder
WINDOW_TITLE = "Larkholm"

# Centres of the controls the drive clicks, in window coordinates at 100 % display scale, as the
# main layout places them (the 666 × 474 window, pages under the 60-pixel caption, overlay panels
# centred). A wizard drawn at another scale is clicked at these times its scale.
SHOP_CODE_EDIT = (346, 227)
PASSWORD_EDIT = (346, 270)
START_BUTTON = (346, 357)
FINISH_BUTTON = (333, 287)
CLOSE_BUTTON = (636, 20)
MESSAGE_CONFIRM_BUTTON = (455, 317)
QUIT_YES_BUTTON = (395, 317)


def wait_for(condition, timeout, what, interval=0.05):
    """Returns the first true value of condition(), polling until `timeout` seconds have passed."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError(f"gave up after {timeout} s waiting for {what}")
        time.sleep(interval)


def stop_process(process, timeout=10):
    """Asks a child to end (SIGTERM), and kills it if it has not after `timeout` seconds."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()
    return process.returncode


def make_prefix(path, components=True):
    """Makes the folder shape of a Wine prefix at `path`. With `components`, the demo's own
    component installers put WIC and .NET 4.0 in, so the wizard finds both present."""
    path = Path(path).resolve()
    for folder in ("drive_c/windows/system32", "drive_c/Program Files", "drive_c/ProgramData", "dosdevices"):
        (path / folder).mkdir(parents=True, exist_ok=True)
    os.symlink("../drive_c", path / "dosdevices/c:")
    (path / "system.reg").write_text(
        "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n")
    if components:
        environment = dict(os.environ, WINEPREFIX=str(path))
        for installer in ("software/wic_x86_chs.exe", "supplier/website/package/dotNetFx40_Full_x86_x64.exe"):
            subprocess.run(["sh", str(SITE_DIR / installer)], env=environment, check=True,
                           stdout=subprocess.DEVNULL)
    return path


class DemoService:
    """The demo install service as a child process, on `port` (0: a free one). `site_dir` and
    `package_dir` replace the content it serves (the Windows run serves Windows programs)."""

    def __init__(self, binary, workdir, port=0, rate=None, site_dir=None, package_dir=None):
        workdir = Path(workdir)
        port_file = workdir / "service.port"
        port_file.unlink(missing_ok=True)
        self.log_path = workdir / "service.log"
        command = [str(binary), "--port", str(port), "--port-file", str(port_file)]
        if rate:
            command += ["--rate", str(rate)]
        if site_dir:
            command += ["--site-dir", str(site_dir)]
        if package_dir:
            command += ["--package-dir", str(package_dir)]
        with open(self.log_path, "wb") as log:
            self.process = subprocess.Popen(command, stdout=log, stderr=subprocess.STDOUT)

        def listening():
            if self.process.poll() is not None:
                raise RuntimeError("the demo service did not start:\n" + self.log_path.read_text())
            return port_file.exists() and port_file.read_text().strip()

        self.port = int(wait_for(listening, 30, "the demo service to listen"))
        self.origin = f"http://127.0.0.1:{self.port}"

    def environment(self):
        """The wizard's endpoint settings pointed at this service."""
        return {
            "LARKHOLM_SERVICE_URL": self.origin + "/admin",
            "LARKHOLM_WIC_URL": self.origin + "/software/wic_x86_chs.exe",
            "LARKHOLM_DOTNET_URL": self.origin + "/supplier/website/package/dotNetFx40_Full_x86_x64.exe",
            "LARKHOLM_AGREEMENT_URL": self.origin + "/shop/resources/html/procotal.html",
        }

    def stop(self):
        stop_process(self.process)


class VirtualDisplay:
    """An Xvfb server on the first free display number (Xvfb picks it and reports it). It runs with
    -noreset: an X server that resets when its last client leaves turns away whoever connects during
    the reset, so the wizard could miss the display right after the readiness probe below."""

    def __init__(self, size="1600x1200x24"):
        reader, writer = os.pipe()
        try:
            self.process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(writer), "-screen", "0", size, "-nolisten", "tcp", "-noreset"],
                pass_fds=(writer,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(writer)
            writer = None
            number = b""
            deadline = time.monotonic() + 30
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or not select.select([reader], [], [], remaining)[0]:
                    stop_process(self.process)
                    raise TimeoutError("Xvfb did not report its display")
                piece = os.read(reader, 16)
                if not piece:
                    raise RuntimeError("Xvfb ended before it reported its display")
                number += piece
        finally:
            os.close(reader)
            if writer is not None:
                os.close(writer)
        self.display = ":" + number.decode().strip()
        # Under load a client may still be turned away just after the report; wait until one is served.
        wait_for(lambda: subprocess.run(["xdpyinfo", "-display", self.display], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL).returncode == 0, 30, "Xvfb to accept clients")

    def stop(self):
        stop_process(self.process)


def xdotool(*arguments, display=None):
    environment = dict(os.environ, DISPLAY=display) if display else None
    return subprocess.run(["xdotool", *arguments], env=environment, capture_output=True, text=True)


class Wizard:
    """The wizard as a child process. Tests and the demo read its log to know where it is: the log
    is its output (on Linux it writes its diagnostics and the texts of its overlays to standard
    error), or `log_path` when it writes the log to a file of its own (/LOG= on Windows).

    `command` is the program, or a list of the program and its arguments (e.g. Wine and the .exe).
    Every time-out is `time_scale` times longer, and with `settle_pictures` a screenshot waits for
    the window to finish drawing (the Windows build under Wine draws late and slowly). `scale` is
    the display scale the window is drawn at, in percent (default: LARKHOLM_SCALE of `environment`,
    else 100)."""

    def __init__(self, command, environment, output_path, log_path=None, time_scale=1, settle_pictures=False,
                 scale=None):
        self.scale = scale or int(environment.get("LARKHOLM_SCALE") or 100)
        self.output_path = Path(output_path)
        self.log_path = Path(log_path) if log_path else self.output_path
        self.time_scale = time_scale
        self.settle_pictures = settle_pictures
        self.last_picture = None
        self.display = environment.get("DISPLAY")
        command = [str(part) for part in command] if isinstance(command, (list, tuple)) else [str(command)]
        with open(self.output_path, "wb") as output:
            self.process = subprocess.Popen(command, env=environment, stdout=output, stderr=subprocess.STDOUT,
                                            start_new_session=True)
        self.window = None

    def log(self):
        """The log so far, with Windows line ends read as "\n"; empty while there is no log file."""
        try:
            text = self.log_path.read_text(encoding="utf-8", errors="replace")
        except FileNotFoundError:
            return ""
        return text.replace("\r\n", "\n")

    def wait_for_log(self, pattern, timeout=60, start=0):
        """Waits for `pattern` (a regular expression) in the log after offset `start`; returns the match."""

        def found():
            match = re.compile(pattern).search(self.log(), start)
            if not match and self.process.poll() is not None:
                raise RuntimeError(f"the wizard exited ({self.process.returncode}) before logging "
                                   f"{pattern!r}; its log:\n{self.log()}")
            return match

        return wait_for(found, timeout * self.time_scale, f"{pattern!r} in the wizard's log")

    def wait_for_window(self, title, timeout=60):
        def search():
            if self.process.poll() is not None:
                raise RuntimeError(f"the wizard exited ({self.process.returncode}); its log:\n{self.log()}")
            found = xdotool("search", "--onlyvisible", "--pid", str(self.process.pid), "--name", title,
                            display=self.display)
            return found.stdout.split()[0] if found.returncode == 0 and found.stdout.strip() else None

        self.window = wait_for(search, timeout * self.time_scale, f"the wizard's window {title!r}")
        return self.window

    def click(self, x, y):
        """Clicks at (x, y) in window coordinates at 100 % display scale."""
        x, y = (round(v * self.scale / 100) for v in (x, y))
        xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1", display=self.display)

    def geometry(self):
        """The window's size on the screen, "WIDTHxHEIGHT"."""
        found = xdotool("getwindowgeometry", self.window, display=self.display)
        return re.search(r"Geometry: (\d+x\d+)", found.stdout).group(1)

    def type(self, text):
        xdotool("type", "--delay", "15", text, display=self.display)

    def capture(self):
        """The window's pixels as they are on the screen now (a PPM image: no time stamps in it, so
        two captures of the same picture are the same bytes)."""
        if self.window is None:
            self.wait_for_window(WINDOW_TITLE)
        environment = dict(os.environ, DISPLAY=self.display)
        return subprocess.run(["import", "-window", self.window, "ppm:-"], env=environment, check=True,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout

    def screenshot(self, path):
        """Saves the window's picture as a PNG file; with `settle_pictures`, the settled one."""
        picture = self.settled_picture() if self.settle_pictures else self.capture()
        self.last_picture = picture
        subprocess.run(["convert", "ppm:-", "-strip", f"png:{path}"], input=picture, check=True)

    def settled_picture(self):
        """For a window that draws late, which still shows the page before (or nothing, or a step in
        between) for a while after the log announced a page: the first picture unlike the last one
        saved that then holds still for a second. A page that keeps moving (the progress page) gives
        its picture after one and a half seconds."""
        picture = wait_for(self.new_picture, 30 * self.time_scale, "the window to draw the page", interval=0.1)
        changed = started = time.monotonic()
        while time.monotonic() - changed < 1 and time.monotonic() - started < 1.5:
            previous, picture = picture, self.capture()
            if picture != previous:
                changed = time.monotonic()
        return picture

    def new_picture(self):
        """A capture that is not one colour and unlike the last picture saved, else None."""
        picture = self.capture()
        pixels = picture.split(b"\n", 3)[3]  # after the PPM header: magic, size, depth
        return picture if picture != self.last_picture and min(pixels) != max(pixels) else None

    def wait_exit(self, timeout=30):
        return self.process.wait(timeout * self.time_scale)

    def stop(self):
        if self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGTERM)
        return stop_process(self.process)


def page_shown(name):
    """The log line the wizard writes when it shows a page or an overlay."""
    return "Show page: " + name + "\n"


def wait_for_form(wizard, timeout=120):
    wizard.wait_for_window(WINDOW_TITLE)
    return wizard.wait_for_log(page_shown("win_install_allnew"), timeout)


def fill_form_and_start(wizard, shop_code, password, before_start=None):
    """Types the shop code and password into the form and presses the start button."""
    wait_for_form(wizard)
    wizard.click(*SHOP_CODE_EDIT)
    wizard.type(shop_code)
    wizard.click(*PASSWORD_EDIT)
    wizard.type(password)
    if before_start:
        before_start()
    wizard.click(*START_BUTTON)


def drive_full_install(wizard, shop_code, password, screenshots=None):
    """Takes the wizard from its start to the finish page. With a `screenshots` folder, saves one
    picture per page there; returns their paths."""
    pictures = []

    def picture(name):
        if screenshots:
            Path(screenshots).mkdir(parents=True, exist_ok=True)
            pictures.append(Path(screenshots) / name)
            wizard.screenshot(pictures[-1])

    wizard.wait_for_window(WINDOW_TITLE)
    wizard.wait_for_log(page_shown("win_check_componet"))
    picture("1-component-check.png")
    fill_form_and_start(wizard, shop_code, password, before_start=lambda: picture("2-install-form.png"))
    wizard.wait_for_log(page_shown("win_install_progress"))
    if screenshots:
        # A bar part-way along tells more than the empty one of the first moment.
        wizard.wait_for_log(r"下载进度 : +[3-9]\d\.\d\d%, ")
    picture("3-progress.png")
    wizard.wait_for_log(page_shown("win_install_finish"), timeout=300)
    picture("4-finish.png")
    return pictures


def finish(wizard):
    """Presses the finish page's button, which ends the wizard."""
    wizard.click(*FINISH_BUTTON)


def dismiss_message_and_quit(wizard, quit_screenshot=None):
    """Closes the message overlay, then the window through its close button and the quit overlay."""
    wizard.click(*MESSAGE_CONFIRM_BUTTON)
    wizard.click(*CLOSE_BUTTON)
    wizard.wait_for_log(page_shown("win_install_quit"))
    if quit_screenshot:
        wizard.screenshot(quit_screenshot)
    wizard.click(*QUIT_YES_BUTTON)
