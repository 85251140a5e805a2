; The Windows installer, per machine, 64-bit:
;   makensis -INPUTCHARSET UTF8 -DVERSION=… -DPUBLISHER=… -DICON=… -DFILES=… -DUNFILES=…
;            -DUNDIRS=… -DOUTFILE=… quadrimo.nsi
; FILES lists the folder's files and subfolders for installing; UNFILES and UNDIRS its files and
; its subfolders for removing, so that the uninstaller removes only what was installed.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true
; An upgrade never reports success over a file it could not replace.
AllowSkipFiles off

!include MUI2.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrimo"
Var Installed ; the folder of an installed copy, or empty

Name "Quadrimo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quadrimo"
BrandingText "Quadrimo ${VERSION}"
; The version record wants four numbers: 0.9 is 0.9.0.0.
!searchparse /noerrors "${VERSION}.0.0" "" V_MAJOR "." V_MINOR "." V_PATCH "."
VIProductVersion "${V_MAJOR}.${V_MINOR}.${V_PATCH}.0"
VIAddVersionKey /LANG=2052 "ProductName" "Quadrimo"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "Quadrimo 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; Started by Explorer, as the signed-in user: never with the installer's administrator rights.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsUser
!insertmacro MUI_PAGE_WELCOME
; A notice, not an agreement: the button goes on as "下一步".
!define MUI_PAGE_HEADER_TEXT "许可证"
!define MUI_PAGE_HEADER_SUBTEXT "Quadrimo 用到的程序库和它们的许可证。"
!define MUI_LICENSEPAGE_TEXT_TOP "Quadrimo 按 LGPL v3 使用 Qt、GMP 和 MPFR。"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "点“下一步”继续。"
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "${__FILEDIR__}/licenses.txt"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Quadrimo holds the mutex Global\Quadrimo while it runs. One another account made may deny us
; access, which says as much. Silent runs stop with exit code 2, having changed nothing.
!macro CLOSED_OR_QUIT un
Function ${un}ClosedOrQuit
    retry:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Global\Quadrimo") p .r0 ?e'
    Pop $1
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
    ${ElseIf} $1 <> 5 ; ERROR_ACCESS_DENIED
        Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quadrimo 正在运行，请先关闭它，再点“重试”。" \
        /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
FunctionEnd
!macroend
!insertmacro CLOSED_OR_QUIT ""
!insertmacro CLOSED_OR_QUIT "un."

Function .onInit
    ; Qt 6 needs Windows 10 1809 (build 17763). RtlGetVersion tells the truth to any caller.
    System::Call '*(i 276, i, i, i, i, &w128) p .r1'
    System::Call 'ntdll::RtlGetVersion(p r1)'
    System::Call '*$1(i, i .r2, i, i .r3)'
    System::Free $1
    ${If} $2 < 10
    ${OrIf} $3 < 17763
        MessageBox MB_ICONSTOP "Quadrimo 需要 Windows 10（1809）或更新的版本。" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
    ; Installing again replaces the installed copy, where it is unless the user picks another folder.
    ReadRegStr $Installed HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $Installed != ""
        StrCpy $INSTDIR $Installed
        Call ClosedOrQuit
    ${EndIf}
FunctionEnd

Function RunAsUser
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\quadrimo.exe"'
FunctionEnd

Section "Quadrimo" SecProgram
    SectionIn RO
    ; An installed copy is removed first, by its own uninstaller, waited for in place. The
    ; uninstallers already out there do not look for a running Quadrimo: setup does, again, since
    ; the pages took their time.
    ${If} $Installed != ""
    ${AndIf} ${FileExists} "$Installed\uninstall.exe"
        Call ClosedOrQuit
        ClearErrors
        ExecWait '"$Installed\uninstall.exe" /S _?=$Installed' $0
        ${If} ${Errors}
        ${OrIf} $0 <> 0
            MessageBox MB_ICONSTOP "无法卸载 $Installed 中的 Quadrimo，没有安装新的版本。" /SD IDOK
            SetErrorLevel 2
            Quit
        ${EndIf}
        Delete "$Installed\uninstall.exe"
        RMDir "$Installed"
    ${EndIf}
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; A shortcut starts in the folder that is current when it is made.
    SetOutPath "$INSTDIR"
    CreateShortCut "$SMPROGRAMS\Quadrimo.lnk" "$INSTDIR\quadrimo.exe" "" "$INSTDIR\quadrimo.exe" 0
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quadrimo"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quadrimo.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only when the user ticks it: never in a silent install.
Section /o "桌面快捷方式" SecDesktop
    SetOutPath "$INSTDIR"
    CreateShortCut "$DESKTOP\Quadrimo.lnk" "$INSTDIR\quadrimo.exe" "" "$INSTDIR\quadrimo.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Quadrimo 程序和它需要的文件，以及开始菜单中的快捷方式。"
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "在桌面上放一个 Quadrimo 的快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
    SetRegView 64
    SetShellVarContext all
    Call un.ClosedOrQuit
FunctionEnd

Section "Uninstall"
    ; While an installed file is left, the entry stays, and with it the way to uninstall again.
    ; Folders do not count: a file the user put there keeps its folder.
    ClearErrors
    !include "${UNFILES}"
    ${If} ${Errors}
        MessageBox MB_ICONEXCLAMATION "有些文件无法删除，留在了 $INSTDIR 中。请关闭用到它们的程序，再卸载一次。" /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    !include "${UNDIRS}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Quadrimo.lnk"
    Delete "$DESKTOP\Quadrimo.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
