"""What the Linux and the Windows end-to-end tests share: a virtual display for the test class; for
each case a temporary folder, the demo install service and the screenshot folder; the checks made
once an install has ended (every manifest file arrived with its digest, and the install folder holds
what unzip makes of the package: names, bytes, times); and the cases that run alike on both.
"""

import hashlib
import json
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.request
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools/demo-service"))
import larkholm_demo as demo  # noqa: E402

# A zone east of UTC without daylight saving: the archive stores local times, so both the wizard and
# unzip must turn them into the same instants, and a reader that takes them for UTC is caught.
TIME_ZONE = "CST-8"

# After a component worker's last message the wizard waits one second of its clock for the worker
# to clear its busy flag, and takes a worker that has not for a failed one. Sped up, that second is
# milliseconds that a loaded machine can keep the worker from running: the cases whose component
# downloads must count as done run the wizard at its own pace (LARKHOLM_CLOCK_SPEEDUP).
PRODUCT_PACE = "1"


def tree(root):
    """Every item below `root` as {relative path: None for a folder, else the file's path}."""
    items = {}
    for folder, folders, files in os.walk(root):
        for name in folders:
            items[os.path.relpath(os.path.join(folder, name), root)] = None
        for name in files:
            path = os.path.join(folder, name)
            items[os.path.relpath(path, root)] = path
    return items


class EndToEndCase(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.display = demo.VirtualDisplay()

    @classmethod
    def tearDownClass(cls):
        cls.display.stop()

    def start_case(self, service_binary, site_dir=None, package_dir=None):
        """Makes the case's folder (`work`) and starts its demo service (`service`) with the given
        content. LARKHOLM_E2E_SCREENSHOTS names the folder for pictures (`screenshots`, else None)."""
        self.work = Path(tempfile.mkdtemp(prefix="larkholm-e2e-"))
        self.addCleanup(shutil.rmtree, self.work, ignore_errors=True)
        self.screenshots = Path(os.environ["LARKHOLM_E2E_SCREENSHOTS"]) if "LARKHOLM_E2E_SCREENSHOTS" in os.environ else None
        if self.screenshots:
            self.screenshots.mkdir(parents=True, exist_ok=True)
        # Pictures want the progress page on screen for a moment: serve at a demo pace then.
        self.service = demo.DemoService(service_binary, self.work, rate=400 * 1024 if self.screenshots else None,
                                        site_dir=site_dir, package_dir=package_dir)
        self.addCleanup(self.service.stop)

    def start_wizard(self, components=True):
        """Starts the wizard on a Windows that has WIC and .NET Framework 4.0, or neither; returns
        the prefix (the Windows, seen from Linux) and the larkholm_demo.Wizard."""
        raise NotImplementedError

    def picture(self, wizard, name):
        if self.screenshots:
            wizard.screenshot(self.screenshots / name)

    def manifest(self):
        reply = urllib.request.urlopen(f"{self.service.origin}/admin/do/install/manifest?shopId=30581", timeout=10)
        return json.load(reply)["retdata"]

    def assert_download_folder_verified(self, downloads):
        for entry in self.manifest():
            saved = downloads / entry["name"]
            self.assertTrue(saved.is_file(), saved)
            self.assertEqual(hashlib.md5(saved.read_bytes()).hexdigest(), entry["hash"], saved)

    def assert_same_as_unzip(self, installed, archive, written_since=()):
        """The installed tree against unzip's extraction of `archive`. `written_since` names files
        the installed program has written into its folder since, which the package does not hold."""
        reference = self.work / "unzip"
        subprocess.run(["unzip", "-q", "-P", demo.ARCHIVE_PASSWORD, str(archive), "-d", str(reference)],
                       env=dict(os.environ, TZ=TIME_ZONE), check=True)
        expected, actual = tree(reference), tree(installed)
        for name in written_since:
            actual.pop(name, None)
        self.assertEqual(sorted(actual), sorted(expected), "installed names differ from unzip's")
        for name, reference_path in expected.items():
            self.assertEqual(actual[name] is None, reference_path is None, f"{name}: folder and file mixed up")
            if reference_path is None:
                continue
            with open(reference_path, "rb") as want, open(actual[name], "rb") as got:
                self.assertTrue(want.read() == got.read(), f"{name}: installed bytes differ from unzip's")
            # Empty files are created by the wizard, not extracted, so they carry the installation time.
            if os.path.getsize(reference_path) > 0:
                self.assertEqual(int(os.stat(actual[name]).st_mtime), int(os.stat(reference_path).st_mtime),
                                 f"{name}: modification time differs from unzip's")


class CommonCases:
    """Cases whose steps and checks are the same on every platform, mixed into each platform's test
    class (an EndToEndCase)."""

    def test_wrong_password_shows_the_services_message_and_quits_cleanly(self):
        prefix, wizard = self.start_wizard()
        demo.fill_form_and_start(wizard, demo.SHOP_CODE, "not-the-password")
        wizard.wait_for_log("Message overlay: 酒店密码错误\n")
        self.assertFalse((prefix / "drive_c/ProgramData/Ostrelle/assist.zip").exists())
        self.picture(wizard, "5-message.png")

        demo.dismiss_message_and_quit(wizard, self.screenshots / "6-quit.png" if self.screenshots else None)
        self.assertEqual(wizard.wait_exit(30), 0, wizard.log())

    def test_component_download_failure_ends_on_the_manual_download_page(self):
        self.environment["LARKHOLM_WIC_URL"] = self.service.origin + "/software/no_such_installer.exe"
        self.environment["LARKHOLM_CLOCK_SPEEDUP"] = "100"  # ten attempts, five seconds apart
        _, wizard = self.start_wizard(components=False)
        wizard.wait_for_log(demo.page_shown("win_check_componet_error"), timeout=120)
        self.picture(wizard, "7-component-error.png")
        self.assertNotIn(demo.page_shown("win_install_allnew"), wizard.log())
