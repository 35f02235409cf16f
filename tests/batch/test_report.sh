#!/usr/bin/env bash
# The batch tool's analysis report: on standard output or in a file, refusals, floating-point
# errors and the options' exit codes.
source "$(dirname "$0")/helper_checks.sh"
same() { # description, expected file, actual file
    if cmp -s "$2" "$3"; then echo "ok: $1"; else echo "FAIL: $1"; diff "$2" "$3" | head -20; fail=1; fi
}
group() { # file, number of bolts, bolt lines..., applied load line
    local file=$1; shift
    {
        printf '[General]\r\nAnalysis Type=Bolt Group\r\n \r\n[Analysis Data]\r\n'
        printf 'Number of Bolts=%s\r\n' "$1"; shift
        for line in "$@"; do printf '%s\r\n' "$line"; done
    } >"$file"
}

"$batch" --help >"$tmp/help" 2>&1; check "help" 0 $?
grep -q -- "--report" "$tmp/help" || { echo "FAIL: --help does not document --report"; fail=1; }

"$batch" "$examples/bracket-3d.dat" >"$tmp/out" 2>"$tmp/err"; check "report on standard output" 0 $?
same "standard output is the golden report" "$data/bracket-3d-report.txt" "$tmp/out"
[ -s "$tmp/err" ] && { echo "FAIL: standard error not empty"; cat "$tmp/err"; fail=1; }
grep -q $'\r' "$tmp/out" && { echo "FAIL: CR in the plain-text report"; fail=1; }

"$batch" --report "$tmp/report.txt" "$data/balancing-mixed.dat" >"$tmp/out" 2>&1; check "report file" 0 $?
same "report file is the golden report" "$data/balancing-mixed-report.txt" "$tmp/report.txt"
[ -s "$tmp/out" ] && { echo "FAIL: output beside --report"; fail=1; }

"$batch" --data "$tmp/copy.dat" "$examples/bracket-3d.dat" >"$tmp/out" 2>&1; check "data only" 0 $?
[ -s "$tmp/out" ] && { echo "FAIL: --data alone printed the report"; fail=1; }

"$batch" "$data/two-bolts.dat" >"$tmp/out" 2>"$tmp/err"; check "two bolts" 1 $?
grep -qx "Not Enough Bolts" "$tmp/err" || { echo "FAIL: Not Enough Bolts"; cat "$tmp/err"; fail=1; }
[ -s "$tmp/out" ] && { echo "FAIL: a report for two bolts"; fail=1; }

group "$tmp/noload.dat" 3 "Bolt 1=0,0,0" "Bolt 2=1,0,0" "Bolt 3=0,1,0" "Applied Load=0,0,0,0,0,0,0,0"
"$batch" --report "$tmp/noload.txt" "$tmp/noload.dat" >/dev/null 2>"$tmp/err"; check "no load" 1 $?
grep -qx "No Applied Load" "$tmp/err" || { echo "FAIL: No Applied Load"; cat "$tmp/err"; fail=1; }
[ -e "$tmp/noload.txt" ] && { echo "FAIL: a report file without a load"; fail=1; }

group "$tmp/line.dat" 3 "Bolt 1=0,1,2" "Bolt 2=5,1,2" "Bolt 3=9,1,2" "Applied Load=0,0,0,0,10,0,0,0"
"$batch" "$tmp/line.dat" >"$tmp/out" 2>"$tmp/err"; check "bolts on a line" 3 $?
grep -qx "Floating point division by zero" "$tmp/err" || { echo "FAIL: division message"; cat "$tmp/err"; fail=1; }

group "$tmp/point.dat" 3 "Bolt 1=2,2,2" "Bolt 2=2,2,2" "Bolt 3=2,2,2" "Applied Load=2,2,2,1,0,0,0,0"
"$batch" "$tmp/point.dat" >/dev/null 2>"$tmp/err"; check "bolts at the load point" 3 $?
grep -qx "Invalid floating point operation" "$tmp/err" || { echo "FAIL: invalid message"; cat "$tmp/err"; fail=1; }

"$batch" --report "$tmp/no/such/folder/r.txt" "$examples/bracket-3d.dat" >/dev/null 2>"$tmp/err"
check "unwritable report" 4 $?

for f in "$examples"/*.dat; do
    "$batch" "$f" >"$tmp/out" 2>/dev/null; check "report of $(basename "$f")" 0 $?
    grep -qx "Analysis Results" "$tmp/out" || { echo "FAIL: $(basename "$f") has no report"; fail=1; }
    grep -qiE 'nan|inf' "$tmp/out" && { echo "FAIL: $(basename "$f") has a non-number"; fail=1; }
done
exit $fail
