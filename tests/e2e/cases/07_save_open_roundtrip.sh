# Save As writes the settings file (282 lines, CR LF, "dat" added); Open of
# a non-default file followed by Save As writes it back byte for byte; Save
# overwrites the current file and leaves no temporary file behind; Open of a
# missing file warns and offers the dialog again.
start_sim
start_program
program_up

open_dialog "$IDM_FILE_SAVE_AS" "$SAVE_AS_CAPTION"
shot save-as main 1000 dialog "$SAVE_AS_CAPTION" 1000
in_dialog "$SAVE_AS_CAPTION" filename defaults click "$IDOK" gone 5000 no-box 500
work=$CASE_DIR/work
wait_for_file "$work/defaults.dat"
expect_eq "lines in defaults.dat" "$(wc -l <"$work/defaults.dat")" 282
expect_eq "CR LF line ends" "$(grep -c $'\r$' "$work/defaults.dat")" 282
expect_eq "first lines" "$(head -5 "$work/defaults.dat" | tr -d '\r' | paste -sd,)" "0,0,030,1,1"

# A file that differs from the defaults in every kind of field: integers,
# the hold-time text, titles (Shift_JIS) and the last line.
python3 - "$work/defaults.dat" "$work/custom.dat" <<'PY'
import sys
lines = open(sys.argv[1], 'rb').read().split(b'\r\n')
assert lines[-1] == b'' and len(lines) == 283
lines[0] = b'2'                                          # alarm.mode
lines[2] = b'120'                                        # alarm.holdTimeText
lines[5] = b'0'                                          # videoLoss.detect[0]
lines[26] = '＊ＣＡＭ＊ＡＢ＊'.encode('cp932')          # title 1
lines[41] = 'カメラ１６番'.encode('cp932')              # title 16
lines[72] = b'10'                                        # videoAdjust.brightness[0]
lines[184] = b'6'                                        # videoFormat.format[0]
lines[280] = b'3'                                        # other.powerOnScreen
open(sys.argv[2], 'wb').write(b'\r\n'.join(lines))
PY

open_dialog "$IDM_FILE_OPEN" "$OPEN_CAPTION"
shot open main 1000 dialog "$OPEN_CAPTION" 1000
in_dialog "$OPEN_CAPTION" filename custom.dat click "$IDOK" gone 5000 no-box 500
save_as copy
wait_same "$work/custom.dat" "$work/copy.dat"

# Save writes to the current file (copy.dat) again.
rm -f "$work/copy.dat"
drv main 1000 menu "$IDM_FILE_SAVE" no-dialog "$SAVE_AS_CAPTION" 1000 no-box 500
wait_same "$work/custom.dat" "$work/copy.dat"
leftovers=$(find "$work" -name '*.tmp' | wc -l)
expect_eq "temporary files left" "$leftovers" 0

# Open of a name that does not exist: the warning, then the dialog again.
NOT_FOUND="指定したファイルが見つかりませんでした。\nもう一度ファイル名を入力してください。"
open_dialog "$IDM_FILE_OPEN" "$OPEN_CAPTION" filename missing.dat click "$IDOK" \
  box "$NOT_FOUND" "エラー" 5000
shot open-not-found main 1000 box "$NOT_FOUND" "エラー" 1000
drv main 1000 box "$NOT_FOUND" "エラー" 1000 click "$IDOK" dialog "$OPEN_CAPTION" 5000 \
  click "$IDCANCEL" gone 3000 no-box 500

# Cancelling Open kept the name: Save still writes copy.dat.
rm -f "$work/copy.dat"
drv main 1000 menu "$IDM_FILE_SAVE" no-dialog "$SAVE_AS_CAPTION" 1000 no-box 500
wait_same "$work/custom.dat" "$work/copy.dat"

exit_unchanged
