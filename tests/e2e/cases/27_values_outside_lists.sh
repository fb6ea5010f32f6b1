# A settings file whose values lie outside the dialogs' lists: the lists show
# no selection, the AGC channel shows "OFF", and each "設定" ends in
# "Command Error" with nothing sent. The caption carries the file's path.
start_sim
start_program
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/outside.dat" \
  agc.on[0]=2 videoLoss.display=2 other.borderLine=4 alarm.mode=2 'videoFormat.format[0]=7' \
  other.powerOnScreen=26 alarm.holdTimeText=000
program_up
open_file outside.dat
path="Z:$(printf '%s' "$work/outside.dat" | tr / '\\')"
COMMAND_ERROR=(box "Command Error" "Error" 5000 click "$IDOK")

open_dialog "$IDM_AGC" "$AGC" caption "$AGC　$path" checked "${AGC_ON[1]}" 0 \
  checked "${AGC_OFF[1]}" 1 click "$IDC_AGC_SET" box "Command Error" "Error" 5000
shot agc-command-error main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click "$IDOK" \
  dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000

VL="ビデオロスの設定"
open_dialog "$IDM_VIDEO_LOSS" "$VL" caption "$VL  $path" selection "$IDC_VIDEO_LOSS_DISPLAY" -1
shot no-selection main 1000 dialog "$VL" 1000
in_dialog "$VL" click "$IDC_VIDEO_LOSS_DISPLAY_SET" "${COMMAND_ERROR[@]}" \
  dialog "$VL" 1000 click "$IDC_VIDEO_LOSS_CLOSE" gone 3000

VF="ビデオフォーマットの設定"
open_dialog "$IDM_VIDEO_FORMAT" "$VF" selection "${VIDEO_FORMAT_LIST[1]}" -1 \
  selection "${VIDEO_FORMAT_LIST[2]}" 2 \
  click "${VIDEO_FORMAT_SET[1]}" "${COMMAND_ERROR[@]}" \
  dialog "$VF" 1000 click "$IDC_VIDEO_FORMAT_SET_ALL" "${COMMAND_ERROR[@]}" \
  dialog "$VF" 1000 click "$IDC_VIDEO_FORMAT_CLOSE" gone 3000

OT="その他の設定"
open_dialog "$IDM_OTHER" "$OT" selection "$IDC_OTHER_BORDER" -1 selection "$IDC_OTHER_POWER_ON" -1 \
  click "$IDC_OTHER_BORDER_SET" "${COMMAND_ERROR[@]}" \
  dialog "$OT" 1000 click "$IDC_OTHER_POWER_ON_SET" "${COMMAND_ERROR[@]}" \
  dialog "$OT" 1000 click "$IDC_OTHER_CLOSE" gone 3000

AL="アラームの設定"
open_dialog "$IDM_ALARM" "$AL" selection "$IDC_ALARM_MODE" -1 text "$IDC_ALARM_HOLD_TIME" "000" \
  enabled "$IDC_ALARM_HOLD_TIME_SET" 0 click "$IDC_ALARM_MODE_SET" "${COMMAND_ERROR[@]}" \
  dialog "$AL" 1000 click "$IDC_ALARM_CLOSE" gone 3000

# Nothing reached the unit; opening and closing dialogs changed nothing.
expect_frames </dev/null
exit_unchanged
