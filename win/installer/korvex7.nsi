; The installer of the KORVEX7 configuration tool: KORVEX7-setup.exe, made by
; win/CMakeLists.txt (target korvex7-setup) with NSIS's makensis.
;
; Installs for every user of the PC, under Program Files: KORVEX7.exe,
; korvex7ctl.exe and the user guide (HTML and Markdown); Start-menu entries
; for the program and the guide; an entry in Apps & features (the uninstall
; key, with the version and the publisher). "/S" installs and uninstalls
; without a window. The uninstaller removes exactly what was installed:
; settings files saved into the program's folder stay, and so does the
; folder then, as does the profile KORVEX7.ini in the Windows folder.
;
; Given on makensis's command line:
;   VERSION    the project's version, "1.0.0"
;   PUBLISHER  the publisher shown in Apps & features
;   STAGE      the folder holding the files to install
;   OUTFILE    the installer to write

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "x64.nsh"

!define PRODUCT "KORVEX7"
!define PRODUCT_LONG "KORVEX7 設定ツール"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KORVEX7"
!define MENU_FOLDER "$SMPROGRAMS\KORVEX7"
!define GUIDE_LINK "KORVEX7 利用の手引き (User guide).lnk"

Name "${PRODUCT_LONG} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\KORVEX7"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT_LONG} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${STAGE}\KORVEX7.ico"
!define MUI_UNICON "${STAGE}\KORVEX7.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\KORVEX7.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT_LONG} は 64 ビット版の Windows で動きます。" /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "KORVEX7"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\KORVEX7.exe"
  File "${STAGE}\korvex7ctl.exe"
  File "${STAGE}\USER-GUIDE.html"
  File "${STAGE}\USER-GUIDE.md"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\KORVEX7.lnk" "$INSTDIR\KORVEX7.exe"
  CreateShortcut "${MENU_FOLDER}\${GUIDE_LINK}" "$INSTDIR\USER-GUIDE.html"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_LONG}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KORVEX7.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\KORVEX7.exe"
  Delete "$INSTDIR\korvex7ctl.exe"
  Delete "$INSTDIR\USER-GUIDE.html"
  Delete "$INSTDIR\USER-GUIDE.md"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: settings files the operator saved here stay.
  RMDir "$INSTDIR"

  Delete "${MENU_FOLDER}\KORVEX7.lnk"
  Delete "${MENU_FOLDER}\${GUIDE_LINK}"
  RMDir "${MENU_FOLDER}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
