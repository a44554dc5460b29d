#!/usr/bin/env bash
# Runs the wizard against the bundled demo install service.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$root/tools/install-deps.sh"
echo "The wizard and its demo service are not built yet: this command will start them once they exist."
