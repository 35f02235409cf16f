#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program. Without arguments it opens the
# example bracket in a bolt group window, so a first start shows the plot and the report; any
# arguments (files, --bolt-group FILE, --help) are passed on to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
scripts/build.sh
if [ -x build/bin/fastenex ]; then
  if [ $# -eq 0 ]; then
    exec build/bin/fastenex --bolt-group examples/bracket-3d.dat
  fi
  exec build/bin/fastenex "$@"
fi
# A build without the desktop program (FASTENEX_UI=OFF): the batch tool's report instead.
exec build/bin/fastenex-batch "${@:-examples/bracket-3d.dat}"
