"""The demo run behind tools/run-demo.sh, which installs the dependencies and builds first."""

import argparse
import os
import shutil
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import larkholm_demo as demo  # noqa: E402

# Fast enough not to bore, slow enough that the progress page is seen (the package is about 1 MB).
DEMO_RATE = 400 * 1024


def start_service(binary, run_dir):
    """The service on the port the wizard is built for, or on a free one when that is taken."""
    try:
        return demo.DemoService(binary, run_dir, port=demo.DEFAULT_PORT, rate=DEMO_RATE)
    except RuntimeError as problem:
        print(f"Port {demo.DEFAULT_PORT} is not available ({str(problem).strip().splitlines()[-1]}); "
              "using a free port instead.")
        return demo.DemoService(binary, run_dir, port=0, rate=DEMO_RATE)


def report_install(prefix):
    install = prefix / "drive_c/Program Files/Ostrelle/assist"
    downloads = prefix / "drive_c/ProgramData/Ostrelle"
    if install.is_dir():
        print(f"Installed tree:   {install}")
    if downloads.is_dir():
        print(f"Download folder:  {downloads}")


def run_with_display(wizard_binary, environment, run_dir):
    wizard = demo.Wizard(wizard_binary, environment, run_dir / "wizard.log")
    print(f"The wizard is open (its log: {wizard.log_path}).")
    try:
        return wizard.process.wait()
    except KeyboardInterrupt:
        return wizard.stop()


def run_headless(wizard_binary, environment, run_dir, screenshots):
    display = demo.VirtualDisplay()
    try:
        environment = dict(environment, DISPLAY=display.display)
        wizard = demo.Wizard(wizard_binary, environment, run_dir / "wizard.log")
        print(f"No display: driving the wizard on Xvfb {display.display} (its log: {wizard.log_path}).")
        try:
            pages = demo.drive_full_install(wizard, demo.SHOP_CODE, demo.PASSWORD, screenshots)
            demo.finish(wizard)
            status = wizard.wait_exit()
        finally:
            wizard.stop()
        print("Screenshots of the pages passed:")
        for page in pages:
            print(f"  {page}")
        return status
    finally:
        display.stop()


def main():
    parser = argparse.ArgumentParser(description="Runs the wizard against the demo install service.")
    parser.add_argument("--build", type=Path, required=True, help="the build folder")
    parser.add_argument("--missing-components", action="store_true",
                        help="leave WIC and .NET 4.0 out of the demo prefix")
    parser.add_argument("--screenshots", type=Path, help="where a run without a display saves its screenshots")
    args = parser.parse_args()
    # The wizard makes its own folder the current one: every path handed to it must be absolute.
    args.build = args.build.resolve()

    wizard_binary = args.build / demo.WIZARD_PATH
    service_binary = args.build / "tools/demo-service/larkholm-demo-service"
    run_dir = args.build / "demo"
    shutil.rmtree(run_dir, ignore_errors=True)
    run_dir.mkdir(parents=True)
    prefix = demo.make_prefix(run_dir / "prefix", components=not args.missing_components)

    service = start_service(service_binary, run_dir)
    try:
        print(f"Demo install service on {service.origin} (its log: {service.log_path})")
        print(f"  shop code (酒店编号): {demo.SHOP_CODE}   password (酒店密码): {demo.PASSWORD}")
        print(f"Demo Wine prefix: {prefix}"
              + (" (WIC and .NET 4.0 missing)" if args.missing_components else ""))
        environment = dict(os.environ, WINEPREFIX=str(prefix), **service.environment())
        if os.environ.get("DISPLAY"):
            status = run_with_display(wizard_binary, environment, run_dir)
        else:
            status = run_headless(wizard_binary, environment, run_dir, args.screenshots or run_dir / "screenshots")
        report_install(prefix)
        return status
    finally:
        service.stop()
        print("Demo install service stopped.")


if __name__ == "__main__":
    sys.exit(main())
