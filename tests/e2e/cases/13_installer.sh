# The installer, KORVEX7-setup.exe (NSIS), under Wine: "/S" installs
# without a window for every user under Program Files (the program, the
# tool, the guide in HTML and Markdown, the uninstaller), with Start-menu
# entries for the program and the guide and an entry in Apps & features
# (the uninstall key with the project's version and the publisher); the
# program starts from the installed folder and shows its window; the
# uninstaller with "/S" removes every file, entry and key it made and keeps
# a settings file saved into the program's folder (and so the folder).
setup=$WIN_BUILD/win/installer/KORVEX7-setup.exe
[ -f "$setup" ] || fail "no installer at $setup (target korvex7-setup)"
version=$(sed -n 's/^project(korvex7 VERSION \([0-9.]*\).*/\1/p' "$E2E_ROOT/CMakeLists.txt")
# Shortcuts made under Wine would be copied into the Linux desktop's menus.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
folder="$WINEPREFIX/drive_c/Program Files/KORVEX7"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/KORVEX7"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KORVEX7'

# read_key: the uninstall key's values into CASE_DIR/key.txt ("NAME"="VALUE"
# lines, as regedit exports them, in UTF-8); false when there is no key.
read_key() {
  rm -f "$CASE_DIR/key.reg"
  wine reg export "$key" 'C:\key.reg' /y >/dev/null 2>&1 || return 1
  iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/key.reg" | tr -d '\r' >"$CASE_DIR/key.txt"
  rm -f "$WINEPREFIX/drive_c/key.reg"
}
# reg_value NAME: the string value NAME of the exported key.
reg_value() {
  sed -n "s/^\"$1\"=\"\(.*\)\"\$/\1/p" "$CASE_DIR/key.txt" | sed 's/\\\\/\\/g; s/\\"/"/g'
}

# The installer ends when it has installed.
wine "$setup" /S || fail "the installer ended with status $?"
expect_eq "installed files" "$(cd "$folder" && ls | paste -sd' ')" \
  "KORVEX7.exe USER-GUIDE.html USER-GUIDE.md Uninstall.exe korvex7ctl.exe"
cmp -s "$folder/KORVEX7.exe" "$EXE" || fail "the installed KORVEX7.exe is not the one built"
cmp -s "$folder/korvex7ctl.exe" "$CTL" || fail "the installed korvex7ctl.exe is not the one built"
expect_eq "Start-menu entries" "$(cd "$menu" && ls | paste -sd'|')" \
  "KORVEX7 利用の手引き (User guide).lnk|KORVEX7.lnk"
grep -qa "USER-GUIDE.html" "$menu/KORVEX7 利用の手引き (User guide).lnk" ||
  fail "the guide's entry does not lead to USER-GUIDE.html"
grep -qa "KORVEX7.exe" "$menu/KORVEX7.lnk" || fail "the program's entry does not lead to KORVEX7.exe"
read_key || fail "no uninstall key"
expect_eq "DisplayName" "$(reg_value DisplayName)" "KORVEX7 設定ツール"
expect_eq "DisplayVersion" "$(reg_value DisplayVersion)" "$version"
expect_eq "Publisher" "$(reg_value Publisher)" "KORVEX7"
expect_eq "UninstallString" "$(reg_value UninstallString)" '"C:\Program Files\KORVEX7\Uninstall.exe"'
expect_eq "QuietUninstallString" "$(reg_value QuietUninstallString)" \
  '"C:\Program Files\KORVEX7\Uninstall.exe" /S'

# The installed program, started from its folder, shows its window; a file
# saved there.
start_sim
(cd "$folder" && LD_PRELOAD=$SHIM exec wine "$folder/KORVEX7.exe") >>"$CASE_DIR/program.out" 2>&1 &
program_up status 0 "ﾚﾃﾞｨ"
shot_main installed
drv main 1000 menu "$IDM_FILE_SAVE_AS" dialog "$SAVE_AS_CAPTION" 5000 \
  filename 'C:\Program Files\KORVEX7\site' click "$IDOK" gone 5000 no-box 500
wait_for_file "$folder/site.dat"
exit_unchanged

# The uninstaller copies itself away and ends at once; the copy removes
# what was installed, then ends.
wine "$folder/Uninstall.exe" /S || fail "the uninstaller ended with status $?"
# Nothing the installer made is left; the uninstaller's copy has ended.
installed_files_gone() {
  ! [ -e "$folder/KORVEX7.exe" ] && ! [ -e "$menu" ] && ! [ -e "$folder/Uninstall.exe" ]
}
uninstaller_copy_ended() { ! pgrep -f 'Au_\.exe' >/dev/null; }
wait_until 10 "the installed files to go" installed_files_gone || true
wait_until 10 "the uninstaller's copy to end" uninstaller_copy_ended || true
expect_eq "left in the program's folder" "$(cd "$folder" && ls | paste -sd' ')" "site.dat"
[ ! -e "$menu" ] || fail "the Start-menu folder is left: $(ls "$menu")"
read_key && fail "the uninstall key is left: $(cat "$CASE_DIR/key.txt")"
true
