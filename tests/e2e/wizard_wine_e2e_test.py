"""End to end on Windows: the real larkholm-setup.exe under Wine on Xvfb against the demo install
service, which runs on Linux loopback and serves the demo's Windows programs.

    python3 wizard_wine_e2e_test.py --arch ARCH --wizard EXE --service PATH --site-dir DIR
                                    --package-dir DIR --holder EXE --trust-root EXE [--locale LANG]
                                    [unittest arguments]

ARCH is the wizard's architecture, i686 (the program we ship) or x86_64. LANG is the system locale
Wine runs under (default C.UTF-8, ANSI code page 1252); it chooses the code page, which the
package's Chinese names must not depend on. Each case boots a 64-bit
Wine prefix of its own (tools/wine-run.sh --boot, the UI's font faces mapped to the CJK font) on its
own Xvfb, starts its own demo service on a free port and the wizard
with /LOG=, and follows the wizard through that log file. A fresh prefix has WIC (Wine's own
WindowsCodecs.dll) and no .NET Framework 4.0; each case sets up the state it starts from.
LARKHOLM_E2E_SCREENSHOTS=DIR keeps a screenshot of every page the full install passes. --holder names
the tests' hold-file, which holds a file of an earlier install as its running program would;
--trust-root the tests' trust-root.exe, which makes each prefix trust the throwaway authority the
case signs the demo's installers with.
"""

import argparse
import hashlib
import os
import shutil
import tempfile
import re
import subprocess
import sys
import unittest
from pathlib import Path
from typing import NamedTuple

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tools/demo-service"))
import larkholm_demo as demo  # noqa: E402
from end_to_end import PRODUCT_PACE, TIME_ZONE, CommonCases, EndToEndCase  # noqa: E402

PROGRAMS = {}
WINE_RUN = demo.SOURCE_DIR / "tools/wine-run.sh"

# Direct2D under Wine draws through software GL on two shared cores: every wait gets this much longer.
TIME_SCALE = 4


class Layout(NamedTuple):
    """What a program of one architecture sees of a 64-bit prefix; the demo's installers are built
    alike, so they write where the wizard looks."""
    program_files: str  # its program files folder, which holds the default install folder
    system_folder: str  # its system folder, below drive_c/windows
    registry_view: str  # the switch of `reg` for its registry view


# The program we ship is 32-bit: Windows gives it "Program Files (x86)", SysWOW64 and the 32-bit
# registry view.
LAYOUTS = {
    "i686": Layout("Program Files (x86)", "syswow64", "/reg:32"),
    "x86_64": Layout("Program Files", "system32", "/reg:64"),
}

DOWNLOAD_FOLDER = "drive_c/ProgramData/Ostrelle"
LOG_FILE = "drive_c/larkholm-setup.log"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Larkholm"

# What Wine itself changes in the registry as programs run and the prefix restarts, left out of the
# before/after listing: the device interfaces it links anew (DeviceClasses), its count of service
# starts (ServiceCurrent), the display driver it records once a program opens the display (Video),
# and the host's network cards, which Wine lists in memory only, some while after the prefix started.
WINE_KEYS = re.compile(r"^\[HKEY_LOCAL_MACHINE\\(System\\CurrentControlSet\\Control\\(DeviceClasses|ServiceCurrent|Video)"
                       r"|Software\\(Wow6432Node\\)?Microsoft\\Windows NT\\CurrentVersion\\NetworkCards)\b")
# The wizard's run logs stay in the temporary folder on purpose, the newest five of them.
RUN_LOG = re.compile(r"larkholm-setup-\d{8}-\d{6}\.log$")

# The ANSI code page Wine gives each locale the cases run under.
CODE_PAGES = {"C.UTF-8": "1252", "zh_CN.UTF-8": "936", "zh_TW.UTF-8": "950"}

# Where the missing-components case puts Wine's codecs, and the registration of WIC's imaging
# factory, which the wizard's renderer creates.
RELOCATED_CODECS = "drive_c/codecs/windowscodecs.dll"
RELOCATED_CODECS_PATH = r"C:\codecs\windowscodecs.dll"
WIC_REGISTRATION = r"HKLM\Software\Classes\CLSID\{CACAF262-9370-4615-A13B-9F5539DA4C0A}\InprocServer32"

