; SPDX-License-Identifier: MIT
; The Windows installer, made by scripts/windows.sh in the portable folder (-NOCD: the file
; lists name its files relative to it):
;   makensis -NOCD -DVERSION=2.0.3 -DICON=kvrcalc.ico -DLICENSE=LICENSE -DFILES=files.nsh
;            -DOUTFILE=setup.exe installer.nsi
; Installs for the current user without administrator rights by default; an administrator
; may choose all users (Program Files). /S installs silently, /AllUsers or /CurrentUser
; choose on the command line. The uninstaller removes the program's files only: the user's
; settings (KVRsys.cfg in %APPDATA%\kovrin\kvrcalc) stay.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "KOVRIN Zarir adu Rezi"
!define PUBLISHER "Kovrin Integration"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\kvrcalc"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

; Per user by default; the mode page lets an administrator install for all users.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR kvrcalc
; The uninstaller finds the mode its installer used from these.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kvrcalc.exe"

; The licence the program comes under. It asks nothing of whoever installs it, so the page
; goes on with Next rather than an "I Agree".
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenceNote)"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Danish"
LangString LicenceNote ${LANG_ENGLISH} "The program is free software under these terms."
LangString LicenceNote ${LANG_DANISH} "Programmet er fri software på disse vilkår."

LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} is running. Close every copy of it, then try again."
LangString StillRunning ${LANG_DANISH} "${PRODUCT} kører. Luk alle kopier af programmet, og prøv så igen."

; Files in use cannot be replaced or removed: a running copy would be left half installed, or
; its folder without an uninstaller. The program holds this mutex while it runs
; (platform::announceRunning), in the global namespace or, where it may not, its session's.
!macro RefuseWhileRunning
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Global\kvrcalc-running") p .r0'
    ${If} $0 == 0
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Local\kvrcalc-running") p .r0'
    ${EndIf}
    ${If} $0 != 0
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_OK|MB_ICONSTOP "$(StillRunning)" /SD IDOK
        ; Exit code 2, aborted by the script, for the installer and the uninstaller alike.
        Abort
    ${EndIf}
!macroend

; The lists of the portable folder's files: InstallFiles and RemoveFiles.
!include "${FILES}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

Function .onInit
    !insertmacro RefuseWhileRunning
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro RefuseWhileRunning
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "kvrcalc"
    ; Over an earlier version: its own uninstaller removes its files first (those this
    ; version no longer has too), in place, and leaves the settings; the Start-menu entry and
    ; the programs list's entry are made again below.
    ${If} ${FileExists} "$INSTDIR\uninstall.exe"
        ExecWait '"$INSTDIR\uninstall.exe" /S /$MultiUser.InstallMode _?=$INSTDIR'
    ${EndIf}
    SetOutPath "$INSTDIR"
    !insertmacro InstallFiles
    ; Its presence tells the program that it is installed: it keeps its settings in the
    ; user's folder, not beside itself.
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcut starts the program in its own folder, the output folder when it is made.
    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kvrcalc.exe" "" "$INSTDIR\kvrcalc.exe" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kvrcalc.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    SectionGetSize 0 $0
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    !insertmacro RemoveFiles
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: a settings file the user kept beside the program stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
