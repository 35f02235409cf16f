#!/usr/bin/env bash
# The batch tool's picture: a 24-bit bitmap whatever the name, the view options, refusals.
source "$(dirname "$0")/helper_checks.sh"
is_bitmap() { # file: "BM", 360054 bytes, 24 bits a pixel
    [ "$(head -c 2 "$1")" = "BM" ] && [ "$(stat -c %s "$1")" = 360054 ] &&
        [ "$(od -An -tu2 -j28 -N2 "$1" | tr -d ' ')" = 24 ] ||
        { echo "FAIL: $1 is not a 24-bit 300 x 400 bitmap"; fail=1; }
}

"$batch" --help >"$tmp/help" 2>&1
for option in --picture --view --angles --lens --no-labels --no-shading; do
    grep -q -- "$option" "$tmp/help" || { echo "FAIL: --help does not document $option"; fail=1; }
done

"$batch" --verbose --picture "$tmp/plate.bmp" "$data/two-bolts.dat" >/dev/null 2>"$tmp/err"
check "default picture" 0 $?
is_bitmap "$tmp/plate.bmp"
grep -qx "Plotting Bolts Complete" "$tmp/err" || { echo "FAIL: Plotting Bolts Complete missing"; fail=1; }
[ "$(tail -n 1 "$tmp/err")" = "Picture File Saved" ] || { echo "FAIL: last status text"; cat "$tmp/err"; fail=1; }

"$batch" --picture "$tmp/top.emf" --view 4 --lens 2 "$examples/bracket-3d.dat" >/dev/null 2>&1
check "top view, standard lens, .emf name" 0 $?
is_bitmap "$tmp/top.emf"

"$batch" --picture "$tmp/angles.bmp" --angles=-45,0,45 "$data/two-bolts.dat" >/dev/null 2>&1
check "user-defined angles" 0 $?
cmp -s "$tmp/angles.bmp" "$tmp/plate.bmp" || { echo "FAIL: the angles of Iso 1 differ from view 6"; fail=1; }

"$batch" --picture "$tmp/plain.bmp" --no-labels --no-shading "$data/two-bolts.dat" >/dev/null 2>&1
check "no labels, no shading" 0 $?
cmp -s "$tmp/plain.bmp" "$tmp/plate.bmp" && { echo "FAIL: the options changed nothing"; fail=1; }

for bad in "--view 10" "--view x" "--lens 4" "--lens -1" "--angles 1,2" "--angles a,b,c" \
           "--view 4 --angles 0,0,0"; do
    # shellcheck disable=SC2086
    "$batch" --picture "$tmp/bad.bmp" $bad "$data/two-bolts.dat" >/dev/null 2>&1
    check "usage: $bad" 2 $?
done
[ -e "$tmp/bad.bmp" ] && { echo "FAIL: a usage error wrote a picture"; fail=1; }

# One bolt has no depth range: the lens cannot be formed.
printf '[General]\r\nAnalysis Type=Bolt Group\r\n[Analysis Data]\r\nNumber of Bolts=1\r\nBolt 1=1,2,3,1,1,1,0,0\r\n' >"$tmp/one.dat"
"$batch" --picture "$tmp/one.bmp" --lens 1 "$tmp/one.dat" >/dev/null 2>"$tmp/err"
check "lens on one bolt" 1 $?
grep -qx "Plotting Bolts Aborted" "$tmp/err" || { echo "FAIL: Plotting Bolts Aborted missing"; cat "$tmp/err"; fail=1; }
[ -e "$tmp/one.bmp" ] && { echo "FAIL: an aborted plot wrote a picture"; fail=1; }
"$batch" --picture "$tmp/one.bmp" "$tmp/one.dat" >/dev/null 2>&1
check "one bolt without lens" 0 $?

"$batch" --picture "$tmp/no/such/folder/p.bmp" "$data/two-bolts.dat" >/dev/null 2>"$tmp/err"
check "unwritable picture" 4 $?
grep -q "p.bmp" "$tmp/err" || { echo "FAIL: the file error does not name the file"; fail=1; }

exit $fail
