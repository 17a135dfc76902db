; The Windows installer of Velarion, built by packaging/make-package with NSIS:
;   makensis -DVERSION=1.0.0 -DSTAGE=<folder with velarion.exe and readme.txt>
;            -DOUTFILE=<installer> [-DSIGN_COMMAND="<signer> %1"] velarion.nsi
; It installs for all users into the 32-bit Program Files folder and registers an
; uninstaller. kjfs.ini, the user's catalog in the Windows directory, is never
; touched: not by an install, an install over an older version, or the uninstall.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef VERSION
  !error "VERSION must be given with -D"
!endif
!ifndef STAGE
  !error "STAGE must be given with -D"
!endif
!ifndef OUTFILE
  !error "OUTFILE must be given with -D"
!endif

!define PRODUCT "Velarion"
!define EXE "velarion.exe"
!define GUIDE "readme.txt"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The program's start-with-Windows value, and the class of its windows.
!define RUN_VALUE "Velarion"
!define WINDOW_CLASS "VelarionWindow"
; Its notification-area icon: the id it adds the icon with.
!define TRAY_ICON_ID 100

; The installer and the uninstaller are signed as they are written, when a
; signing command is given.
!ifdef SIGN_COMMAND
  !finalize '${SIGN_COMMAND}' = 0
  !uninstfinalize '${SIGN_COMMAND}' = 0
!endif

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${STAGE}/velarion.ico"
!define MUI_UNICON "${STAGE}/velarion.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "现在运行 Velarion"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "将从您的计算机中卸载 Velarion。您的程序列表和设置保存在 $WINDIR\kjfs.ini 中，卸载后仍会保留。"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${PRODUCT}"

; The program has no command to quit: a running copy (visible or hidden in the
; notification area) is ended here, after the user is told, so that its file
; can be replaced or removed. Its icon is taken out of the notification area,
; which would otherwise keep it until the mouse passes over it.
!macro StopRunningProgram UN
Function ${UN}StopRunningProgram
  FindWindow $0 "${WINDOW_CLASS}"
  ${If} $0 = 0
    Return
  ${EndIf}
  MessageBox MB_OK|MB_ICONINFORMATION "Velarion 正在运行。继续之前将关闭它。" /SD IDOK
  StrCpy $4 0
  ${Do}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    ; PROCESS_TERMINATE | SYNCHRONIZE
    System::Call 'kernel32::OpenProcess(i 0x00100001, i 0, i r1) p .r2'
    ${If} $2 != 0
      System::Call 'kernel32::TerminateProcess(p r2, i 0)'
      System::Call 'kernel32::WaitForSingleObject(p r2, i 5000)'
      System::Call 'kernel32::CloseHandle(p r2)'
    ${EndIf}
    ; NOTIFYICONDATAW in its first, 152-byte form: size, window, id, the rest empty.
    System::Call '*(i 152, p r0, i ${TRAY_ICON_ID}, i 0, i 0, p 0, &w64 "") p .r3'
    System::Call 'shell32::Shell_NotifyIconW(i 2, p r3)'
    System::Free $3
    Sleep 200
    IntOp $4 $4 + 1
    FindWindow $0 "${WINDOW_CLASS}"
    ${IfThen} $4 >= 3 ${|} ${ExitDo} ${|}
  ${LoopWhile} $0 <> 0
FunctionEnd
!macroend
!insertmacro StopRunningProgram ""
!insertmacro StopRunningProgram "un."

; The program runs as the user who is logged on, not with the installer's
; administrator rights: the shell starts it.
Function StartProgram
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
FunctionEnd

Section "Velarion（必需）" SectionProgram
  SectionIn RO
  Call StopRunningProgram
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}/${EXE}"
  File "${STAGE}/${GUIDE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${EXE}",0'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "桌面快捷方式" SectionDesktop
  SetShellVarContext all
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "Velarion 程序、使用说明和开始菜单中的快捷方式。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "在桌面上放一个 Velarion 的快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Call un.StopRunningProgram
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\${GUIDE}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  ; Start with Windows: the program writes the machine-wide value, or the
  ; user's where it may not write the machine's. The 32-bit release writes the
  ; 32-bit view of the registry; the 64-bit build the other one.
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  SetRegView 64
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  SetRegView 32
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  DetailPrint "已保留 $WINDIR\kjfs.ini（您的程序列表和设置）。"
  MessageBox MB_OK|MB_ICONINFORMATION "Velarion 已卸载。$\r$\n$\r$\n您的程序列表和设置保存在 $WINDIR\kjfs.ini 中，卸载程序没有删除它。如果不再需要，可以手动删除这个文件。" /SD IDOK
SectionEnd
