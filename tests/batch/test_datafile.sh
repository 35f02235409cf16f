#!/usr/bin/env bash
# The batch tool on analysis data files: exit codes, status texts and the data-file round trip.
source "$(dirname "$0")/helper_checks.sh"

"$batch" --help >"$tmp/help" 2>&1; check "help" 0 $?
grep -q -- "--data" "$tmp/help" || { echo "FAIL: --help does not document --data"; fail=1; }
grep -q -- "--verbose" "$tmp/help" || { echo "FAIL: --help does not document --verbose"; fail=1; }

"$batch" >/dev/null 2>&1; check "no input" 2 $?
"$batch" --no-such-option "$examples/plate-splice.dat" >/dev/null 2>&1; check "unknown option" 2 $?
"$batch" "$tmp/missing.dat" >/dev/null 2>"$tmp/err"; check "missing file" 4 $?

printf 'Analysis Type=Frame\r\n' >"$tmp/other.dat"
"$batch" "$tmp/other.dat" >/dev/null 2>"$tmp/err"; check "not a bolt group file" 1 $?
grep -qx "Not a Bolt Group Analysis Data File" "$tmp/err" || { echo "FAIL: refusal text"; cat "$tmp/err"; fail=1; }

"$batch" "$tmp" >/dev/null 2>"$tmp/err"; check "a folder" 4 $?

"$batch" --verbose --data "$tmp/copy.dat" "$data/two-bolts.dat" >/dev/null 2>"$tmp/err"; check "write a copy" 0 $?
cmp -s "$tmp/copy.dat" "$data/two-bolts.dat" || { echo "FAIL: the copy differs from the original"; fail=1; }
[ "$(head -n 1 "$tmp/err")" = "Loading Data File" ] || { echo "FAIL: first status text"; cat "$tmp/err"; fail=1; }
grep -qx "Data File Loaded" "$tmp/err" || { echo "FAIL: Data File Loaded missing"; fail=1; }
expected="Loading Data File|Plotting Bolts|Plotting Bolts Complete|Calculating Unit Loads|Unit Loads Calculated|Calculating Actual Loads|Formatting Output|Analysis Complete|Data File Loaded|Saving Data File|Data File Saved|"
"$batch" --verbose --data "$tmp/copy2.dat" "$examples/bracket-3d.dat" >/dev/null 2>"$tmp/err2"
[ "$(grep -v '^QStandardPaths' "$tmp/err2" | tr '\n' '|')" = "$expected" ] || { echo "FAIL: status texts out of order"; cat "$tmp/err2"; fail=1; }
[ "$(tail -n 1 "$tmp/err")" = "Data File Saved" ] || { echo "FAIL: last status text"; cat "$tmp/err"; fail=1; }

"$batch" --data "$tmp/no/such/folder/x.dat" "$data/two-bolts.dat" >/dev/null 2>"$tmp/err"; check "unwritable output" 4 $?
grep -q "Data File Not Saved" "$tmp/err" || { echo "FAIL: Data File Not Saved missing"; fail=1; }

# The examples read and write alike in a decimal-comma locale (Qt's own locale data, so the
# machine need not have it installed); only the report takes the locale's separator.
for locale in C.UTF-8 de_DE.UTF-8; do
    for f in "$examples"/*.dat; do
        LC_ALL=$locale "$batch" --data "$tmp/example.dat" --report "$tmp/example.txt" "$f" >/dev/null 2>&1
        check "example $(basename "$f") in $locale" 0 $?
        cmp -s "$tmp/example.dat" "$f" || { echo "FAIL: $(basename "$f") does not round-trip in $locale"; fail=1; }
    done
done
grep -q "[0-9],[0-9][0-9][0-9]\b" "$tmp/example.txt" || { echo "FAIL: report without the locale's decimal comma"; fail=1; }
exit $fail
