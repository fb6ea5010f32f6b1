# Files that other programs hold, and names of devices. Open reads a file an
# editor has open for writing; a file that another program shares with
# nobody gives the system's reason, not "not found". Save over a file held
# for longer than its pauses reports the replace error and changes nothing;
# released, the save goes through; what a killed save left is gone after
# the next save. "COM1.dat" is refused by Open and Save As with its own
# message, and by korvex7ctl.exe's write and read, which send nothing for it
# and write nothing.
start_sim
start_program
program_up
work=$CASE_DIR/work
settings() { python3 "$E2E_ROOT/tests/e2e/settings_file.py" "$@"; }
# The Windows name of a file of the case (Wine's drive Z: is the root).
win_name() { local p=$1; echo "Z:${p//\//\\}"; }
site=$(win_name "$work/site.dat")
settings write "$work/site.dat" alarm.mode=2 'agc.on[4]=0'

# An editor has the file open for writing: Open loads it all the same.
drv main 1000 hold-file "$site" rw
open_file site.dat
drv main 1000 release-file "$site"
save_as loaded
wait_same "$work/site.dat" "$work/loaded.dat"

# Another program shares it with nobody: the system's reason (Wine's words;
# Windows gives them in the language of its user), the dialog again.
HELD="ファイルを開くことができませんでした。\nSharing violation. (32)"
drv main 1000 hold-file "$site" none
open_dialog "$IDM_FILE_OPEN" "$OPEN_CAPTION" filename site.dat click "$IDOK" box "$HELD" "エラー" 5000
shot open-held main 1000 box "$HELD" "エラー" 1000
drv main 1000 box "$HELD" "エラー" 1000 click "$IDOK" dialog "$OPEN_CAPTION" 5000 \
  click "$IDCANCEL" gone 3000 no-box 500

# An edit, then Save over the file while another program holds it: after
# the pauses, the replace error; the file as it was and no new file left.
open_dialog "$IDM_AGC" "$AGC" click "${AGC_OFF[1]}" within 3000 checked "${AGC_OFF[1]}" 1 \
  click "$IDC_AGC_CLOSE" gone 3000
loaded=$(win_name "$work/loaded.dat")
cp "$work/loaded.dat" "$CASE_DIR/loaded-before.dat"
REPLACE_ERROR="ファイルを置き換えることができませんでした。"
drv main 1000 hold-file "$loaded" none menu "$IDM_FILE_SAVE" box "$REPLACE_ERROR" "エラー" 8000 \
  click "$IDOK" no-box 500
cmp -s "$CASE_DIR/loaded-before.dat" "$work/loaded.dat" || fail "the held file changed"
expect_eq "temporary files left" "$(find "$work" -name '*.tmp' | wc -l)" 0

# Released, the save goes through; a save killed halfway had left its new
# file, which this save removes, and only it.
drv main 1000 release-file "$loaded"
touch "$work/KORVEX7-save-4294967292-0.tmp" "$work/notes.tmp"
drv main 1000 menu "$IDM_FILE_SAVE" no-dialog "$SAVE_AS_CAPTION" 1000 no-box 500
settings write "$CASE_DIR/expected.dat" alarm.mode=2 'agc.on[4]=0' 'agc.on[0]=0'
wait_same "$CASE_DIR/expected.dat" "$work/loaded.dat"
expect_eq "files left by saves" "$(cd "$work" && ls *.tmp | paste -sd' ')" "notes.tmp"

# Names of devices: Open and Save As refuse them and ask again.
# device_name_message NAME DEVICE: the program's words for a device's name.
device_name_message() {
  echo "「$1」は\n設定ファイルに使えない名前です。\n$2 は Windows の装置の名前です。\nCON、PRN、AUX、NUL、\nCOM1～COM9、LPT1～LPT9 は\n拡張子が付いても装置を指します。\n別の名前を指定してください。"
}
DEVICE=$(device_name_message COM1.dat COM1)
open_dialog "$IDM_FILE_OPEN" "$OPEN_CAPTION" filename COM1.dat click "$IDOK" box "$DEVICE" "エラー" 5000
shot device-name main 1000 box "$DEVICE" "エラー" 1000
drv main 1000 box "$DEVICE" "エラー" 1000 click "$IDOK" dialog "$OPEN_CAPTION" 5000 \
  click "$IDCANCEL" gone 3000 no-box 500
LPT=$(device_name_message lpt3.dat lpt3)
# Wine's save dialog finds the device and asks whether to replace it.
open_dialog "$IDM_FILE_SAVE_AS" "$SAVE_AS_CAPTION" filename lpt3.dat click "$IDOK" \
  box "File already exists.\nDo you want to replace it?" "$SAVE_AS_CAPTION" 5000 click "$IDYES" \
  box "$LPT" "エラー" 5000 click "$IDOK" dialog "$SAVE_AS_CAPTION" 5000 click "$IDCANCEL" \
  gone 3000 no-box 500
expect_frames </dev/null
exit_unchanged

# korvex7ctl.exe: write of COM1.dat sends nothing; read of the unit into it
# writes nothing.
cp "$work/site.dat" "$work/plain.dat"
ctl_exe 6 --port COM1 write COM1.dat
expect_err "COM1.dat: COM1 is the name of a device on Windows (as are CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, with any extension): choose another file name"
expect_frames </dev/null
ctl_exe 6 --port COM1 read nul.dat
expect_err "nul.dat: cannot be written: nul is the name of a device on Windows"
expect_eq "files in the folder" "$(cd "$work" && ls | paste -sd' ')" \
  "loaded.dat notes.tmp plain.dat site.dat"
