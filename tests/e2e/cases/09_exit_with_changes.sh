# Exit with unsaved changes: the prompt "ファイルが変更されています。保存しますか？"
# under "保存確認"; Yes opens Save As; cancelling it keeps the program open
# with the changes; a second Exit asks again, and No ends the program.
start_sim
start_program
drv main 15000 no-box 1000 menu 40025
drv main 1000 dialog "オート・ゲイン・コントロール" 3000
# Channel 1 "OFF" changes agc.on[0]; Close.
drv main 1000 dialog "オート・ゲイン・コントロール" 1000 click 1017 click 1050 gone 3000

drv main 1000 menu 40005 box "ファイルが変更されています。保存しますか？" "保存確認" 5000
shot save-prompt main 1000 box "ファイルが変更されています。保存しますか？" "保存確認" 1000
drv main 1000 box "ファイルが変更されています。保存しますか？" "保存確認" 1000 click 6 \
  dialog "名前を付けて保存" 5000 click 2 gone 3000 no-box 1000 alive

# Still changed: the window close asks again; No ends the program.
drv main 1000 close box "ファイルが変更されています。保存しますか？" "保存確認" 5000 click 7 \
  exited 5000 0
