# A save that cannot replace its file reports it and leaves what was there:
# the file name now names a folder, Save shows the error under "エラー", the
# folder is untouched and no temporary file is left.
start_sim
start_program
program_up
work=$CASE_DIR/work
save_as target
wait_for_file "$work/target.dat"

rm "$work/target.dat"
mkdir "$work/target.dat"
touch "$work/target.dat/keep"
REPLACE_ERROR="ファイルを置き換えることができませんでした。"
drv main 1000 menu "$IDM_FILE_SAVE" box "$REPLACE_ERROR" "エラー" 5000
shot save-failed main 1000 box "$REPLACE_ERROR" "エラー" 1000
drv main 1000 box "$REPLACE_ERROR" "エラー" 1000 click "$IDOK" gone 3000 no-box 500
[ -f "$work/target.dat/keep" ] || fail "the folder's content changed"
expect_eq "temporary files left" "$(find "$work" -name '*.tmp' | wc -l)" 0
drv main 1000 alive
