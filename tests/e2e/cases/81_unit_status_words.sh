# Each status word the unit can answer instead of "GO", during a single
# "設定" and during a run: its text under "Error", shown once; the single
# command is not repeated; the run stops at its first step without its
# completion message and its dialog is idle again. The words meet read-all,
# send-all and the "全設定" series of the title and video adjustment dialogs
# in turn. Each word's unit sits on COM1 or COM2 in turn, and the program is
# moved to it through "通信の設定", so one program run serves the table.
words=(MENU ALARM LOCK GN E0 E1 E2 E3)
texts=("Menu Display" "Alarm Display" "Lock Display" "Mode Error" "Framing Error" "Parity Error"
  "Over Run Error" "Command Error")
RA="設定項目の読み込み"
SA="全項目の設定"
TI="タイトルの設定"
VA="ビデオ調整設定"
sim_on_port=()

for i in "${!words[@]}"; do
  word=${words[$i]}
  text=${texts[$i]}
  port=$((i % 2))
  log=$CASE_DIR/sim-$word.log
  if [ -n "${sim_on_port[$port]:-}" ]; then
    stop_sim "${sim_on_port[$port]}"
  fi
  start_sim --pty "$RUN/com$((port + 1))" --log "$log" --status "$word"
  sim_on_port[$port]=$(last_sim_pid)

  if [ "$i" -eq 0 ]; then
    start_program
    move=(no-box 1000)
  else
    move=(menu "$IDM_COMM_SETTINGS" dialog "通信の設定" 5000 select "$IDC_COMM_PORT" "$port"
      click "$IDC_COMM_OK" gone 3000 no-box 200)
  fi
  case $((i % 4)) in
    0)
      first='RAM\r\n'
      runname="read-all"
      run=(menu "$IDM_READ_ALL" dialog "$RA" 5000 click "$IDC_READ_ALL_START"
        box "$text" "Error" 5000 click "$IDOK" dialog "$RA" 1000
        wait-text "$IDC_READ_ALL_START" "読み込み" 2000 text "$IDC_READ_ALL_PERCENT" ""
        enabled "$IDC_READ_ALL_CLOSE" 1 no-box 200 click "$IDC_READ_ALL_CLOSE" gone 3000)
      ;;
    1)
      first='AMI\r\n'
      runname="send-all"
      run=(menu "$IDM_SEND_ALL" dialog "$SA" 5000 click "$IDC_SEND_ALL_START"
        box "$text" "Error" 5000 click "$IDOK" dialog "$SA" 1000
        wait-text "$IDC_SEND_ALL_START" "設定" 2000 text "$IDC_SEND_ALL_PERCENT" ""
        enabled "$IDC_SEND_ALL_CLOSE" 1 no-box 200 click "$IDC_SEND_ALL_CLOSE" gone 3000)
      ;;
    2)
      first='CJ01'
      runname="the title 全設定"
      run=(menu "$IDM_TITLE" dialog "$TI" 5000 click "$IDC_TITLE_SET_ALL"
        box "$text" "Error" 5000 click "$IDOK" dialog "$TI" 1000
        wait-text "$IDC_TITLE_SET_ALL" "全設定" 2000 enabled "$IDC_TITLE_CLOSE" 1 no-box 200
        click "$IDC_TITLE_CLOSE" gone 3000)
      ;;
    3)
      first='VAB'
      runname="the video adjustment 全設定"
      run=(menu "$IDM_VIDEO_ADJUST" dialog "$VA" 5000 click "$IDC_VIDEO_ADJUST_SET_ALL"
        box "$text" "Error" 5000 click "$IDOK" dialog "$VA" 1000
        wait-text "$IDC_VIDEO_ADJUST_SET_ALL" "全設定" 2000 enabled "$IDC_VIDEO_ADJUST_CLOSE" 1
        no-box 200 click "$IDC_VIDEO_ADJUST_CLOSE" gone 3000)
      ;;
  esac
  set_steps=(menu "$IDM_AGC" dialog "$AGC" 5000 click "$IDC_AGC_SET" box "$text" "Error" 5000)
  if [ "$word" = LOCK ]; then
    drv main 15000 "${move[@]}" "${set_steps[@]}"
    shot lock-display main 1000 box "$text" "Error" 1000
    set_steps=(box "$text" "Error" 1000)
    move=()
  fi
  drv main 15000 "${move[@]}" "${set_steps[@]}" click "$IDOK" no-box 200 \
    dialog "$AGC" 1000 click "$IDC_AGC_CLOSE" gone 3000 "${run[@]}"
  mapfile -t got < <(frames "$log")
  [ "${#got[@]}" -eq 4 ] && [ "${got[0]}" = 'RX AGCNNNNNNNNNNNNNNNN\r\n' ] &&
    [ "${got[1]}" = "TX $word\\r\\n" ] && [[ ${got[2]} == "RX $first"* ]] &&
    [ "${got[3]}" = "TX $word\\r\\n" ] || {
    printf '    %s\n' "${got[@]}" >&2
    fail "$word: unexpected frames"
  }
  note "$word: \"$text\" / \"Error\" after the Set, and in $runname, stopped at step 1"
done

# Nothing was changed by the refused commands: Exit asks nothing.
exit_unchanged
