; The Windows setup program: installs Velmo for the current user, without
; administrator rights, with a Start-menu entry, an optional desktop shortcut
; and an uninstaller that Windows lists under "Apps and features".
; The installed copy keeps its settings and scripts in %APPDATA%\Velmo\ (the
; program decides that at start, as template\data.db lies beside it); the
; uninstaller removes only what the setup program put in place.
;
; Built by CMake (cmake/WindowsSetup.cmake), which defines VERSION, EXE,
; TEMPLATE, ICON and OUTFILE.

; A 64-bit setup program, as velmo.exe is 64-bit: it then runs where the
; program runs, also on a 64-bit system without its 32-bit part.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include MUI2.nsh
!include FileFunc.nsh

!define APP_NAME "Velmo鼠标自动点击器"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmo"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velmo"
; A new version goes where the last one was installed.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=2052 "FileDescription" "${APP_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Velmo developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "运行 ${APP_NAME}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section "${APP_NAME}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR\template"
  File "/oname=data.db" "${TEMPLATE}"
  ; The shortcuts start the program in its own folder.
  SetOutPath "$INSTDIR"
  File "/oname=velmo.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\velmo.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velmo"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmo.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "桌面快捷方式" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortCut "$DESKTOP\${APP_NAME}.lnk" "$INSTDIR\velmo.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "程序文件和开始菜单中的快捷方式。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "在桌面上放一个快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The user's settings and scripts in %APPDATA%\Velmo\ stay; so does anything
; else the user put in the program's folder, which is removed only when empty.
Section "Uninstall"
  ; A running program's file cannot be removed: nothing is, and the user is told.
  ClearErrors
  Delete "$INSTDIR\velmo.exe"
  IfErrors 0 +3
    MessageBox MB_ICONSTOP "${APP_NAME} 正在运行，请先退出它再卸载。" /SD IDOK
    Abort "${APP_NAME} 正在运行"
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  Delete "$DESKTOP\${APP_NAME}.lnk"
  Delete "$INSTDIR\template\data.db"
  RMDir "$INSTDIR\template"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
