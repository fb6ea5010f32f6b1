# A second launch shows "２重に起動はできません" under "２重起動防止", ends
# with code 0 and leaves the first copy running.
start_sim
start_program
program_up

(cd "$CASE_DIR/work" && LD_PRELOAD=$SHIM exec wine "$EXE") >>"$CASE_DIR/program2.out" 2>&1 &
second=$!
drv box-any "２重に起動はできません" "２重起動防止" 15000
shot double-start box-any "２重に起動はできません" "２重起動防止" 1000
drv box-any "２重に起動はできません" "２重起動防止" 1000 click "$IDOK" gone 3000
rc=0
wait "$second" || rc=$?
expect_eq "exit code of the second copy" "$rc" 0

drv main 1000 alive no-box 500 status 0 "ﾚﾃﾞｨ"
