# The video loss dialog: the detection of each channel as an ON/OFF pair,
# the three lists with their own "設定"; channel 5 switched off goes out as
# the seventh letter of the VL command, each list's choice with its command.
start_sim
start_program
VL="ビデオロスの設定"
drv main 15000 no-box 1000 toolbar 40007 dialog "$VL" 5000 caption "$VL  " \
  checked 1128 1 checked 1140 1 checked 1141 0 checked 1203 1 \
  selection 1125 1 selection 1126 0 selection 1127 0 selection 1137 0 enabled 1137 0
shot dialog main 1000 dialog "$VL" 1000

drv main 1000 dialog "$VL" 1000 click 1141 click 1136 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$VL" 1000 select 1125 0 click 1138 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$VL" 1000 select 1126 1 click 1103 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$VL" 1000 select 1127 1 click 1104 box "Success" "接続成功" 5000 click 1
expect_frames <<'FRAMES'
RX VLNNNNFNNNNNNNNNNN\r\n
TX GO\r\n
RX VLDOF\r\n
TX GO\r\n
RX VLSOON\r\n
TX GO\r\n
RX VLBCB\r\n
TX GO\r\n
FRAMES

# Reopened, the dialog shows what the model now holds.
drv main 1000 dialog "$VL" 1000 click 1139 gone 3000
drv main 1000 menu 40007 dialog "$VL" 5000 checked 1140 0 checked 1141 1 \
  selection 1125 0 selection 1126 1 selection 1127 1 close gone 3000 no-box 500
