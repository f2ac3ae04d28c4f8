; The PELN installer for 64-bit Windows, made by scripts/windows.sh:
;   makensis -DVERSION=1.1 -DSTAGE=FOLDER -DOUTFILE=PELN-1.1-setup.exe peln.nsi
; STAGE holds peln.exe, peln-cli.exe, peln.ico and LICENSE.txt. The programs
; go under Program Files, with a Start-menu entry and an uninstaller that
; leaves each user's settings file (%LOCALAPPDATA%\PELN) where it is.
; "setup.exe /S" installs silently; so does "uninstall.exe /S" remove it.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\PELN"

Name "PELN ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\PELN"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "PELN ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "PELN"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "PELN ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "The PELN developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright 2026 The PELN developers, MIT licence"

!define MUI_ICON "${STAGE}\peln.ico"
!define MUI_UNICON "${STAGE}\peln.ico"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "PELN needs a 64-bit Windows." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section "PELN"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${STAGE}\peln.exe"
    File "${STAGE}\peln-cli.exe"
    File "${STAGE}\LICENSE.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\PELN.lnk" "$INSTDIR\peln.exe" "" "$INSTDIR\peln.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "PELN"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The PELN developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\peln.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The programs and what the installer made; the settings files are the users'.
Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\PELN.lnk"
    Delete "$INSTDIR\peln.exe"
    Delete "$INSTDIR\peln-cli.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
