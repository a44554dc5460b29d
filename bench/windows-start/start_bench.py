"""Launch-to-window times under Wine: the wizard's first frame against notepad's window.

    python3 start_bench.py --exe larkholm-setup.exe --prefix DIR [--runs 10]

Both programs start in one prefix booted once (tools/wine-run.sh, so the warm wineserver serves every
launch alike) on one Xvfb. A window counts as shown when X reports it viewable; the wizard's first
frame is there when the window holds the picture of its page rather than one flat colour.
"""

import argparse
import os
import signal
import statistics
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools/demo-service"))
import larkholm_demo as demo  # noqa: E402

# The 32-bit notepad, as the wizard is a 32-bit program (in a WoW64 prefix, plain "notepad.exe" is
# the 64-bit one, which Wine starts through a second loader process).
NOTEPAD = r"C:\windows\syswow64\notepad.exe"


def visible_window(display, pid):
    found = demo.xdotool("search", "--onlyvisible", "--pid", str(pid), display=display)
    return found.stdout.split()[0] if found.returncode == 0 and found.stdout.strip() else None


def colours_in(display, window):
    """How many distinct colours the window shows; 0 while it cannot be read."""
    shot = subprocess.run(["import", "-window", window, "-format", "%k", "info:"], capture_output=True,
                          text=True, env=dict(os.environ, DISPLAY=display))
    return int(shot.stdout) if shot.returncode == 0 and shot.stdout.strip().isdigit() else 0


def launch(command, environment, display, first_frame):
    """Seconds from launch until the window shows, and (with `first_frame`) until it is drawn."""
    start = time.monotonic()
    process = subprocess.Popen(command, env=environment, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        def shown():
            if process.poll() is not None:
                raise RuntimeError(f"{command[-1]} exited with {process.returncode} before its window showed")
            return visible_window(display, process.pid)

        window = demo.wait_for(shown, 120, f"the window of {command[-1]}", interval=0.01)
        shown_after = time.monotonic() - start
        if not first_frame:
            return shown_after, None
        # An undrawn window is one flat colour; the wizard's page has its pictures and text.
        demo.wait_for(lambda: colours_in(display, window) > 16, 120, "the first frame", interval=0.01)
        return shown_after, time.monotonic() - start
    finally:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--runs", type=int, default=10)
    options = parser.parse_args()

    display = demo.VirtualDisplay()
    environment = dict(os.environ, DISPLAY=display.display, WINEPREFIX=options.prefix, WINEDEBUG="-all",
                       WINEDLLOVERRIDES="mscoree,mshtml=")
    wine_run = str(ROOT / "tools/wine-run.sh")
    try:
        subprocess.run([wine_run, "--boot", options.prefix], env=environment, check=True)
        # One launch of each first, so neither pays for a cold disk cache in the figures.
        launch(["wine", NOTEPAD], environment, display.display, first_frame=False)
        launch(["wine", options.exe], environment, display.display, first_frame=True)
        notepad, wizard_window, wizard = [], [], []
        for _ in range(options.runs):
            notepad.append(launch(["wine", NOTEPAD], environment, display.display, first_frame=False)[0])
            shown, drawn = launch(["wine", options.exe], environment, display.display, first_frame=True)
            wizard_window.append(shown)
            wizard.append(drawn)
    finally:
        subprocess.run([wine_run, "--stop", options.prefix], env=environment)
        display.stop()

    print("notepad to window (s):", " ".join(f"{t:.2f}" for t in notepad))
    print("wizard to window (s):", " ".join(f"{t:.2f}" for t in wizard_window))
    print("wizard to first frame (s):", " ".join(f"{t:.2f}" for t in wizard))
    print(f"RATIO start-to-first-frame-wine {statistics.median(wizard):.3f} {statistics.median(notepad):.3f} "
          f"s notepad-window")
    print(f"RATIO start-to-window-wine {statistics.median(wizard_window):.3f} {statistics.median(notepad):.3f} "
          f"s notepad-window")
    size = Path(options.exe).stat().st_size
    print(f"larkholm-setup.exe: {size} bytes ({size / 2**20:.2f} MiB, target 6 MiB)")


if __name__ == "__main__":
    main()
