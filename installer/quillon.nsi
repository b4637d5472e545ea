; Quillon's installer: a 64-bit program folder under Program Files, the App
; Paths entry Assist.dll reads, a Start menu entry, an uninstaller in the
; system's list, and - only when the user ticks it - the document kinds opened
; through Relay.exe. Built by scripts/dist.sh:
;   makensis -DVERSION=x.y.z -DBIN=<folder of the seven binaries> -DREADME=<file> -DICON=<program icon>
;            -DOUTFILE=<setup.exe> quillon.nsi
; Command line of the installer: /S silent, /ASSOCIATE tick the associations,
; /D=<folder> the program folder. Of the uninstaller: /S silent,
; /REMOVESETTINGS also remove the user's settings.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
SetDateSave off
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Quillon"
!define PUBLISHER "Brindle"
!define APP_PATHS "Software\Microsoft\Windows\CurrentVersion\App Paths\Scrivo.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillon"
!define SETUP_KEY "Software\Brindle\Quillon\Setup"
!define SETTINGS_KEY "Software\Brindle\Quillon"
!define PROGID "Quillon.Document"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1049 "FileDescription" "${PRODUCT} ${VERSION} - установка"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Scrivo.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_LANGUAGE "English"

; The document kinds the association offers.
!macro ForEachKind MACRO
    !insertmacro ${MACRO} ".html"
    !insertmacro ${MACRO} ".htm"
    !insertmacro ${MACRO} ".xml"
    !insertmacro ${MACRO} ".xsl"
    !insertmacro ${MACRO} ".css"
    !insertmacro ${MACRO} ".js"
    !insertmacro ${MACRO} ".txt"
!macroend

; Takes one kind over, remembering what opened it before (restored by the
; uninstaller), and lists Quillon among its programs.
!macro Associate EXT
    ReadRegStr $0 HKLM "Software\Classes\${EXT}" ""
    ${If} $0 != "${PROGID}"
        WriteRegStr HKLM "${SETUP_KEY}\Associations" "${EXT}" "$0"
        WriteRegStr HKLM "Software\Classes\${EXT}" "" "${PROGID}"
    ${EndIf}
    WriteRegStr HKLM "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}" ""
!macroend

; Gives a kind back: the program it had before, if Quillon still has it.
!macro Dissociate EXT
    ReadRegStr $0 HKLM "Software\Classes\${EXT}" ""
    ${If} $0 == "${PROGID}"
        ClearErrors
        ReadRegStr $1 HKLM "${SETUP_KEY}\Associations" "${EXT}"
        ${If} $1 == ""
            DeleteRegValue HKLM "Software\Classes\${EXT}" ""
        ${Else}
            WriteRegStr HKLM "Software\Classes\${EXT}" "" "$1"
        ${EndIf}
    ${EndIf}
    DeleteRegValue HKLM "Software\Classes\${EXT}\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKLM "Software\Classes\${EXT}\OpenWithProgids"
    DeleteRegKey /ifempty HKLM "Software\Classes\${EXT}"
!macroend

!macro Binaries MACRO
    !insertmacro ${MACRO} "Scrivo.exe"
    !insertmacro ${MACRO} "Relay.exe"
    !insertmacro ${MACRO} "Assist.dll"
    !insertmacro ${MACRO} "Filebox.dll"
    !insertmacro ${MACRO} "Toolbars.dll"
    !insertmacro ${MACRO} "Template.dll"
    !insertmacro ${MACRO} "Stencil.dll"
!macroend
!macro PutFile NAME
    File "${BIN}\${NAME}"
!macroend
!macro RemoveFile NAME
    Delete "$INSTDIR\${NAME}"
!macroend

LangString SecMainName 1049 "Quillon"
LangString SecMainName 1033 "Quillon"
LangString SecAssocName 1049 "Открывать документы (.html, .htm, .xml, .xsl, .css, .js, .txt ...) в Quillon"
LangString SecAssocName 1033 "Open documents (.html, .htm, .xml, .xsl, .css, .js, .txt ...) in Quillon"
LangString DocumentKind 1049 "Документ Quillon"
LangString DocumentKind 1033 "Quillon document"
LangString AskSettings 1049 "Удалить также настройки Quillon (макросы, список шаблонов, расположение окон)?"
LangString AskSettings 1033 "Also remove Quillon's settings (macros, template list, window layout)?"

Section "!$(SecMainName)" SecMain
    SectionIn RO
    SetRegView 64
    SetOutPath "$INSTDIR"
    !insertmacro Binaries PutFile
    File "/oname=README.txt" "${README}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    ; Assist.dll finds the editor by this name when none runs.
    WriteRegStr HKLM "${APP_PATHS}" "" "$INSTDIR\Scrivo.exe"
    WriteRegStr HKLM "${APP_PATHS}" "Path" "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Scrivo.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Scrivo.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "$(SecAssocName)" SecAssociate
    SetRegView 64
    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "$(DocumentKind)"
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\Scrivo.exe,0"
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\Relay.exe" "%1"'
    !insertmacro ForEachKind Associate
    ; The shell learns of the new associations (SHCNE_ASSOCCHANGED).
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Function .onInit
    SetRegView 64
    ; The program is installed for every user of the machine: so is its Start menu entry.
    SetShellVarContext all
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/ASSOCIATE" $R1
    ${IfNot} ${Errors}
        SectionSetFlags ${SecAssociate} ${SF_SELECTED}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetRegView 64
    !insertmacro Binaries RemoveFile
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKLM "${APP_PATHS}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro ForEachKind Dissociate
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
    DeleteRegKey HKLM "${SETUP_KEY}"
    DeleteRegKey /ifempty HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "Software\Brindle"
    ; The user's settings stay unless asked for.
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/REMOVESETTINGS" $R1
    ${IfNot} ${Errors}
        DeleteRegKey HKCU "${SETTINGS_KEY}"
    ${ElseIfNot} ${Silent}
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskSettings)" IDNO keep
        DeleteRegKey HKCU "${SETTINGS_KEY}"
        keep:
    ${EndIf}
    DeleteRegKey /ifempty HKCU "Software\Brindle"
SectionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd
