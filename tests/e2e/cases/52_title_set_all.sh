# "全設定" of the title dialog: the 16 titles in channel order, "01" first and
# "16" last, one per 400 ms tick, then "Success"; while the sequence runs the
# button reads "キャンセル" and the other controls and the system-menu close
# are locked, and the title-bar close is refused. With a half-width letter in
# channel 5 the sequence stops after channel 4 with the title-character
# message and "Command Error", without "Success", and the controls come back.
start_sim --reply-delay-ms 100
start_program
T="タイトルの設定"
MSG="ＪＩＳ第１水準,第２水準以外の字が選択されてます"
SET_ALL=$IDC_TITLE_SET_ALL
program_up
open_dialog "$IDM_TITLE" "$T" click "$SET_ALL" wait-text "$SET_ALL" "キャンセル" 2000 \
  enabled "$IDC_TITLE_CHANNEL" 0 enabled "$IDC_TITLE_EDIT" 0 enabled "$IDC_TITLE_SET" 0 \
  enabled "$IDC_TITLE_CLOSE" 0 send-close
shot running main 1000 dialog "$T" 1000
in_dialog "$T" box "Success" "接続成功" 15000 click "$IDOK" no-box 500
in_dialog "$T" wait-text "$SET_ALL" "全設定" 2000 enabled "$IDC_TITLE_CHANNEL" 1 \
  enabled "$IDC_TITLE_EDIT" 1 enabled "$IDC_TITLE_SET" 1 enabled "$IDC_TITLE_CLOSE" 1
# The default title of channel N: blanks, "ＣＨ", N in full-width digits.
jis_digits() { local d out=; for d in $(echo "$1" | grep -o .); do out+="233$d"; done; echo "$out"; }
want=$(for ch in $(seq -w 1 16); do
  echo "RX CJ${ch}21212121212123432348$(jis_digits "$ch")212121212121\\r\\n"
  echo 'TX GO\r\n'
done)
expect_frames <<<"$want"

# The titles leave one per tick of the 400 ms pacing timer: sixteen of them
# span at least fifteen periods. (Each gap alone is the timer's: a tick the
# busy machine delays is followed by the next one on time, so single gaps
# may be shorter; the pace over the run is not.)
awk '$3 == "RX" { split($2, t, ":"); s = t[1] * 3600 + t[2] * 60 + t[3];
       if (!n++) first = s; last = s }
     END { if (n != 16 || last - first < 15 * 0.4 * 0.95) { print n " titles in " last - first " s"; exit 1 } }' \
  "$CASE_DIR/sim.log" || fail "titles sent faster than one every 400 ms"

# Channel 5 with a half-width letter.
before=$(frames | wc -l)
in_dialog "$T" choose "$IDC_TITLE_CHANNEL" 4 \
  wait-text "$IDC_TITLE_EDIT" "　　　ＣＨ０５　　　" 2000 set-text "$IDC_TITLE_EDIT" "ＡbＣ" \
  click "$SET_ALL" box "$MSG" "Error" 30000
shot refused main 1000 box "$MSG" "Error" 3000
# "Command Error" comes on top of the title-character message (task-modal,
# it locks the message below until it is closed).
drv main 1000 box "Command Error" "Error" 5000 click "$IDOK"
drv main 1000 box "$MSG" "Error" 3000 click "$IDOK" no-box 2000
in_dialog "$T" wait-text "$SET_ALL" "全設定" 2000 enabled "$IDC_TITLE_CHANNEL" 1 \
  enabled "$IDC_TITLE_EDIT" 1 enabled "$IDC_TITLE_CLOSE" 1 text "$IDC_TITLE_EDIT" "ＡbＣ"
sent=$(frames | tail -n +$((before + 1)) | grep '^RX' | cut -c1-7 | tr '\n' ' ')
expect_eq "titles sent before channel 5" "$sent" "RX CJ01 RX CJ02 RX CJ03 RX CJ04 "
in_dialog "$T" close gone 3000