DOTNET_KEY = r"HKLM\SOFTWARE\Microsoft\NET Framework Setup\NDP\v4\Client"
DOTNET_INSTALLER = "supplier/website/package/dotNetFx40_Full_x86_x64.exe"

WIC_INSTALLER = "software/wic_x86_chs.exe"
# The demo's installers are signed at test time by a throwaway authority whose root each case's
# prefix trusts; the wizard is told to expect this signer. A copy of the WIC installer changed by one
# byte after its signing is served beside them, for the case of a tampered download.
DEMO_SIGNER = "Larkholm Demo Signer"
TAMPERED_WIC_INSTALLER = "software/tampered/wic_x86_chs.exe"
# Where the demo installers record each start (LARKHOLM_DEMO_START_LOG), as Windows and Linux see it.
START_LOG = "drive_c/installer-starts.txt"
START_LOG_WINDOWS = r"C:\installer-starts.txt"

# What the installed program writes into its own folder when started: its log.
ASSIST_LOG = "logs/assist.log"


def wine_run():
    return [str(WINE_RUN), "--arch", PROGRAMS["arch"]]


def layout():
    return LAYOUTS[PROGRAMS["arch"]]


def install_folder():
    return f"drive_c/{layout().program_files}/Ostrelle/assist"


def system_folder():
    return f"drive_c/windows/{layout().system_folder}"


def drive_listing(prefix):
    """Every folder and file of drive c: with each file's digest, less the wizard's run logs."""
    listing = {}
    for path in sorted((prefix / "drive_c").rglob("*")):
        name = path.relative_to(prefix).as_posix()
        if not path.is_symlink() and not RUN_LOG.search(name):
            listing[name] = "folder" if path.is_dir() else hashlib.md5(path.read_bytes()).hexdigest()
    return listing


def registry_listing(exported):
    """A registry exported by regedit as {key: its value lines}, less the keys Wine keeps itself."""
    keys, key = {}, None
    for line in exported.read_text(encoding="utf-16").splitlines():
        if line.startswith("["):
            key = None if WINE_KEYS.match(line) else line
            if key:
                keys[key] = []
        elif key and line:
            keys[key].append(line)
    return keys


def find_file(folder, name):
    """The file `name` in `folder`, matched without regard to case as Windows does; None if absent."""
    return next((entry for entry in Path(folder).iterdir() if entry.name.lower() == name.lower()), None)


def signed_site(folder):
    """A copy of the demo site in `folder` whose installers a throwaway authority signed (the root
    is `folder`/authority/root.pem), with the tampered WIC installer beside them."""
    site = folder / "site"
    shutil.copytree(PROGRAMS["site"], site)
    authority = folder / "authority"
    make = ["bash", str(demo.SOURCE_DIR / "tools/test-authority.sh")]
    subprocess.run([*make, "root", authority, "root", "Larkholm Demo Root"], check=True, capture_output=True)
    subprocess.run([*make, "codesign", authority, "signer", "root", DEMO_SIGNER], check=True, capture_output=True)
    for installer in (WIC_INSTALLER, DOTNET_INSTALLER):
        unsigned = site / (installer + ".unsigned")
        (site / installer).rename(unsigned)
        subprocess.run(["osslsigncode", "sign", "-pkcs12", authority / "signer.pfx", "-pass", "test", "-h", "sha256",
                        "-in", unsigned, "-out", site / installer], check=True, capture_output=True)
        unsigned.unlink()
    tampered = bytearray((site / WIC_INSTALLER).read_bytes())
    tampered[0x500] ^= 0xFF  # a byte of the first section's code, which the signature covers
    (site / TAMPERED_WIC_INSTALLER).parent.mkdir(parents=True)
    (site / TAMPERED_WIC_INSTALLER).write_bytes(tampered)
    return site


