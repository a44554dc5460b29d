"""End to end: the real X11 wizard on Xvfb against the demo install service.

    python3 wizard_e2e_test.py --wizard PATH --service PATH [unittest arguments]

Each case starts its own demo service on a free port, a fresh Wine-prefix-shaped folder and the
wizard, and follows the wizard through its log (standard error). LARKHOLM_E2E_SCREENSHOTS=DIR keeps a
screenshot of every page the full install passes (the README's pictures come from there).
"""

import argparse
import os
import subprocess
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools/demo-service"))
import larkholm_demo as demo  # noqa: E402
from end_to_end import PRODUCT_PACE, TIME_ZONE, CommonCases, EndToEndCase  # noqa: E402

PROGRAMS = {}


class WizardEndToEndTest(CommonCases, EndToEndCase):
    def setUp(self):
        self.start_case(PROGRAMS["service"])
        # The desktop's opener, replaced by one that records what the wizard starts.
        bin_dir = self.work / "bin"
        bin_dir.mkdir()
        opener = bin_dir / "xdg-open"
        # It also notes its whole command line and whether the password reached its environment.
        opener.write_text('#!/bin/sh\nprintf "%s\\n" "$1" >> "$LARKHOLM_E2E_OPENED"\n'
                          'printf "%s|%s\\n" "$*" "${LARKHOLM_PASSWORD-}" >> "$LARKHOLM_E2E_OPENED.children"\n')
        opener.chmod(0o755)
        self.opened = self.work / "opened.txt"
        self.environment = dict(
            # The run logs stay in the case's folder too.
            os.environ, DISPLAY=self.display.display, TZ=TIME_ZONE, LARKHOLM_CLOCK_SPEEDUP="10", TMPDIR=str(self.work),
            PATH=f"{bin_dir}:{os.environ.get('PATH', '/usr/bin:/bin')}", LARKHOLM_E2E_OPENED=str(self.opened),
            **self.service.environment())

    def start_wizard(self, components=True):
        prefix = demo.make_prefix(self.work / "prefix", components=components)
        self.environment["WINEPREFIX"] = str(prefix)
        wizard = demo.Wizard(PROGRAMS["wizard"], self.environment, self.work / "wizard.log")
        self.addCleanup(wizard.stop)
        return prefix, wizard

    def test_full_install_matches_unzip_and_exits_cleanly(self):
        prefix, wizard = self.start_wizard()
        demo.drive_full_install(wizard, demo.SHOP_CODE, demo.PASSWORD, self.screenshots)

        install = prefix / "drive_c/Program Files/Ostrelle/assist"
        downloads = prefix / "drive_c/ProgramData/Ostrelle"
        self.assert_download_folder_verified(downloads)
        self.assert_same_as_unzip(install, downloads / "assist.zip")
        demo.wait_for(lambda: self.opened.exists(), 10, "the wizard to start the installed program")
        self.assertEqual(self.opened.read_text().split("\n")[0], str(install / "assist.exe"))

        demo.finish(wizard)
        self.assertEqual(wizard.wait_exit(30), 0, wizard.log())

    def start_unattended(self, *switches, components=True):
        """Starts the wizard with `switches` and its run logs going to a folder of the case's own."""
        prefix = demo.make_prefix(self.work / "prefix", components=components)
        self.temp = self.work / "temp"
        self.temp.mkdir()
        self.environment.update(WINEPREFIX=str(prefix), TMPDIR=str(self.temp))
        wizard = demo.Wizard([PROGRAMS["wizard"], *switches], self.environment, self.work / "wizard.log")
        self.addCleanup(wizard.stop)
        return prefix, wizard

    def run_log(self):
        logs = sorted(self.temp.glob("larkholm-setup-*.log"))
        self.assertEqual(len(logs), 1, logs)
        return logs[0].read_text(encoding="utf-8")

    def test_very_silent_install_opens_no_window_and_keeps_the_password_to_itself(self):
        password_file = self.work / "password.txt"
        password_file.write_text(demo.PASSWORD + "\n", encoding="utf-8")
        prefix, wizard = self.start_unattended("/VERYSILENT", "/SHOP=" + demo.SHOP_CODE,
                                               f"/PASSWORDFILE={password_file}")
        # Until it ends, the X server never holds a window of ours.
        while wizard.process.poll() is None:
            windows = demo.xdotool("search", "--name", demo.WINDOW_TITLE, display=self.display.display)
            self.assertEqual(windows.stdout.strip(), "", "a window appeared")
        self.assertEqual(wizard.wait_exit(), 0, wizard.log())

        install = prefix / "drive_c/Program Files/Ostrelle/assist"
        self.assert_same_as_unzip(install, prefix / "drive_c/ProgramData/Ostrelle/assist.zip")
        children = Path(str(self.opened) + ".children").read_text().splitlines()
        self.assertEqual(children, [f"{install / 'assist.exe'}|"])
        log = self.run_log()
        self.assertIn("Unattended run ends with exit code 0", log)
        for text in (log, wizard.log(), *children):
            self.assertNotIn(demo.PASSWORD, text)

    def test_silent_install_shows_its_progress_installs_components_quietly_and_asks_nothing(self):
        self.environment["LARKHOLM_PASSWORD"] = demo.PASSWORD
        _, wizard = self.start_unattended("/SILENT", "/SHOP=" + demo.SHOP_CODE, "/NOLAUNCH", components=False)
        wizard.wait_for_window(demo.WINDOW_TITLE)
        self.assertEqual(wizard.wait_exit(120), 0, wizard.log())
        self.assertIn(demo.page_shown("win_install_progress"), wizard.log())
        self.assertFalse(self.opened.exists())
        self.assertNotIn(demo.PASSWORD, self.run_log())

    def test_unattended_outcomes_end_with_their_exit_codes(self):
        cases = [
            ("wrong password", ["/SHOP=" + demo.SHOP_CODE], "not-the-password", 3, "retcode"),
            ("unknown shop", ["/SHOP=9999"], demo.PASSWORD, 3, "retcode"),
            ("no password", ["/SHOP=" + demo.SHOP_CODE], None, 2, "No password"),
            ("password on the command line", ["/SHOP=" + demo.SHOP_CODE, "/PASSWORD=" + demo.PASSWORD],
             demo.PASSWORD, 2, "A password on the command line is refused"),
            ("no shop", [], demo.PASSWORD, 2, "Message overlay: 酒店编号不存在"),
        ]
        for what, switches, password, code, logged in cases:
            with self.subTest(what):
                case_dir = self.work / what.replace(" ", "-")
                case_dir.mkdir()
                environment = dict(self.environment, TMPDIR=str(case_dir),
                                   WINEPREFIX=str(demo.make_prefix(case_dir / "prefix")))
                environment.pop("LARKHOLM_PASSWORD", None)
                if password:
                    environment["LARKHOLM_PASSWORD"] = password
                wizard = demo.Wizard([PROGRAMS["wizard"], "/VERYSILENT", *switches], environment,
                                     case_dir / "wizard.log")
                self.addCleanup(wizard.stop)
                self.assertEqual(wizard.wait_exit(60), code, wizard.log())
                log = next(case_dir.glob("larkholm-setup-*.log")).read_text(encoding="utf-8")
                self.assertIn(logged, log)
                self.assertNotIn(demo.PASSWORD, log)

    def test_help_prints_the_switches_on_standard_output(self):
        result = subprocess.run([PROGRAMS["wizard"], "--help"], capture_output=True, text=True, timeout=60,
                                env=self.environment)
        self.assertEqual(result.returncode, 0)
        for switch in ("/SILENT", "/VERYSILENT", "/SHOP=", "/DIR=", "/PASSWORDFILE=", "/NOLAUNCH", "/UNINSTALL"):
            self.assertIn(switch, result.stdout)

    def test_missing_components_are_downloaded_and_installed(self):
        self.environment["LARKHOLM_CLOCK_SPEEDUP"] = PRODUCT_PACE
        prefix, wizard = self.start_wizard(components=False)
        demo.wait_for_form(wizard)
        self.assertTrue((prefix / "drive_c/windows/system32/windowscodecs.dll").exists())
        self.assertIn('"Version"="4.0.30319"', (prefix / "system.reg").read_text())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--wizard", required=True)
    parser.add_argument("--service", required=True)
    args, rest = parser.parse_known_args()
    PROGRAMS.update(wizard=args.wizard, service=args.service)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
