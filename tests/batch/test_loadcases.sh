#!/usr/bin/env bash
# The batch tool with a load-case table: its refusals write nothing, the report of the input's
# own load stays as it is and the envelope follows it, --csv gives a line per case and bolt that
# matches a separate run of the case, --envelope a line per bolt and --nisa a load case per case.
source "$(dirname "$0")/helper_checks.sh"
cases=$examples/bracket-load-cases.csv
group=$examples/bracket-3d.dat
cd "$tmp"

"$batch" --help >help 2>&1; check "help" 0 $?
grep -q -- "--load-cases" help && grep -q -- "--envelope" help || { echo "FAIL: --help lacks the options"; fail=1; }

"$batch" --envelope e.csv "$group" >/dev/null 2>err; check "--envelope without a table" 2 $?
cp "$cases" table.csv
"$batch" --load-cases table.csv --envelope "$tmp/table.csv" "$group" >/dev/null 2>err; check "output names the table" 2 $?
cmp -s table.csv "$cases" || { echo "FAIL: the table was overwritten"; fail=1; }
"$batch" --load-cases none.csv "$group" >/dev/null 2>err; check "no table" 4 $?
printf 'Title,FX,FY,FZ\r\nA,1,2,3\r\n"B,1,2,3\r\n' >unclosed.csv
printf 'A,1,2,3\nB,1,2\n' >short.csv
printf 'A,1,2,3\nB,1,2,x\n' >word.csv
: >empty.csv
for table in unclosed.csv:"Row 3: a quote" short.csv:"Row 2: 3 fields" word.csv:"Row 2: FZ \"x\"" empty.csv:"No load cases"; do
    "$batch" --load-cases "${table%%:*}" --data d.dat --report r.txt "$group" >/dev/null 2>err
    check "${table%%:*} refused" 1 $?
    grep -qF "${table#*:}" err || { echo "FAIL: ${table%%:*}: no \"${table#*:}\""; cat err; fail=1; }
done
"$batch" --load-cases "$cases" --envelope e.csv "$data/two-bolts.dat" >/dev/null 2>err; check "two bolts" 1 $?
"$batch" --load-cases "$cases" --data d.dat --nisa n.nis "$group" >/dev/null 2>err; check "no node numbers" 1 $?
[ ! -e d.dat ] && [ ! -e r.txt ] && [ ! -e e.csv ] && [ ! -e n.nis ] || { echo "FAIL: a refused run wrote"; ls; fail=1; }

# The report of the input's own load is unchanged, and the envelope and the cases follow it.
"$batch" --report own.txt "$group" >/dev/null 2>&1
"$batch" --load-cases "$cases" --report r.txt --csv c.csv --envelope e.csv "$group" >/dev/null 2>err
check "every output" 0 $?
cmp -s own.txt <(head -c "$(stat -c %s own.txt)" r.txt) || { echo "FAIL: the report of the input's load changed"; fail=1; }
grep -qx "Load Case Envelope" r.txt && grep -qx "   6  Cable Pull at \"Outer\" Edge" r.txt || { echo "FAIL: envelope or case list"; fail=1; }
"$batch" --load-cases "$cases" --report r.rtf "$group" >/dev/null 2>&1
grep -qF '\b Load Case Envelope}' r.rtf || { echo "FAIL: the envelope heading is not styled"; fail=1; }
[ "$(wc -l <c.csv)" = $((6 * 6 + 1)) ] && [ "$(wc -l <e.csv)" = 7 ] || { echo "FAIL: csv line counts"; fail=1; }

# Case 5 acts at a point of its own: its lines are those of a run on a data file holding it.
sed 's/^Applied Load=.*/Applied Load=150,0,200,1000,0,2000,0,0\r/' "$group" >hoist.dat
"$batch" --csv hoist.csv hoist.dat >/dev/null 2>&1
cmp -s <(tail -n +2 hoist.csv) <(grep '^5,Hoist at Upper Lug 2 kN,' c.csv | cut -d, -f3-) ||
    { echo "FAIL: case 5 differs from its own run"; fail=1; }

# One NISA fragment with a load case per case, numbered from --load-case on.
"$batch" --load-cases "$cases" --load-case 40 --nisa n.nis "$examples/bracket-six-bolts.nis" >/dev/null 2>err
check "fragment" 0 $?
[ "$(grep '^\*LDCASE' n.nis | tr -d '\r' | tr '\n' ' ')" = "*LDCASE, ID = 40 *LDCASE, ID = 41 *LDCASE, ID = 42 *LDCASE, ID = 43 *LDCASE, ID = 44 *LDCASE, ID = 45 " ] &&
    [ "$(grep -c '^\*NODES' n.nis)" = 1 ] && tail -n 1 n.nis | grep -q '^\*ENDDATA' || { echo "FAIL: fragment cards"; grep '^\*' n.nis; fail=1; }
exit $fail
