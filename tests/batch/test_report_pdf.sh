#!/usr/bin/env bash
# The batch tool's PDF report: --report FILE.pdf gives A4 pages whose text is the report's,
# with "Page N of M" footers and the analysis title as the document title; a file that cannot
# be written leaves nothing behind.
source "$(dirname "$0")/helper_checks.sh"
# The text lines without blanks at either end, runs of blanks as one, no empty lines.
words() { tr '\t\f' '  ' | sed -e 's/  */ /g' -e 's/^ //' -e 's/ $//' | grep -v '^$'; }

input=$examples/bracket-3d.dat
"$batch" --report "$tmp/report.txt" "$input" >/dev/null 2>&1; check "plain report" 0 $?
"$batch" --report "$tmp/Report.PDF" "$input" >/dev/null 2>"$tmp/err"; check "PDF report" 0 $?
pdfinfo "$tmp/Report.PDF" >"$tmp/info" 2>&1 || { echo "FAIL: pdfinfo"; cat "$tmp/info"; fail=1; }
grep -q '^Page size: *595\(\.[0-9]*\)\? x 842\(\.[0-9]*\)\? pts (A4)' "$tmp/info" || { echo "FAIL: not A4"; cat "$tmp/info"; fail=1; }
title=$(tr -d '\r' <"$input" | sed -n 's/^Analysis Title=//p')
grep -qx "Title: *$title" "$tmp/info" || { echo "FAIL: document title"; grep Title "$tmp/info"; fail=1; }
pages=$(sed -n 's/^Pages: *//p' "$tmp/info")

pdftotext -layout "$tmp/Report.PDF" "$tmp/pdf.txt"
footers=$(grep -c "^ *Page [0-9]* of $pages *\$" "$tmp/pdf.txt")
[ "$footers" = "$pages" ] || { echo "FAIL: $footers footers on $pages pages"; fail=1; }
grep -v "^ *Page [0-9]* of $pages *\$" "$tmp/pdf.txt" | words >"$tmp/pdf.words"
words <"$tmp/report.txt" >"$tmp/report.words"
diff "$tmp/report.words" "$tmp/pdf.words" >"$tmp/diff" || { echo "FAIL: the PDF text differs from the report"; head -20 "$tmp/diff"; fail=1; }

# Cannot be made, or cut short by a file-size limit: a file error, and nothing left behind.
mkdir "$tmp/out" "$tmp/out/taken.pdf"
"$batch" --report "$tmp/out/taken.pdf" "$input" >/dev/null 2>"$tmp/err"; check "a folder of that name" 4 $?
(ulimit -f 8; "$batch" --report "$tmp/out/big.pdf" "$input" >/dev/null 2>"$tmp/err"); check "file-size limit" 4 $?
grep -q 'File too large' "$tmp/err" || { echo "FAIL: reason of the failed write"; cat "$tmp/err"; fail=1; }
[ "$(ls -A "$tmp/out")" = "taken.pdf" ] || { echo "FAIL: left behind:"; ls -A "$tmp/out"; fail=1; }
exit $fail
