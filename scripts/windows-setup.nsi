; The setup of the Windows program, made by scripts/windows (makensis -DVERSION=... -DSTAGE=...
; -DUNINSTALL_LIST=... -DOUTFILE=...). It installs the program folder, by default C:\juku\calc:
; the program reads "パスデータ.txt" in the folder above it, which names the school's data
; folder. Neither that file nor the data folder is written or removed here.
; A 64-bit setup for the 64-bit program (wine64 runs it too).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "Zanfolio ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "C:\juku\calc"
InstallDirRegKey HKLM "Software\Zanfolio" "InstallDir"
BrandingText "Zanfolio ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zanfolio"

!define MUI_DIRECTORYPAGE_TEXT_TOP "プログラムのフォルダを選んでください（例: C:\juku\calc）。フォルダの名前は calc のままにします。ひとつ上のフォルダには、データフォルダの場所を書いた「パスデータ.txt」が要ります。"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Zanfolio"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\Zanfolio"
  CreateShortcut "$SMPROGRAMS\Zanfolio\Zanfolio.lnk" "$INSTDIR\zanfolio.exe"
  CreateShortcut "$SMPROGRAMS\Zanfolio\Zanfolio のアンインストール.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "Software\Zanfolio" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Zanfolio"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ${GetParent} "$INSTDIR" $R0
  IfFileExists "$R0\パスデータ.txt" +2 0
    MessageBox MB_ICONINFORMATION|MB_OK "「$R0\パスデータ.txt」がまだありません。1行目にデータフォルダの場所を書いて置いてください（例: $\"\\server\juku\data\$\"）。" /SD IDOK
SectionEnd

Section "Uninstall"
  SetShellVarContext all
!include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Zanfolio\Zanfolio.lnk"
  Delete "$SMPROGRAMS\Zanfolio\Zanfolio のアンインストール.lnk"
  RMDir "$SMPROGRAMS\Zanfolio"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Zanfolio"
SectionEnd
