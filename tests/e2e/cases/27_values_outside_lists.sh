# A settings file whose values lie outside the dialogs' lists: the lists show
# no selection, the AGC channel shows "OFF", and each "設定" ends in
# "Command Error" with nothing sent. The caption carries the file's path.
start_sim
start_program
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/outside.dat" \
  agc.on[0]=2 videoLoss.display=2 other.borderLine=4 alarm.mode=2 'videoFormat.format[0]=7' \
  other.powerOnScreen=26 alarm.holdTimeText=000
drv main 15000 no-box 1000 menu 40002 dialog "ファイルを開く" 5000 filename outside.dat click 1 \
  gone 5000 no-box 500
path="Z:$(printf '%s' "$work/outside.dat" | tr / '\\')"

AGC="オート・ゲイン・コントロール"
drv main 1000 menu 40025 dialog "$AGC" 5000 caption "$AGC　$path" checked 1016 0 checked 1017 1 \
  click 1048 box "Command Error" "Error" 5000
shot agc-command-error main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click 1 dialog "$AGC" 1000 click 1050 gone 3000

VL="ビデオロスの設定"
drv main 1000 menu 40007 dialog "$VL" 5000 caption "$VL  $path" selection 1125 -1
shot no-selection main 1000 dialog "$VL" 1000
drv main 1000 dialog "$VL" 1000 click 1138 box "Command Error" "Error" 5000 click 1 \
  dialog "$VL" 1000 click 1139 gone 3000

VF="ビデオフォーマットの設定"
drv main 1000 menu 40024 dialog "$VF" 5000 selection 1051 -1 selection 1053 2 \
  click 1052 box "Command Error" "Error" 5000 click 1 \
  dialog "$VF" 1000 click 1108 box "Command Error" "Error" 5000 click 1 \
  dialog "$VF" 1000 click 1068 gone 3000

OT="その他の設定"
drv main 1000 menu 40015 dialog "$OT" 5000 selection 2603 -1 selection 2605 -1 \
  click 2604 box "Command Error" "Error" 5000 click 1 \
  dialog "$OT" 1000 click 2606 box "Command Error" "Error" 5000 click 1 \
  dialog "$OT" 1000 click 2610 gone 3000

AL="アラームの設定"
drv main 1000 menu 40006 dialog "$AL" 5000 selection 2401 -1 text 2403 "000" enabled 2404 0 \
  click 2402 box "Command Error" "Error" 5000 click 1 dialog "$AL" 1000 click 2412 gone 3000

# Nothing reached the unit; opening and closing dialogs changed nothing.
expect_frames </dev/null
drv main 1000 menu 40005 exited 5000 0
