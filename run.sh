#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program (the batch tool until it exists).
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
scripts/build.sh
if [ -x build/bin/fastenex ]; then
  exec build/bin/fastenex "$@"
fi
exec build/bin/fastenex-batch "${@:-examples/plate-splice.dat}"
