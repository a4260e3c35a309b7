; The Windows installer of Brenmoor. tools/windows.sh --package builds it:
;   makensis -DVERSION=<x.y> -DSOURCE=<staged folder> -DOUTFILE=<setup.exe> installer.nsi
; It installs for all users into Program Files, where Quillet.exe knows itself installed and keeps
; each user's history in %APPDATA%\Quillet; uninstalling leaves those histories. /S runs silently.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
!include x64.nsh

Name "Brenmoor"
Caption "Brenmoor ${VERSION} 安装"
OutFile "${OUTFILE}"
; Fixed: the program recognises its install folder by this path.
InstallDir "$PROGRAMFILES64\Brenmoor"
RequestExecutionLevel admin
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "Brenmoor"
VIAddVersionKey /LANG=2052 "FileDescription" "Brenmoor ${VERSION} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "2026 Brenmoor maintainers"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brenmoor"

Section
    SetRegView 64
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Brenmoor.lnk" "$INSTDIR\Quillet.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Brenmoor"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Brenmoor maintainers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quillet.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes what the installer put there, nothing of the users' own: their histories stay.
Section "Uninstall"
    SetRegView 64
    SetShellVarContext all
    Delete "$SMPROGRAMS\Brenmoor.lnk"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\translations"
    RMDir /r "$INSTDIR\licenses"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\Quillet.exe"
    Delete "$INSTDIR\qt.conf"
    Delete "$INSTDIR\LICENSES.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
