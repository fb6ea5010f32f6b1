# Exit with unsaved changes: the prompt "ファイルが変更されています。保存しますか？"
# under "保存確認"; Yes opens Save As; cancelling it keeps the program open
# with the changes; a second Exit asks again, and No ends the program.
start_sim
start_program
program_up
open_dialog "$IDM_AGC" "$AGC"
# Channel 1 "OFF" changes agc.on[0]; Close.
in_dialog "$AGC" click "${AGC_OFF[1]}" click "$IDC_AGC_CLOSE" gone 3000

drv main 1000 menu "$IDM_FILE_EXIT" "${SAVE_PROMPT[@]}"
shot save-prompt main 1000 "${SAVE_PROMPT[@]}"
drv main 1000 "${SAVE_PROMPT[@]}" click "$IDYES" dialog "$SAVE_AS_CAPTION" 5000 \
  click "$IDCANCEL" gone 3000 no-box 1000 alive

# Still changed: the window close asks again; No ends the program.
drv main 1000 close "${SAVE_PROMPT[@]}" click "$IDNO" exited 5000 0
