; The Windows installer of Pondra, in Italian. makensis is given:
;   /DSTAGE=folder     what is installed, laid out as in the program's folder
;   /DVERSION=x.y.z    the program's version
;   /DMAKER=name       who makes it
;   /DOUTFILE=path     the installer to write
; It installs for the user alone or, with administrator rights, for every user (/CurrentUser and
; /AllUsers choose on the command line, /S installs silently), and its uninstaller removes the
; files it installed and nothing else: studies, settings and recovery copies stay.
; A 64-bit installer for a 64-bit program: it needs no 32-bit Windows layer.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define APP "Pondra"
!define PROGID "Pondra.Studio"
!include "${STAGE}\installed-kb.nsh"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${MAKER}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1040 "ProductName" "${APP}"
VIAddVersionKey /LANG=1040 "CompanyName" "${MAKER}"
VIAddVersionKey /LANG=1040 "FileDescription" "Installazione di ${APP}"
VIAddVersionKey /LANG=1040 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1040 "LegalCopyright" "© ${MAKER}"

!define MUI_ICON "${STAGE}\pondra.ico"
!define MUI_UNICON "${STAGE}\pondra.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\pondra.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Avvia ${APP}"

!insertmacro MUI_PAGE_WELCOME
!define MUI_LICENSEPAGE_TEXT_TOP "Condizioni d'uso del programma"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\licenza.txt"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Italian"

Function .onInit
    ${IfNot} ${RunningX64}
        MessageBox MB_ICONSTOP "${APP} richiede Windows a 64 bit." /SD IDOK
        Abort
    ${EndIf}
    SetRegView 64
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    SetRegView 64
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Pondra" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File "${STAGE}\pondra.exe"
    File "${STAGE}\pondra.ico"
    File "${STAGE}\licenza.txt"
    File "${STAGE}\SuggerimentiPondra.TXT"
    File "${STAGE}\listino.txt"
    File "${STAGE}\Pondra-dati-riscaldamento.txt"
    SetOutPath "$INSTDIR\fonts"
    File "${STAGE}\fonts\*.*"
    SetOutPath "$INSTDIR\translations"
    File "${STAGE}\translations\*.qm"
    SetOutPath "$INSTDIR"

    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\pondra.exe" "" "$INSTDIR\pondra.exe" 0 \
        SW_SHOWNORMAL "" "Valutazioni qualsiasi mediante confronto"
    CreateShortcut "$SMPROGRAMS\${APP} - esempio di studio.lnk" "$INSTDIR\pondra.exe" \
        '"$INSTDIR\Pondra-dati-riscaldamento.txt"' "$INSTDIR\pondra.exe" 1 SW_SHOWNORMAL "" \
        "Lo studio d'esempio: il riscaldamento di una casa"

    ; "Apri con" for text files, beside the default program, which stays as it is.
    WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "Studio di ${APP}"
    WriteRegStr SHCTX "Software\Classes\${PROGID}" "FriendlyTypeName" "Studio di ${APP}"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\pondra.exe,1"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open" "FriendlyAppName" "${APP}"
    WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\pondra.exe" "%1"'
    WriteRegStr SHCTX "Software\Classes\.txt\OpenWithProgids" "${PROGID}" ""
    WriteRegStr SHCTX "Software\Classes\Applications\pondra.exe" "FriendlyAppName" "${APP}"
    WriteRegStr SHCTX "Software\Classes\Applications\pondra.exe\SupportedTypes" ".txt" ""
    WriteRegStr SHCTX "Software\Classes\Applications\pondra.exe\shell\open\command" "" \
        '"$INSTDIR\pondra.exe" "%1"'

    ; "App installate": what it is, who makes it, and how it goes away.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${MAKER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pondra.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" ${INSTALLED_KB}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APP}.lnk"
    Delete "$SMPROGRAMS\${APP} - esempio di studio.lnk"

    DeleteRegValue SHCTX "Software\Classes\.txt\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty SHCTX "Software\Classes\.txt\OpenWithProgids"
    DeleteRegKey SHCTX "Software\Classes\${PROGID}"
    DeleteRegKey SHCTX "Software\Classes\Applications\pondra.exe"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"

    ; Only the files installed: a study saved into the program's folder stays, and so the folder.
    Delete "$INSTDIR\pondra.exe"
    Delete "$INSTDIR\pondra.ico"
    Delete "$INSTDIR\licenza.txt"
    Delete "$INSTDIR\SuggerimentiPondra.TXT"
    Delete "$INSTDIR\listino.txt"
    Delete "$INSTDIR\Pondra-dati-riscaldamento.txt"
    !include "${STAGE}\uninstall-files.nsh"
    RMDir "$INSTDIR\fonts"
    RMDir "$INSTDIR\translations"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
