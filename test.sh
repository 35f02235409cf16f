#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/ensure-packages.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2
