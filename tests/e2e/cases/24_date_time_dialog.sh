# The date and time dialog: the clock lists open on the computer's clock;
# each clock "設定" sends its list's selection ("31" as the day gives DSD31
# whatever the month), "30秒補正" sends TSA; the clock lists are not
# settings (Exit asks nothing); the display range and display are, and go
# out as TSDR8 and TSDOF.
start_sim
start_program
DT="日付・時刻の設定"
program_up
before=$(date +%Y-%m-%d-%H)
open_dialog "$IDM_DATE_TIME" "$DT" caption "$DT  "
after=$(date +%Y-%m-%d-%H)
[ "$before" = "$after" ] || skip "the hour changed while the dialog opened"
IFS=- read -r y m d h <<<"$before"
in_dialog "$DT" selection "${CLOCK_LIST[year]}" $((10#$y - 2000)) \
  selection "${CLOCK_LIST[month]}" $((10#$m - 1)) selection "${CLOCK_LIST[day]}" $((10#$d - 1)) \
  selection "${CLOCK_LIST[hour]}" $((10#$h)) \
  selection "$IDC_DATE_TIME_RANGE" 0 selection "$IDC_DATE_TIME_DISPLAY" 1 \
  selection "$IDC_DATE_TIME_SLAVE" 0 enabled "$IDC_DATE_TIME_SLAVE" 0
shot dialog main 1000 dialog "$DT" 1000

in_dialog "$DT" select "${CLOCK_LIST[month]}" 1 select "${CLOCK_LIST[day]}" 30 \
  click "${CLOCK_SET[day]}" "${SUCCESS[@]}"
in_dialog "$DT" click "$IDC_DATE_TIME_ADJUST_30S" "${SUCCESS[@]}"
in_dialog "$DT" select "${CLOCK_LIST[year]}" 16 click "${CLOCK_SET[year]}" "${SUCCESS[@]}"
in_dialog "$DT" select "${CLOCK_LIST[second]}" 0 click "${CLOCK_SET[second]}" "${SUCCESS[@]}"
in_dialog "$DT" click "$IDC_DATE_TIME_CLOSE" gone 3000
exit_unchanged
expect_frames <<'FRAMES'
RX DSD31\r\n
TX GO\r\n
RX TSA\r\n
TX GO\r\n
RX DSY16\r\n
TX GO\r\n
RX TSS00\r\n
TX GO\r\n
FRAMES

start_program
program_up
open_dialog "$IDM_DATE_TIME" "$DT" select "$IDC_DATE_TIME_RANGE" 7 \
  click "$IDC_DATE_TIME_RANGE_SET" "${SUCCESS[@]}"
in_dialog "$DT" select "$IDC_DATE_TIME_DISPLAY" 0 click "$IDC_DATE_TIME_DISPLAY_SET" \
  "${SUCCESS[@]}"
in_dialog "$DT" close gone 3000
exit_discarding
[ "$(frames | tail -4 | paste -sd' ')" = 'RX TSDR8\r\n TX GO\r\n RX TSDOF\r\n TX GO\r\n' ] ||
  fail "display range and display: $(frames | tail -4 | paste -sd' ')"
