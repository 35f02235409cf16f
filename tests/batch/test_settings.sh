#!/usr/bin/env bash
# The batch tool's --settings option: files read and written enter that settings file's
# recent-file list; without the option no settings file is touched.
source "$(dirname "$0")/helper_checks.sh"
has() { # description, file, exact line
    grep -qxF -- "$3" "$2" || { echo "FAIL: $1: no line \"$3\""; tr -d '\r' <"$2"; fail=1; }
}

"$batch" --help >"$tmp/help" 2>&1
grep -q -- "--settings" "$tmp/help" || { echo "FAIL: --help does not document --settings"; fail=1; }

cp "$examples/plate-splice.dat" "$tmp/input.dat"
(cd "$tmp" && "$batch" --settings s.ini --data "$tmp/out/saved.dat" input.dat >/dev/null 2>&1)
check "output folder missing" 4 $?
mkdir "$tmp/out"
(cd "$tmp" && "$batch" --settings s.ini --data "$tmp/out/saved.dat" input.dat >/dev/null 2>&1)
check "read and write with a settings file" 0 $?
tr -d '\r' <"$tmp/s.ini" >"$tmp/s.txt"
has "entry count" "$tmp/s.txt" "FileCount=2"
has "newest first" "$tmp/s.txt" "File1Caption=Saved.dat"
has "full path of the output" "$tmp/s.txt" "File1FileName=$tmp/out/saved.dat"
has "relative input stored in full" "$tmp/s.txt" "File2FileName=$tmp/input.dat"
grep -q $'\r$' "$tmp/s.ini" || { echo "FAIL: settings lines do not end in CR LF"; fail=1; }

# The list keeps other sections and obeys the stored length.
printf '[Preferences]\r\nQuickListLength=1\r\nLogo=0\r\n' >"$tmp/one.ini"
"$batch" --settings "$tmp/one.ini" "$tmp/input.dat" >/dev/null 2>&1; check "length 1" 0 $?
tr -d '\r' <"$tmp/one.ini" >"$tmp/one.txt"
has "other keys stay" "$tmp/one.txt" "Logo=0"
has "one entry" "$tmp/one.txt" "FileCount=1"

# A settings file that cannot be written is a file error.
mkdir "$tmp/folder.ini"
"$batch" --settings "$tmp/folder.ini" "$tmp/input.dat" >/dev/null 2>"$tmp/err"; check "unwritable settings" 4 $?

# Two runs at a time on one settings file lose no entry, and leave no lock file behind.
mkdir "$tmp/both"
printf '[Preferences]\r\nQuickListLength=100\r\n' >"$tmp/both/s.ini"
for i in $(seq 1 40); do cp "$tmp/input.dat" "$tmp/both/in$i.dat"; done
runs() { for i in $(seq "$1" "$2"); do "$batch" --settings "$tmp/both/s.ini" "$tmp/both/in$i.dat" >/dev/null 2>&1 || echo "FAIL: run $i"; done; }
runs 1 20 & runs 21 40; wait
tr -d '\r' <"$tmp/both/s.ini" >"$tmp/both.txt"
has "every entry of two runs at a time" "$tmp/both.txt" "FileCount=40"
[ ! -e "$tmp/both/s.ini.lock" ] || { echo "FAIL: lock file left"; fail=1; }

# Without the option nothing appears beside the input or the program.
before=$(ls -A "$(dirname "$batch")" "$tmp" | sort)
(cd "$tmp" && "$batch" input.dat >/dev/null 2>&1); check "no settings option" 0 $?
[ "$(ls -A "$(dirname "$batch")" "$tmp" | sort)" = "$before" ] || { echo "FAIL: a file appeared"; fail=1; }
exit $fail
