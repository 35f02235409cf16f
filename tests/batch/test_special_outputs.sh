#!/usr/bin/env bash
# Outputs that are pipes, devices, sockets or links are written into, never replaced; a report
# that cannot reach standard output or a PDF that cannot be written ends with the file-error
# code and the system's reason, the previous file whole.
source "$(dirname "$0")/helper_checks.sh"
cd "$tmp"
cp "$examples/plate-splice.dat" x.dat
"$batch" x.dat >expected.txt; check "report on standard output" 0 $?

for out in "--report" "--csv"; do
    rm -f fifo got; mkfifo fifo
    cat fifo >got & reader=$!
    "$batch" $out fifo x.dat 2>err; check "$out into a FIFO" 0 $?
    wait $reader
    [ -p fifo ] && [ -s got ] || { echo "FAIL: $out: FIFO replaced or empty"; ls -l; fail=1; }
done
"$batch" --csv plain.csv x.dat; cmp -s got plain.csv || { echo "FAIL: csv through a FIFO differs"; fail=1; }
"$batch" --report /dev/stdout x.dat | cat >piped.txt; check "--report /dev/stdout into a pipe" 0 ${PIPESTATUS[0]}
cmp -s piped.txt expected.txt || { echo "FAIL: report through /dev/stdout differs"; fail=1; }
"$batch" --report /dev/null x.dat; check "--report /dev/null" 0 $?
[ -c /dev/null ] || { echo "FAIL: /dev/null replaced"; fail=1; }
ln -s fifo link.txt; cat fifo >got & reader=$!
"$batch" --report link.txt x.dat; check "a link to a FIFO" 0 $?
wait $reader; [ -L link.txt ] && [ -p fifo ] && cmp -s got expected.txt || { echo "FAIL: link to a FIFO"; fail=1; }
echo old >target.txt; ln -s target.txt file-link.txt
"$batch" --report file-link.txt x.dat; check "a link to a file" 0 $?
[ -L file-link.txt ] && cmp -s target.txt expected.txt || { echo "FAIL: the link's target not written"; fail=1; }
if python3 -c 'import socket; socket.socket(socket.AF_UNIX).bind("sock")' 2>/dev/null; then
    "$batch" --report sock x.dat 2>err; check "a socket is refused" 4 $?
    [ -S sock ] && grep -q "not a regular file" err || { echo "FAIL: socket"; cat err; fail=1; }
fi

# Standard output that cannot take the report.
"$batch" x.dat >/dev/full 2>err; check "report to a full device" 4 $?
grep -q "No space left on device" err || { echo "FAIL: reason for /dev/full"; cat err; fail=1; }
"$batch" x.dat >&- 2>err; check "closed standard output" 4 $?
grep -q "Cannot write standard output" err || { echo "FAIL: reason for closed output"; cat err; fail=1; }
(ulimit -f 1; "$batch" "$examples/bracket-3d.dat" >limited.txt 2>err); check "report past a size limit" 4 $?

# A PDF that cannot be written keeps the previous one.
"$batch" --report old.pdf x.dat; check "PDF written" 0 $?
cp old.pdf kept.pdf
(ulimit -f 2; "$batch" --report old.pdf "$examples/bracket-3d.dat" 2>err); check "PDF past a size limit" 4 $?
cmp -s old.pdf kept.pdf || { echo "FAIL: previous PDF not kept"; fail=1; }
"$batch" --report /dev/full x.dat 2>err; check "PDF-less report to a full device" 4 $?
ln -s /dev/full full.pdf
"$batch" --report full.pdf x.dat 2>err; check "PDF to a full device" 4 $?
grep -q "No space left on device" err || { echo "FAIL: PDF reason"; cat err; fail=1; }
exit $fail
