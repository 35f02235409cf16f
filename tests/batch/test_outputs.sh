#!/usr/bin/env bash
# The batch tool's outputs together: none may name the input or another output, a refusal
# writes nothing, a failed analysis still writes the data file, inputs may be pipes, failed
# writes say why, and --csv gives the bolt loads in full precision.
source "$(dirname "$0")/helper_checks.sh"
said() { # description, text expected on standard error
    grep -qF -- "$2" "$tmp/err" || { echo "FAIL: $1: no \"$2\""; cat "$tmp/err"; fail=1; }
}
group() { # file, bolt lines...: an analysis data file as the program writes it
    local file=$1; shift
    { printf '[General]\r\nAnalysis Type=Bolt Group\r\n \r\n[Analysis Data]\r\n'
      printf 'Analysis Title=T\r\nLoad Case Title=L\r\nNumber of Bolts=%d\r\n' $#
      local i=1; for b in "$@"; do printf 'Bolt %d=%s\r\n' $i "$b"; i=$((i + 1)); done
      printf 'Applied Load=50,20,10,100,-200,300,0,0\r\n'; } >"$file"
}

cd "$tmp"
cp "$examples/plate-splice.dat" x.dat; cp x.dat original.dat
cp "$examples/bracket-six-bolts.nis" y.nis
ln -s x.dat link.dat; ln x.dat hard.dat
for args in "--report x.dat" "--picture ./x.dat" "--data link.dat" "--csv $tmp/hard.dat" \
            "--settings ../$(basename "$tmp")/x.dat"; do
    "$batch" $args x.dat >/dev/null 2>"$tmp/err"; check "$args names the input" 2 $?
done
"$batch" --nisa y.nis y.nis >/dev/null 2>"$tmp/err"; check "--nisa names the input" 2 $?
said "the refusal" "names the input file"
cmp -s x.dat original.dat && cmp -s y.nis "$examples/bracket-six-bolts.nis" || { echo "FAIL: an input was changed"; fail=1; }
"$batch" --report out.txt --csv ./out.txt x.dat >/dev/null 2>"$tmp/err"; check "two outputs, one file" 2 $?
[ ! -e out.txt ] || { echo "FAIL: written although refused"; fail=1; }

# Refusals are found before anything is written.
"$batch" --data d.dat --nisa n.nis x.dat >/dev/null 2>"$tmp/err"; check "fragment refused" 1 $?
"$batch" --data d.dat --report r.txt "$data/two-bolts.dat" >/dev/null 2>"$tmp/err"; check "report refused" 1 $?
[ ! -e d.dat ] && [ ! -e n.nis ] && [ ! -e r.txt ] || { echo "FAIL: a refused run wrote"; ls; fail=1; }

# A group the analysis cannot take is still converted to a data file.
group line.dat 0.0000,0.0000,0.0000,1,1,1,0,0 100.0000,0.0000,0.0000,1,1,1,0,0 200.0000,0.0000,0.0000,1,1,1,0,0
"$batch" --data copy.dat --report r.txt line.dat >/dev/null 2>"$tmp/err"; check "analysis fails" 3 $?
said "analysis message" "Floating point division by zero"
cmp -s copy.dat line.dat || { echo "FAIL: data file of the failed analysis"; fail=1; }
[ ! -e r.txt ] || { echo "FAIL: report written for a failed analysis"; fail=1; }

# Pipes and FIFOs are read to their end.
"$batch" x.dat >report.txt 2>/dev/null
"$batch" /dev/stdin <x.dat >piped.txt 2>"$tmp/err"; check "standard input" 0 $?
mkfifo fifo.dat; (sleep 1; cat x.dat >fifo.dat) &
"$batch" fifo.dat >fifo.txt 2>"$tmp/err"; check "FIFO" 0 $?
wait
cmp -s piped.txt report.txt && cmp -s fifo.txt report.txt || { echo "FAIL: piped input reads otherwise"; fail=1; }

# Failed writes say why; a file-size limit fails the write instead of ending the process.
"$batch" --data no/such/x.dat x.dat >/dev/null 2>"$tmp/err"; check "data file not saved" 4 $?
said "reason" "Cannot create file"
(ulimit -f 1; "$batch" --csv big.csv "$examples/bracket-3d.dat" >/dev/null 2>"$tmp/err"); check "file-size limit" 4 $?
said "reason" "File too large"
[ ! -e big.csv ] || { echo "FAIL: a cut-off file was left"; fail=1; }

# A short file that declares millions of bolts is refused before anything is allocated; a
# group too large for the memory ends with a message, not a crash.
printf '[General]\r\nAnalysis Type=Bolt Group\r\nNumber of Bolts=10000000\r\n' >huge.dat
(ulimit -v 600000; "$batch" huge.dat >/dev/null 2>"$tmp/err"); check "declared bolts without lines" 1 $?
said "declared bolts without lines" "has lines for only 0 of them"
awk 'BEGIN { printf "[General]\nAnalysis Type=Bolt Group\nNumber of Bolts=300000\n"
             for (i = 1; i <= 200000; i++) printf "Bolt %d=%d,%d\n", i, i % 500, i % 7
             print "Applied Load=0,0,0,1,1,1" }' >large.dat
(ulimit -v 150000; "$batch" large.dat >/dev/null 2>"$tmp/err"); check "out of memory" 4 $?
said "out of memory" "Not enough memory for 300000 bolts"

# The bolt loads as comma-separated values: a header, a line per bolt, full precision with a
# decimal point whatever the locale, and axial and shear load only where the axial direction is
# defined. (Whole numbers in the data file read alike in every locale.)
group mixed.dat 0,0,0,1,1,1,0,0 100,0,0,1,2,1,3,0 0,70,0,1,1,1,1,0 30,30,15,1,1,3,2,0
LC_ALL=de_DE.UTF-8 "$batch" --csv loads.csv mixed.dat >/dev/null 2>"$tmp/err"; check "csv" 0 $?
head -n 1 loads.csv | grep -qx $'Bolt,X,Y,Z,Stiffness X,Stiffness Y,Stiffness Z,X due to FX,Y due to FX,Z due to FX,X due to FY,Y due to FY,Z due to FY,X due to FZ,Y due to FZ,Z due to FZ,Load X,Load Y,Load Z,Resultant,Axial,Shear\r' || { echo "FAIL: csv header"; head -n 1 loads.csv; fail=1; }
awk -F, 'NR > 1 { n++; if (NF != 22) bad = 1; if (($21 == "") != ($1 == 1)) bad = 1; sx += $8; sy += $12; sz += $16 }
    END { d = (sx - 1) ^ 2 + (sy - 1) ^ 2 + (sz - 1) ^ 2; exit !(n == 4 && !bad && d < 1e-24) }' loads.csv ||
    { echo "FAIL: csv lines"; cat loads.csv; fail=1; }
exit $fail
