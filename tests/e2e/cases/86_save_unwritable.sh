# The settings file cannot be written while saving (the program's file size
# limit, its soft one, is lowered below the file's size, as on a full disk): Save
# shows "ファイルに書き込むことができませんでした。" under "エラー", the
# previous file stays byte for byte and no temporary file is left. Save As
# to a new name fails the same way, creates nothing and does not take the
# name. The document stays changed: Exit asks, and a Yes whose save fails
# keeps the program open. Once writing works again, Yes saves the edit to
# the file's own name and the program ends.
work=$CASE_DIR/work
WRITE_ERROR="ファイルに書き込むことができませんでした。"
start_sim
# A write past the limit then fails instead of ending the program.
trap '' XFSZ
start_program
trap - XFSZ
file_limit() { prlimit --pid "$PROGRAM_PID" --fsize="$1:"; }
no_temporary_files() {
  expect_eq "temporary files left" "$(find "$work" -name '*.tmp' | wc -l)" 0
}

program_up
save_as site
open_dialog "$IDM_AGC" "$AGC" click "${AGC_OFF[1]}" click "$IDC_AGC_CLOSE" gone 3000
wait_for_file "$work/site.dat"
cp "$work/site.dat" "$work/site.before"

file_limit 1000
drv main 1000 menu "$IDM_FILE_SAVE" box "$WRITE_ERROR" "エラー" 5000
shot write-error main 1000 box "$WRITE_ERROR" "エラー" 1000
drv main 1000 box "$WRITE_ERROR" "エラー" 1000 click "$IDOK" no-box 300
cmp "$work/site.dat" "$work/site.before" || fail "a failed Save changed the file"
no_temporary_files

open_dialog "$IDM_FILE_SAVE_AS" "$SAVE_AS_CAPTION" filename other click "$IDOK" gone 5000 \
  box "$WRITE_ERROR" "エラー" 5000 click "$IDOK" no-box 300
[ ! -e "$work/other.dat" ] || fail "a failed Save As left other.dat"
no_temporary_files

drv main 1000 menu "$IDM_FILE_EXIT" "${SAVE_PROMPT[@]}" click "$IDYES" \
  box "$WRITE_ERROR" "エラー" 5000 click "$IDOK" no-box 500 alive
cmp "$work/site.dat" "$work/site.before" || fail "a failed save on exit changed the file"
no_temporary_files

file_limit unlimited
drv main 1000 menu "$IDM_FILE_EXIT" "${SAVE_PROMPT[@]}" click "$IDYES" \
  no-dialog "$SAVE_AS_CAPTION" 500 exited 5000 0
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/expect.dat" 'agc.on[0]=0'
cmp "$work/expect.dat" "$work/site.dat" || fail "the edit was not saved to site.dat"
[ ! -e "$work/other.dat" ] || fail "the document took the name of the failed Save As"
no_temporary_files
