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
AGC="オート・ゲイン・コントロール"
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
    move=(menu 40018 dialog "通信の設定" 5000 select 1032 "$port" click 1031 gone 3000 no-box 200)
  fi
  case $((i % 4)) in
    0)
      first='RAM\r\n'
      runname="read-all"
      run=(menu 40017 dialog "$RA" 5000 click 1049 box "$text" "Error" 5000 click 1 dialog "$RA" 1000
        wait-text 1049 "読み込み" 2000 text 1050 "" enabled 1112 1 no-box 200 click 1112 gone 3000)
      ;;
    1)
      first='AMI\r\n'
      runname="send-all"
      run=(menu 40016 dialog "$SA" 5000 click 1046 box "$text" "Error" 5000 click 1 dialog "$SA" 1000
        wait-text 1046 "設定" 2000 text 1047 "" enabled 1113 1 no-box 200 click 1113 gone 3000)
      ;;
    2)
      first='CJ01'
      runname="the title 全設定"
      run=(menu 40008 dialog "$TI" 5000 click 2004 box "$text" "Error" 5000 click 1 dialog "$TI" 1000
        wait-text 2004 "全設定" 2000 enabled 2006 1 no-box 200 click 2006 gone 3000)
      ;;
    3)
      first='VAB'
      runname="the video adjustment 全設定"
      run=(menu 40022 dialog "$VA" 5000 click 2323 box "$text" "Error" 5000 click 1 dialog "$VA" 1000
        wait-text 2323 "全設定" 2000 enabled 2325 1 no-box 200 click 2325 gone 3000)
      ;;
  esac
  set_steps=(menu 40025 dialog "$AGC" 5000 click 1048 box "$text" "Error" 5000)
  if [ "$word" = LOCK ]; then
    drv main 15000 "${move[@]}" "${set_steps[@]}"
    shot lock-display main 1000 box "$text" "Error" 1000
    set_steps=(box "$text" "Error" 1000)
    move=()
  fi
  drv main 15000 "${move[@]}" "${set_steps[@]}" click 1 no-box 200 dialog "$AGC" 1000 click 1050 \
    gone 3000 "${run[@]}"
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
drv main 1000 menu 40005 no-box 500 exited 5000 0
