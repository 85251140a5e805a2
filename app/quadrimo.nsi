; The Windows installer, per machine, 64-bit:
;   makensis -INPUTCHARSET UTF8 -DVERSION=… -DPUBLISHER=… -DICON=… -DFILES=… -DUNFILES=…
;            -DOUTFILE=… quadrimo.nsi
; FILES and UNFILES list the folder's files and subfolders, for installing and for removing, so
; that the uninstaller removes only what was installed.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quadrimo"
Var Installed ; the folder of an installed copy, or empty

Name "Quadrimo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quadrimo"
BrandingText "Quadrimo ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "Quadrimo"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "Quadrimo 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\quadrimo.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "Quadrimo 需要 64 位的 Windows。" /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    SetShellVarContext all
    ; Installing again replaces the installed copy, where it is unless the user picks another folder.
    ReadRegStr $Installed HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $Installed != ""
        StrCpy $INSTDIR $Installed
    ${EndIf}
FunctionEnd

Section "Quadrimo" SecProgram
    SectionIn RO
    ; An installed copy is removed first, by its own uninstaller, waited for in place.
    ${If} ${FileExists} "$Installed\uninstall.exe"
        ExecWait '"$Installed\uninstall.exe" /S _?=$Installed'
        Delete "$Installed\uninstall.exe"
        RMDir "$Installed"
    ${EndIf}
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
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
    CreateShortCut "$DESKTOP\Quadrimo.lnk" "$INSTDIR\quadrimo.exe" "" "$INSTDIR\quadrimo.exe" 0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Quadrimo 程序和它需要的文件，以及开始菜单中的快捷方式。"
    !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "在桌面上放一个 Quadrimo 的快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Uninstall"
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Quadrimo.lnk"
    Delete "$DESKTOP\Quadrimo.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
