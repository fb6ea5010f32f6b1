# A save that cannot replace its file reports it and leaves what was there:
# the file name now names a folder, Save shows the error under "エラー", the
# folder is untouched and no temporary file is left.
start_sim
start_program
drv main 15000 no-box 1000
work=$CASE_DIR/work
drv main 1000 menu 40004 dialog "名前を付けて保存" 5000 filename target click 1 gone 5000 no-box 500
wait_for_file "$work/target.dat"

rm "$work/target.dat"
mkdir "$work/target.dat"
touch "$work/target.dat/keep"
drv main 1000 menu 40003 box "ファイルを置き換えることができませんでした。" "エラー" 5000
shot save-failed main 1000 box "ファイルを置き換えることができませんでした。" "エラー" 1000
drv main 1000 box "ファイルを置き換えることができませんでした。" "エラー" 1000 click 1 gone 3000 no-box 500
[ -f "$work/target.dat/keep" ] || fail "the folder's content changed"
expect_eq "temporary files left" "$(find "$work" -name '*.tmp' | wc -l)" 0
drv main 1000 alive
