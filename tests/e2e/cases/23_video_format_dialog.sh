# The video format dialog: each channel's list shows its format, "同設定"
# opens on "AHD 1080" and gives every channel its choice; "全設定" sends the
# sixteen formats in one command; a channel's own "設定" sends that channel;
# changing one channel afterwards leaves "同設定" as it was.
start_sim
start_program
VF="ビデオフォーマットの設定"
drv main 15000 no-box 1000 toolbar 40024 dialog "$VF" 5000 caption "$VF  " \
  selection 1051 2 selection 1097 2 selection 1107 0 selection 1067 0
shot dialog main 1000 dialog "$VF" 1000

drv main 1000 dialog "$VF" 1000 choose 1107 6 selection 1051 6 selection 1083 6 selection 1097 6 \
  click 1108 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$VF" 1000 choose 1085 0 selection 1107 6 selection 1083 6 \
  click 1086 box "Success" "接続成功" 5000 click 1
drv main 1000 dialog "$VF" 1000 click 1108 box "Success" "接続成功" 5000 click 1
expect_frames <<'FRAMES'
RX VF7777777777777777\r\n
TX GO\r\n
RX VF101\r\n
TX GO\r\n
RX VF7777777771777777\r\n
TX GO\r\n
FRAMES
drv main 1000 dialog "$VF" 1000 click 1068 gone 3000
drv main 1000 menu 40024 dialog "$VF" 5000 selection 1085 0 selection 1107 0 close gone 3000