class WizardWineEndToEndTest(CommonCases, EndToEndCase):
    def setUp(self):
        signing = Path(tempfile.mkdtemp(prefix="larkholm-e2e-signing-"))
        self.addCleanup(shutil.rmtree, signing, ignore_errors=True)
        site = signed_site(signing)
        self.start_case(PROGRAMS["service"], site_dir=site, package_dir=PROGRAMS["package"])
        # Wine hands the environment to Windows programs: the endpoints, the pace and the time zone.
        self.environment = dict(os.environ, DISPLAY=self.display.display, TZ=TIME_ZONE, LARKHOLM_CLOCK_SPEEDUP="10",
                                LANG=PROGRAMS["locale"], LC_ALL="", LARKHOLM_WIC_SIGNER=DEMO_SIGNER,
                                LARKHOLM_DOTNET_SIGNER=DEMO_SIGNER, LARKHOLM_DEMO_START_LOG=START_LOG_WINDOWS,
                                **self.service.environment())
        self.prefix = self.work / "prefix"
        self.addCleanup(self.wine, "--stop", self.prefix)
        booted = self.wine("--boot", self.prefix, timeout=300)
        self.assertEqual(booted.returncode, 0, (self.work / "prefix.log").read_text(errors="replace"))
        self.assertEqual(self.registry_value(r"HKLM\System\CurrentControlSet\Control\Nls\CodePage", "ACP"),
                         CODE_PAGES[PROGRAMS["locale"]], "the prefix runs under another code page")
        self.run_in_prefix(PROGRAMS["trust_root"], signing / "authority/root.pem")

    def wine(self, *arguments, timeout=120):
        """Runs tools/wine-run.sh for the wizard's architecture with `arguments`; returns the ended
        process."""
        return subprocess.run([*wine_run(), *map(str, arguments)], env=self.environment, capture_output=True,
                              text=True, errors="replace", timeout=timeout)

    def run_in_prefix(self, *command):
        done = self.wine(self.prefix, *command)
        self.assertEqual(done.returncode, 0, f"{command}: {done.stdout}{done.stderr}")

    def registry_value(self, key, name):
        """The text value `name` of `key` in the wizard's registry view, or None."""
        done = self.wine(self.prefix, "reg", "query", key, "/v", name, layout().registry_view)
        lines = [line.split() for line in done.stdout.splitlines()]
        return next((words[-1] for words in lines if words[:2] == [name, "REG_SZ"]), None)

    def dotnet_version(self):
        """The Version value of the .NET 4.0 key in the wizard's registry view, or None."""
        return self.registry_value(DOTNET_KEY, "Version")

    def move_codecs_out_of_the_system_folder(self):
        """Wine's WindowsCodecs.dll leaves the system folder, so the wizard's check finds WIC
        missing; WIC's registration follows it. The wizard draws through WIC (Direct2D on a WIC
        bitmap), which it creates through that registration: so it keeps drawing. Deleting the file
        would leave Wine without codecs, and the wizard without a window."""
        moved = self.prefix / RELOCATED_CODECS
        moved.parent.mkdir(parents=True)
        find_file(self.prefix / system_folder(), "WindowsCodecs.dll").rename(moved)
        done = self.wine(self.prefix, "reg", "add", WIC_REGISTRATION, "/ve", "/d", RELOCATED_CODECS_PATH, "/f",
                         layout().registry_view)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

    def start_wizard(self, components=True, scale=None):
        if components:
            # WIC is Wine's own; .NET 4.0 comes in through the demo's installer, as an operator's
            # machine would have it.
            self.run_in_prefix(Path(PROGRAMS["site"]) / DOTNET_INSTALLER)
        else:
            self.move_codecs_out_of_the_system_folder()
            self.assertIsNone(self.dotnet_version())
        wizard = demo.Wizard([*wine_run(), self.prefix, PROGRAMS["wizard"], "/LOG=C:\\larkholm-setup.log"],
                             self.environment, self.work / "wine.log", log_path=self.prefix / LOG_FILE,
                             time_scale=TIME_SCALE, settle_pictures=True, scale=scale)
        self.addCleanup(wizard.stop)
        return self.prefix, wizard

    def test_full_install_matches_unzip_and_starts_the_program(self):
        prefix, wizard = self.start_wizard()
        demo.drive_full_install(wizard, demo.SHOP_CODE, demo.PASSWORD, self.screenshots)

        install = prefix / install_folder()
        downloads = prefix / DOWNLOAD_FOLDER
        self.assert_download_folder_verified(downloads)
        started = install / ASSIST_LOG
        demo.wait_for(started.exists, 60 * TIME_SCALE, "the installed program to write its log")
        self.assert_same_as_unzip(install, downloads / "assist.zip", written_since=[ASSIST_LOG])
        program = re.escape(f"C:\\{layout().program_files}\\Ostrelle\\assist\\assist.exe")
        self.assertRegex(started.read_text(encoding="utf-8"), f'command line: "?{program}"?\\s')

        demo.finish(wizard)
        self.assertEqual(wizard.wait_exit(30), 0, wizard.log())

    def test_system_dpi_of_144_draws_the_window_at_150_percent(self):
        """Windows set to 144 DPI: the wizard, DPI-aware through its manifest, makes its window
        999 × 711 pixels instead of letting the system stretch a 666 × 474 bitmap, and every click
        lands on the control drawn there."""
        done = self.wine(self.prefix, "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                         "REG_DWORD", "/d", "144", "/f")
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        _, wizard = self.start_wizard(scale=150)
        demo.wait_for_form(wizard)
        self.assertEqual(wizard.geometry(), "999x711")
        self.picture(wizard, "150-percent-form.png")
        demo.fill_form_and_start(wizard, demo.SHOP_CODE, "not-the-password")
        wizard.wait_for_log("Message overlay: 酒店密码错误\n")
        self.picture(wizard, "150-percent-message.png")
        demo.dismiss_message_and_quit(wizard)

    def hold_file(self, windows_path):
        """Starts the tests' hold-file in the prefix on `windows_path`, as a program that runs from
        it would hold it; returns the folder of its signals once it holds the file. It lets go when
        the case ends, or earlier when the case creates "release" there."""
        signals = self.work / "holder"
        signals.mkdir()
        holder = subprocess.Popen([*wine_run(), self.prefix, PROGRAMS["holder"], windows_path, "600000",
                                   "Z:" + str(signals).replace("/", "\\")],
                                  env=self.environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(demo.stop_process, holder)
        self.addCleanup((signals / "release").touch)
        demo.wait_for((signals / "held").exists, 60 * TIME_SCALE, "hold-file to hold " + windows_path)
        return signals

    def test_a_program_still_using_the_package_is_named_and_the_install_tries_again(self):
        # The package folder of an earlier install, whose program is still running.
        old_program = self.prefix / install_folder() / "assist.exe"
        old_program.parent.mkdir(parents=True)
        old_program.write_bytes(b"MZ the program of an earlier install")
        signals = self.hold_file(f"C:\\{layout().program_files}\\Ostrelle\\assist\\assist.exe")

        prefix, wizard = self.start_wizard()
        demo.fill_form_and_start(wizard, demo.SHOP_CODE, demo.PASSWORD)
        wizard.wait_for_log("Message overlay: 请先关闭以下程序，再点击开始安装：\n(assist\\.exe|hold-file[^\\n]*)\n",
                            timeout=300)
        # The form is back (shown once before the run and again now), under the message.
        self.assertGreaterEqual(wizard.log().count(demo.page_shown("win_install_allnew")), 2)
        self.picture(wizard, "8-in-use.png")
        self.assertEqual(old_program.read_bytes(), b"MZ the program of an earlier install")

        # The operator closes the program and presses the start button again.
        (signals / "release").touch()
        demo.wait_for(lambda: not (signals / "held").exists(), 30 * TIME_SCALE, "hold-file to let go")
        wizard.click(*demo.MESSAGE_CONFIRM_BUTTON)
        wizard.click(*demo.START_BUTTON)
        wizard.wait_for_log(demo.page_shown("win_install_finish"), timeout=300)
        self.assert_same_as_unzip(prefix / install_folder(), prefix / DOWNLOAD_FOLDER / "assist.zip",
                                  written_since=[ASSIST_LOG])
        demo.finish(wizard)
        self.assertEqual(wizard.wait_exit(30), 0, wizard.log())

    def start_unattended(self, name, program, *switches):
        """Starts `program` (the wizard, or its copy kept in the prefix) with `switches` and the demo
        shop's password in LARKHOLM_PASSWORD; its output goes to `name`.log in the case's folder."""
        environment = dict(self.environment, LARKHOLM_PASSWORD=demo.PASSWORD)
        wizard = demo.Wizard([*wine_run(), self.prefix, program, *switches], environment,
                             self.work / f"{name}.log", time_scale=TIME_SCALE)
        self.addCleanup(wizard.stop)
        return wizard

    def temp_folder(self):
        return next(self.prefix.glob("drive_c/users/*/Temp"))

    def run_logs(self):
        """The run logs in the wizard's temporary folder, oldest first, as texts."""
        return [log.read_text(encoding="utf-8", errors="replace")
                for log in sorted(self.temp_folder().glob("larkholm-setup-*.log"))]

    def machine_listing(self, name):
        """What the prefix holds: drive c:, and the whole registry as Wine's server has it now (the
        hive files on disk are written only from time to time)."""
        exported = self.work / f"registry-{name}.reg"
        self.run_in_prefix("regedit", "/E", "Z:" + str(exported).replace("/", "\\"))
        return {**drive_listing(self.prefix), **registry_listing(exported)}

    def restart_prefix(self):
        restarted = self.wine(self.prefix, "wineboot", "--restart")
        self.assertEqual(restarted.returncode, 0, restarted.stdout + restarted.stderr)

    def uninstall_entry(self):
        """The values of the Programs and Features entry in the wizard's registry view."""
        done = self.wine(self.prefix, "reg", "query", UNINSTALL_KEY, layout().registry_view)
        return dict(re.findall(r"^\s+(\S+)\s+REG_\w+\s+(.*?)\s*$", done.stdout, re.M))

    def test_very_silent_install_opens_no_window_and_ends_with_0(self):
        self.run_in_prefix(Path(PROGRAMS["site"]) / DOTNET_INSTALLER)
        wizard = self.start_unattended("install", PROGRAMS["wizard"], "/VERYSILENT", "/SHOP=" + demo.SHOP_CODE)
        # Until it ends, the X server never holds a window of the wizard's.
        while wizard.process.poll() is None:
            windows = demo.xdotool("search", "--name", demo.WINDOW_TITLE, display=self.display.display)
            self.assertEqual(windows.stdout.strip(), "", "a window appeared")
        self.assertEqual(wizard.wait_exit(), 0, self.run_logs())

        install = self.prefix / install_folder()
        self.assert_same_as_unzip(install, self.prefix / DOWNLOAD_FOLDER / "assist.zip", written_since=[ASSIST_LOG])
        demo.wait_for((install / ASSIST_LOG).exists, 60 * TIME_SCALE, "the installed program to write its log")
        folder = f"C:\\{layout().program_files}\\Ostrelle"
        entry = self.uninstall_entry()
        self.assertEqual(entry.get("InstallLocation"), folder)
        self.assertEqual(entry.get("QuietUninstallString"),
                         f'"{folder}\\{Path(PROGRAMS["wizard"]).name}" /UNINSTALL /VERYSILENT')
        self.assertNotIn(demo.PASSWORD, "".join(self.run_logs()))

    def test_install_then_quiet_uninstall_leaves_the_prefix_as_it_was(self):
        self.run_in_prefix(Path(PROGRAMS["site"]) / DOTNET_INSTALLER)
        before = self.machine_listing("before")
        installed = self.start_unattended("install", PROGRAMS["wizard"], "/VERYSILENT", "/SHOP=" + demo.SHOP_CODE,
                                          "/NOLAUNCH")
        self.assertEqual(installed.wait_exit(), 0, self.run_logs())
        quiet_uninstall = self.uninstall_entry()["QuietUninstallString"]
        uninstaller, switches = re.fullmatch(r'"([^"]+)" (.*)', quiet_uninstall).groups()
        uninstalled = self.start_unattended("uninstall", uninstaller, *switches.split())
        self.assertEqual(uninstalled.wait_exit(), 0, [uninstalled.log(), *self.run_logs()])

        # The uninstall ends in a temporary copy of the wizard, which removes the folder the original
        # ran from once the original has ended, and leaves its own file to the next restart. Its log
        # ends with its exit code.
        demo.wait_for(lambda: self.run_logs()[-1].rstrip().endswith("Exit code 0"), 60 * TIME_SCALE,
                      "the uninstall's temporary copy to end")
        self.assertFalse((self.prefix / install_folder()).parent.exists())
        self.assertTrue(list(self.temp_folder().glob("larkholm-uninstall-*/*.exe")))
        self.restart_prefix()
        self.assertEqual(list(self.temp_folder().glob("larkholm-uninstall-*")), [])
        after = self.machine_listing("after")
        self.maxDiff = None
        changed = {name: (before.get(name), after.get(name)) for name in sorted(before.keys() | after.keys())
                   if before.get(name) != after.get(name)}
        self.assertEqual(changed, {})

    def test_missing_components_are_downloaded_installed_and_detected(self):
        self.environment["LARKHOLM_CLOCK_SPEEDUP"] = PRODUCT_PACE
        prefix, wizard = self.start_wizard(components=False)
        wizard.wait_for_log("开始下载组件 ID:2 ")
        self.picture(wizard, "8-component-download.png")
        demo.wait_for_form(wizard)

        # Both installers were run, and each left what the wizard's check found.
        log = wizard.log()
        self.assertIn("开始安装组件 ID:2", log)
        self.assertIn("开始安装组件 ID:1", log)
        installed = find_file(prefix / system_folder(), "WindowsCodecs.dll")
        self.assertIsNotNone(installed)
        self.assertEqual(installed.read_bytes()[:2], b"MZ")
        self.assertEqual(self.dotnet_version(), "4.0.30319")
        self.assertEqual(self.installer_starts(), ["wic_x86_chs.exe", "dotnetfx40_full_x86_x64.exe"])

    def installer_starts(self):
        """The file names of the installers started so far, in order, in lower case."""
        record = self.prefix / START_LOG
        lines = record.read_text(errors="replace").splitlines() if record.exists() else []
        return [line.split("\t", 1)[0].replace("\\", "/").rsplit("/", 1)[-1].lower() for line in lines]

    def test_a_tampered_installer_is_refused_retried_and_never_started(self):
        self.environment["LARKHOLM_WIC_URL"] = self.service.origin + "/" + TAMPERED_WIC_INSTALLER
        self.environment["LARKHOLM_CLOCK_SPEEDUP"] = "100"  # ten attempts, five seconds apart
        _, wizard = self.start_wizard(components=False)
        wizard.wait_for_log(demo.page_shown("win_check_componet_error"), timeout=240)
        log = wizard.log()
        self.assertEqual(log.count("Installer refused and deleted: ID:2 "), 10, log)
        self.assertIn("the signature does not verify", log)
        self.assertNotIn("开始安装组件", log)
        self.assertEqual(self.installer_starts(), [])
        self.assertIsNone(find_file(self.prefix / DOWNLOAD_FOLDER, "wic_x86_chs.exe"))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--arch", choices=LAYOUTS, default="i686")
    parser.add_argument("--wizard", required=True)
    parser.add_argument("--service", required=True)
    parser.add_argument("--site-dir", required=True)
    parser.add_argument("--package-dir", required=True)
    parser.add_argument("--locale", choices=CODE_PAGES, default="C.UTF-8")
    parser.add_argument("--holder", required=True)
    parser.add_argument("--trust-root", required=True)
    args, rest = parser.parse_known_args()
    PROGRAMS.update(arch=args.arch, wizard=args.wizard, service=args.service, site=args.site_dir, package=args.package_dir,
                    locale=args.locale, holder=args.holder, trust_root=args.trust_root)
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
