"""End to end: the real X11 wizard on Xvfb against the demo install service.

    python3 wizard_e2e_test.py --wizard PATH --service PATH [unittest arguments]

Each case starts its own demo service on a free port, a fresh Wine-prefix-shaped folder and the
wizard, and follows the wizard through its log (standard error). LARKHOLM_E2E_SCREENSHOTS=DIR keeps a
screenshot of every page the full install passes (the README's pictures come from there).
"""

import argparse
import os
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
        opener.write_text('#!/bin/sh\nprintf "%s\\n" "$1" >> "$LARKHOLM_E2E_OPENED"\n')
        opener.chmod(0o755)
        self.opened = self.work / "opened.txt"
        self.environment = dict(
            os.environ, DISPLAY=self.display.display, TZ=TIME_ZONE, LARKHOLM_CLOCK_SPEEDUP="10",
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
