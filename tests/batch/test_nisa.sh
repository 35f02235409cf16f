#!/usr/bin/env bash
# The batch tool on NISA files: importing a NISA input file, writing the load fragment, the load
# case number and the refusals.
source "$(dirname "$0")/helper_checks.sh"
# The fragment without its creation date, which is today's.
undated() { grep -v '^\*\* Date of Creation :- ' "$1"; }

example=$examples/bracket-six-bolts.nis

"$batch" --help >"$tmp/help" 2>&1; check "help" 0 $?
grep -q -- "--nisa" "$tmp/help" || { echo "FAIL: --help does not document --nisa"; fail=1; }
grep -q -- "--load-case" "$tmp/help" || { echo "FAIL: --help does not document --load-case"; fail=1; }

"$batch" --verbose --nisa "$tmp/loads.nis" "$example" >"$tmp/out" 2>"$tmp/err"; check "fragment of the example" 0 $?
cmp -s <(undated "$tmp/loads.nis") <(undated "$data/bracket-six-bolts-loads.nis") || {
    echo "FAIL: the fragment differs from the golden file"; diff <(undated "$tmp/loads.nis") <(undated "$data/bracket-six-bolts-loads.nis"); fail=1; }
# A decimal-comma locale reads the input and writes the fragment alike.
LC_ALL=de_DE.UTF-8 "$batch" --nisa "$tmp/de.nis" "$example" >/dev/null 2>&1; check "fragment in a decimal-comma locale" 0 $?
cmp -s <(undated "$tmp/de.nis") <(undated "$data/bracket-six-bolts-loads.nis") || { echo "FAIL: the fragment differs in a decimal-comma locale"; fail=1; }
grep -q '^\*\* Date of Creation :- [A-Z][a-z]*day, [1-9][0-9]* [A-Z][a-z]* [0-9]\{4\}.$' "$tmp/loads.nis" || {
    echo "FAIL: creation date line"; grep Creation "$tmp/loads.nis"; fail=1; }
[ "$(head -n 1 "$tmp/err")" = "Loading NISA File" ] || { echo "FAIL: first status text"; cat "$tmp/err"; fail=1; }
grep -qx "NISA File Loaded" "$tmp/err" || { echo "FAIL: NISA File Loaded missing"; fail=1; }
[ "$(tail -n 1 "$tmp/err")" = "NISA File Saved" ] || { echo "FAIL: last status text"; cat "$tmp/err"; fail=1; }

# The extension decides, whatever its letter case.
cp "$example" "$tmp/UPPER.NIS"
"$batch" --data "$tmp/upper.dat" "$tmp/UPPER.NIS" >/dev/null 2>"$tmp/err"; check "NISA input to a data file" 0 $?
tr -d '\r' <"$tmp/upper.dat" | grep -qx "Number of Bolts=6" || { echo "FAIL: data file of the NISA input"; cat "$tmp/upper.dat"; fail=1; }
grep -q "^Bolt 6=160.0000,100.0000,0.0000,1,1,1,0,6" "$tmp/upper.dat" || { echo "FAIL: node number kept"; fail=1; }
"$batch" --nisa "$tmp/again.nis" "$tmp/upper.dat" >/dev/null 2>&1; check "fragment from the data file" 0 $?
cmp -s <(undated "$tmp/again.nis") <(undated "$tmp/loads.nis") || { echo "FAIL: data file gives another fragment"; fail=1; }

for id in "07:7" "7a:1" "12:12"; do
    "$batch" --load-case "${id%%:*}" --nisa "$tmp/case.nis" "$example" >/dev/null 2>&1; check "load case ${id%%:*}" 0 $?
    grep -qx "\*LDCASE, ID = ${id##*:}.$" "$tmp/case.nis" || { echo "FAIL: load case ${id%%:*} written as"; grep LDCASE "$tmp/case.nis"; fail=1; }
done

"$batch" --nisa "$tmp/none.nis" "$examples/plate-splice.dat" >/dev/null 2>"$tmp/err"; check "bolt without node number" 1 $?
grep -qx "Bolt 1 has no NISA node number" "$tmp/err" || { echo "FAIL: node number refusal"; cat "$tmp/err"; fail=1; }
[ ! -e "$tmp/none.nis" ] || { echo "FAIL: a fragment was written without node numbers"; fail=1; }

sed 's/^\(Bolt 1=.*\),0\r$/\1,41\r/' "$examples/plate-splice.dat" >"$tmp/partial.dat"
"$batch" --nisa "$tmp/none.nis" "$tmp/partial.dat" >/dev/null 2>"$tmp/err"; check "second bolt without node number" 1 $?
grep -qx "Bolt 2 has no NISA node number" "$tmp/err" || { echo "FAIL: names the first bolt without one"; cat "$tmp/err"; fail=1; }

"$batch" --nisa "$tmp/two.nis" "$data/two-bolts.dat" >/dev/null 2>"$tmp/err"; check "no actual loads" 1 $?
grep -q "No Actual Loads Calculated" "$tmp/err" || { echo "FAIL: no-loads refusal"; cat "$tmp/err"; fail=1; }

printf '*TITLE\r\nNo link\r\n*NODES\r\n1,0,0,0,0,0,0\r\n' >"$tmp/nolink.nis"
"$batch" "$tmp/nolink.nis" >/dev/null 2>"$tmp/err"; check "no rigid link" 1 $?
grep -qx "No Rigid Links in NISA File" "$tmp/err" || { echo "FAIL: rigid-link refusal"; cat "$tmp/err"; fail=1; }

printf '*RIGLINK\r\n1, 100, 0, 0, 0, 1, 123\r\n' >"$tmp/nonodes.nis"
"$batch" "$tmp/nonodes.nis" >/dev/null 2>"$tmp/err"; check "no node card" 1 $?
grep -qx "No Node definition in NISA File" "$tmp/err" || { echo "FAIL: node refusal"; cat "$tmp/err"; fail=1; }

"$batch" --nisa "$tmp/no/such/folder/x.nis" "$example" >/dev/null 2>"$tmp/err"; check "unwritable fragment" 4 $?

head -c 3000 /dev/urandom >"$tmp/noise.nis"
"$batch" "$tmp/noise.nis" >/dev/null 2>&1; code=$?
[ "$code" = 1 ] || [ "$code" = 0 ] || { echo "FAIL: random bytes give exit $code"; fail=1; }
exit $fail
