#!/usr/bin/env bash
# Builds the demo install package from the files committed beside this script:
#   make-package.sh <demo-service folder> <output folder> <archive password> [program]
# The output folder receives assist.zip (the assist/ tree, encrypted) and the other files of
# package/ as they are. With [program], that file is the package's assist.exe in place of the
# committed one (the Windows build puts its own there). Everything is reproducible: generated data
# comes from a fixed seed, every item gets the same mode and time, items are added in sorted order
# and no extra fields (uid/gid, Unix times) are stored. Only the 12 random bytes that open each
# encrypted item vary.
set -euo pipefail
source=$1 output=$2 password=$3 program=${4:-}
stage="$output.stage"
rm -rf "$stage" "$output"
mkdir -p "$stage" "$output"
cp -R "$source/package/assist" "$stage/assist"
[ -z "$program" ] || cp "$program" "$stage/assist/assist.exe"

# Git keeps no empty folders; the installed tree has one.
mkdir -p "$stage/assist/logs"

# Bulk the package up to a realistic size: a large text file that deflates, and a binary file that
# does not (stored, so both storage methods are in the archive).
mkdir -p "$stage/assist/lib"
python3 - "$stage/assist" <<'PY'
import sys
root = sys.argv[1]
state = 20240520
def next_value():
    global state
    state = (state * 6364136223846793005 + 1442695040888963407) % (1 << 64)
    return state >> 33
with open(f"{root}/lib/dictionary.txt", "w", encoding="utf-8") as out:
    for line in range(24000):
        words = " ".join(f"{next_value():08x}" for _ in range(6))
        out.write(f"{line:06d} {words}\n")
with open(f"{root}/data/catalog.dat", "wb") as out:
    out.write(bytes(next_value() & 0xFF for _ in range(256 * 1024)))
PY

find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$stage/assist/assist.exe"
# ZIP keeps local times: build in UTC so the stored times do not depend on the build machine.
export TZ=UTC
find "$stage" -exec touch -h -d '2024-05-20 08:30:00' {} +
# Items are named relative to assist/: the wizard unpacks into <install folder>/assist itself.
(cd "$stage/assist" && find . -mindepth 1 -printf '%P\n' | LC_ALL=C sort |
  zip -q -X -n .dat -P "$password" -@ "$output/assist.zip")
touch -d '2024-05-20 08:30:00' "$output/assist.zip"

for file in "$source"/package/*; do
  [ -f "$file" ] && install -m 644 "$file" "$output/"
done
rm -rf "$stage"
