#!/usr/bin/env bash
# The batch tool's rich-text report: --report FILE.rtf gives the report in "Courier New" with
# the title lines bold and the subtitle lines underlined, one paragraph a report line.
source "$(dirname "$0")/helper_checks.sh"

"$batch" --report "$tmp/report.txt" "$examples/plate-splice.dat" >/dev/null 2>&1; check "plain report" 0 $?
"$batch" --report "$tmp/Report.RTF" "$examples/plate-splice.dat" >/dev/null 2>"$tmp/err"; check "rich report" 0 $?
rtf="$tmp/Report.RTF"
head -c 40 "$rtf" | grep -q '^{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0' || { echo "FAIL: RTF header"; head -c 200 "$rtf"; fail=1; }
grep -q 'Courier New;' "$rtf" || { echo "FAIL: no Courier New in the font table"; fail=1; }
grep -q '\\fs16\\b ' "$rtf" || { echo "FAIL: no bold title run"; fail=1; }
grep -q '\\fs16\\ul ' "$rtf" || { echo "FAIL: no underlined subtitle run"; fail=1; }
LC_ALL=C grep -q '[^ -~[:space:]]' "$rtf" && { echo "FAIL: the RTF is not 7-bit ASCII"; fail=1; }
lines=$(wc -l <"$tmp/report.txt")
pars=$(grep -o '\\pard' "$rtf" | wc -l)
# One paragraph a line and the empty paragraph after the last line end.
[ "$pars" = "$((lines + 1))" ] || { echo "FAIL: $pars paragraphs for $lines report lines"; fail=1; }

"$batch" --report "$tmp/missing/x.rtf" "$examples/plate-splice.dat" >/dev/null 2>"$tmp/err"; check "unwritable rich report" 4 $?
exit $fail
