; The per-user setup: Mirelo into the user's own programs folder, with no administrator, a
; Start-menu shortcut, an entry among the installed programs and, if chosen, a start with Windows.
; An upgrade or a reinstall never replaces the user's sys.mdb nor the settings file.
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.1028 -DARCH=win64 -DSTAGE=<folder> -DOUTFILE=<setup.exe>
;            -DICON=<mirelo.ico> mirelo.nsi
; STAGE holds what the zip holds: Mirelo.exe, an empty sys.mdb and 说明.txt.
Unicode true
; The name users expect ends in -setup.exe; the manifest of RequestExecutionLevel keeps Windows from
; taking it for an old installer that needs an administrator.
!pragma warning disable 9000
!if "${ARCH}" == "win64"
    Target amd64-unicode
!else
    Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mirelo"
; The options dialog's check box reads and writes the same value.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_COMMAND '"$INSTDIR\Mirelo.exe" /min'
; The main window, and its tray menu's 退出.
!define MAIN_WINDOW_TITLE "Mirelo  -（自动按热度排序，托盘菜单上设定参数）"
!define ID_TRAY_EXIT 32774

Name "Mirelo"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Mirelo"
; A reinstall goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Mirelo ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "Mirelo"
VIAddVersionKey /LANG=2052 "FileDescription" "Mirelo 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Mirelo"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Mirelo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "运行 Mirelo"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom AutoStartPage AutoStartPageLeave
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Var AutoStart ; ${BST_CHECKED} to start with Windows: the default, and what /S does
Var AutoStartBox

; A 32-bit Windows refuses the 64-bit setup itself, before any of it runs, as it refuses every
; 64-bit program ("此应用无法在你的电脑上运行").
Function .onInit
    StrCpy $AutoStart ${BST_CHECKED}
FunctionEnd

Function AutoStartPage
    !insertmacro MUI_HEADER_TEXT "开机启动" "选择 Mirelo 是否随 Windows 启动。"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateCheckbox} 0 0 100% 12u "开机时自动启动"
    Pop $AutoStartBox
    ${NSD_SetState} $AutoStartBox $AutoStart
    ${NSD_CreateLabel} 0 20u 100% 36u "启动后 Mirelo 最小化到托盘，按热键（默认 Ctrl+`）即可调出。以后也可以在“选项”中更改。"
    Pop $0
    nsDialogs::Show
FunctionEnd

Function AutoStartPageLeave
    ${NSD_GetState} $AutoStartBox $AutoStart
FunctionEnd

Section
    SetShellVarContext current
    Call CloseRunningProgram
    SetOutPath "$INSTDIR"
    File "${STAGE}\Mirelo.exe"
    File "${STAGE}\说明.txt"
    ; The user's items: an empty database only where there is none.
    SetOverwrite off
    File "${STAGE}\sys.mdb"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Mirelo.lnk" "$INSTDIR\Mirelo.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Mirelo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Mirelo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Mirelo.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"

    ${If} $AutoStart == ${BST_CHECKED}
        WriteRegStr HKCU "${RUN_KEY}" "Mirelo" '${RUN_COMMAND}'
    ${Else}
        Call RemoveOurRunValue
    ${EndIf}
SectionEnd

; A running Mirelo keeps its program file open, which neither an upgrade nor an uninstall could
; then replace or remove: it is asked to exit as its tray menu's 退出 does (its counts written),
; and its end is waited for. Nothing has been changed when this gives up.
!macro CloseRunningProgram un
Function ${un}CloseRunningProgram
    FindWindow $0 "#32770" "${MAIN_WINDOW_TITLE}"
    ${If} $0 == 0
        Return
    ${EndIf}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "Mirelo 正在运行，需要先退出它。$\r$\n点“确定”退出 Mirelo 并继续。" /SD IDOK IDOK close
    Abort "Mirelo 仍在运行，未做任何改动。"
close:
    System::Call "user32::GetWindowThreadProcessId(p r0, *i 0 r1)"
    ; SYNCHRONIZE: enough to wait for its end. No process of that id (ERROR_INVALID_PARAMETER; a
    ; window gone meanwhile gives the id 0): it has ended by itself, and holds no file any more.
    ; Any other failure leaves it running where the setup cannot wait for it: it is not asked to
    ; exit, and the user is told why.
    System::Call "kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2 ?e"
    Pop $3
    ${If} $2 == 0
        ${If} $3 == 87
            Return
        ${EndIf}
        MessageBox MB_OK|MB_ICONSTOP "无法访问正在运行的 Mirelo 的进程，不能等待它退出。请从托盘菜单选择“退出”，然后再试一次。" /SD IDOK
        Abort "Mirelo 仍在运行，未做任何改动。"
    ${EndIf}
    SendMessage $0 ${WM_COMMAND} ${ID_TRAY_EXIT} 0 /TIMEOUT=5000
    System::Call "kernel32::WaitForSingleObject(p r2, i 10000) i .r3"
    System::Call "kernel32::CloseHandle(p r2)"
    ${If} $3 != 0
        MessageBox MB_OK|MB_ICONSTOP "无法退出正在运行的 Mirelo。请从托盘菜单选择“退出”，然后再试一次。" /SD IDOK
        Abort "Mirelo 仍在运行，未做任何改动。"
    ${EndIf}
FunctionEnd
!macroend
!insertmacro CloseRunningProgram ""
!insertmacro CloseRunningProgram "un."

; The Run value goes only when it starts this copy: another copy's is that copy's own.
!macro RemoveOurRunValue un
Function ${un}RemoveOurRunValue
    ReadRegStr $0 HKCU "${RUN_KEY}" "Mirelo"
    ${If} $0 == '${RUN_COMMAND}'
        DeleteRegValue HKCU "${RUN_KEY}" "Mirelo"
    ${EndIf}
FunctionEnd
!macroend
!insertmacro RemoveOurRunValue ""
!insertmacro RemoveOurRunValue "un."

Section "Uninstall"
    SetShellVarContext current
    Call un.CloseRunningProgram
    Delete "$INSTDIR\Mirelo.exe"
    Delete "$INSTDIR\说明.txt"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\Mirelo.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    Call un.RemoveOurRunValue
    ; The items stay unless the user says otherwise; a silent uninstall keeps them.
    MessageBox MB_YESNO|MB_DEFBUTTON2|MB_ICONQUESTION "是否同时删除所有数据项？" /SD IDNO IDNO keep
    Delete "$INSTDIR\sys.mdb"
    Delete "$INSTDIR\sys.mdb-journal"
    Delete "$INSTDIR\Mirelo.ini"
keep:
    ; Only an empty folder goes: what the user put there stays.
    RMDir "$INSTDIR"
SectionEnd
