# Sourced by every tests/batch/test_*.sh: the three arguments (the batch tool, the examples folder
# and the test data folder), a scratch folder removed on exit, and the exit-code check.
set -u
batch=$1; examples=$2; data=$3
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
fail=0
check() { # description, expected code, actual code
    if [ "$2" != "$3" ]; then echo "FAIL: $1: exit $3, expected $2"; fail=1; else echo "ok: $1"; fi
}
