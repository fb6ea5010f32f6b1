# Answers garbled on the line (every second answer has a byte changed): a
# garbled "GO" after a single "設定", a garbled data line in read-all and a
# garbled "GO" in send-all each show "Command Error" under "Error", once; the
# runs stop at that step without their completion message. The garbled
# data line changes nothing in the model, the good one before it is kept.
work=$CASE_DIR/work
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/unit.dat" alarm.mode=1 \
  alarm.holdTimeText=120
start_sim --load "$work/unit.dat" --garble-every 2
start_program
RA="設定項目の読み込み"
SA="全項目の設定"
AGC="オート・ゲイン・コントロール"
AL="アラームの設定"

# Answers 1 and 2: "GO", then "G#".
drv main 15000 no-box 1000 menu 40025 dialog "$AGC" 5000 click 1048 box "Success" "接続成功" 5000 \
  click 1 no-box 300 dialog "$AGC" 1000 click 1048 box "Command Error" "Error" 5000
shot garbled-go main 1000 box "Command Error" "Error" 1000
drv main 1000 box "Command Error" "Error" 1000 click 1 no-box 300 dialog "$AGC" 1000 click 1050 gone 3000

# Read-all: "AMI" arrives whole, the hold time "ADT#20" garbled.
drv main 1000 menu 40017 dialog "$RA" 5000 click 1049 box "Command Error" "Error" 5000 click 1 \
  dialog "$RA" 1000 wait-text 1049 "読み込み" 2000 text 1050 "" enabled 1112 1 no-box 300 \
  click 1112 gone 3000 \
  menu 40006 dialog "$AL" 5000 selection 2401 1 text 2403 "030" click 2412 gone 3000

# Send-all: "AME" acknowledged, the hold time's "GO" garbled.
drv main 1000 menu 40016 dialog "$SA" 5000 click 1046 box "Command Error" "Error" 5000 click 1 \
  dialog "$SA" 1000 wait-text 1046 "設定" 2000 text 1047 "" enabled 1113 1 no-box 300 \
  click 1113 gone 3000
expect_frames <<'FRAMES'
RX AGCNNNNNNNNNNNNNNNN\r\n
TX GO\r\n
RX AGCNNNNNNNNNNNNNNNN\r\n
TX G#\r\n (garbled)
RX RAM\r\n
TX AME\r\n
RX RADT\r\n
TX ADT#20\r\n (garbled)
RX AME\r\n
TX GO\r\n
RX ADT030\r\n
TX G#\r\n (garbled)
FRAMES

# The model holds the one value read and nothing of the garbled line.
python3 "$E2E_ROOT/tests/e2e/settings_file.py" write "$work/expect.dat" alarm.mode=1
drv main 1000 menu 40004 dialog "名前を付けて保存" 5000 filename model click 1 gone 5000 no-box 300
wait_for_file "$work/model.dat"
cmp "$work/expect.dat" "$work/model.dat" || fail "the model differs from the one value read"
drv main 1000 menu 40005 no-box 500 exited 5000 0
