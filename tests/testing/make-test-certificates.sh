#!/usr/bin/env bash
# make-test-certificates.sh DIR: the certificates of the https tests, by tools/test-authority.sh,
# into DIR (made afresh), and DIR/done once all are there.
#   root            the tests' authority, which each test has the system trust
#   server          127.0.0.1 and localhost, issued by root
#   wrong-host      localhost.invalid, issued by root: right authority, other host
#   stranger-root   an authority nothing trusts
#   stranger        127.0.0.1, issued by stranger-root
set -euo pipefail
authority="$(dirname "${BASH_SOURCE[0]}")/../../tools/test-authority.sh"
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
bash "$authority" root "$dir" root "Larkholm Test Root"
bash "$authority" server "$dir" server root 127.0.0.1 localhost
bash "$authority" server "$dir" wrong-host root localhost.invalid
bash "$authority" root "$dir" stranger-root "Unknown Test Root"
bash "$authority" server "$dir" stranger stranger-root 127.0.0.1
touch "$dir/done"
