# The video format dialog: each channel's list shows its format, "同設定"
# opens on "AHD 1080" and gives every channel its choice; "全設定" sends the
# sixteen formats in one command; a channel's own "設定" sends that channel;
# changing one channel afterwards leaves "同設定" as it was.
start_sim
start_program
VF="ビデオフォーマットの設定"
program_up
toolbar_dialog "$IDM_VIDEO_FORMAT" "$VF" caption "$VF  " \
  selection "${VIDEO_FORMAT_LIST[1]}" 2 selection "${VIDEO_FORMAT_LIST[16]}" 2 \
  selection "$IDC_VIDEO_FORMAT_SAME" 0 selection "$IDC_VIDEO_FORMAT_SLAVE" 0
shot dialog main 1000 dialog "$VF" 1000

in_dialog "$VF" choose "$IDC_VIDEO_FORMAT_SAME" 6 selection "${VIDEO_FORMAT_LIST[1]}" 6 \
  selection "${VIDEO_FORMAT_LIST[9]}" 6 selection "${VIDEO_FORMAT_LIST[16]}" 6 \
  click "$IDC_VIDEO_FORMAT_SET_ALL" "${SUCCESS[@]}"
in_dialog "$VF" choose "${VIDEO_FORMAT_LIST[10]}" 0 selection "$IDC_VIDEO_FORMAT_SAME" 6 \
  selection "${VIDEO_FORMAT_LIST[9]}" 6 click "${VIDEO_FORMAT_SET[10]}" "${SUCCESS[@]}"
in_dialog "$VF" click "$IDC_VIDEO_FORMAT_SET_ALL" "${SUCCESS[@]}"
expect_frames <<'FRAMES'
RX VF7777777777777777\r\n
TX GO\r\n
RX VF101\r\n
TX GO\r\n
RX VF7777777771777777\r\n
TX GO\r\n
FRAMES
in_dialog "$VF" click "$IDC_VIDEO_FORMAT_CLOSE" gone 3000
open_dialog "$IDM_VIDEO_FORMAT" "$VF" selection "${VIDEO_FORMAT_LIST[10]}" 0 \
  selection "$IDC_VIDEO_FORMAT_SAME" 0 close gone 3000
