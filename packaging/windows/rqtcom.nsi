; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows setup program, made by scripts/build-windows.sh:
;   makensis -DVERSION=1.03 -DSOURCE=<the rqtcom folder> -DUNINSTALL_LIST=<file>
;            -DLICENSE_FILE=<LICENSE> -DOUTFILE=<rqtcom-1.03-setup.exe> rqtcom.nsi
; UNINSTALL_LIST holds one "Delete" per installed file and one "RMDir" per
; folder, deepest first, so the uninstaller removes what setup put there and
; nothing the user saved beside it.
;
; For all users into Program Files\rqtcom (with administrator rights), or for
; the user alone into his own programs folder. Command line: /S silent,
; /AllUsers or /CurrentUser, /Language=English|Chinese (the interface),
; /D=FOLDER (last) the folder.

Unicode true
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!macro RequireDefine NAME
  !ifndef ${NAME}
    !error "${NAME} must be given with -D${NAME}=..."
  !endif
!macroend
!insertmacro RequireDefine VERSION
!insertmacro RequireDefine SOURCE
!insertmacro RequireDefine UNINSTALL_LIST
!insertmacro RequireDefine LICENSE_FILE
!insertmacro RequireDefine OUTFILE

!define PRODUCT rqtcom
!define PUBLISHER "rqtcom maintainers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\rqtcom"
!define MENU_FOLDER "rqtcom"

Name "rqtcom ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "rqtcom ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 ProductName "rqtcom"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 CompanyName "${PUBLISHER}"
VIAddVersionKey /LANG=0 FileDescription "rqtcom ${VERSION} setup"
VIAddVersionKey /LANG=0 LegalCopyright "GPL-3.0-or-later"

; A user without administrator rights installs for himself; the choice is
; offered on a page, or /AllUsers, /CurrentUser on the command line. The
; uninstaller finds the mode again from where its key was written.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "rqtcom"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include nsDialogs.nsh
!include FileFunc.nsh
!include LogicLib.nsh

; The setup's own language, asked first; both always offered, whatever the
; system's code page. Kept in the uninstall key for the uninstaller and updates.
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_LANGDLL_WINDOWTITLE "Setup Language / 安装语言"
!define MUI_LANGDLL_INFO "Please select the language of setup. / 请选择安装程序的语言。"
!define MUI_LANGDLL_REGISTRY_ROOT SHCTX
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "Installer Language"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING

; The interface language rqtcom starts in: "English" or "Chinese", the first
; line of Language.txt beside the program.
Var InterfaceLanguage
Var RadioEnglish
Var RadioChinese

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE_FILE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
Page custom InterfaceLanguagePage InterfaceLanguageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(RunRqtcom)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartRqtcom
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_RESERVEFILE_LANGDLL

LangString InterfaceTitle ${LANG_ENGLISH} "Interface Language"
LangString InterfaceTitle ${LANG_SIMPCHINESE} "界面语言"
LangString InterfaceSubtitle ${LANG_ENGLISH} "Choose the language of rqtcom's windows."
LangString InterfaceSubtitle ${LANG_SIMPCHINESE} "选择 rqtcom 窗口使用的语言。"
LangString InterfaceText ${LANG_ENGLISH} "rqtcom shows its windows in the language chosen here. It is written to Language.txt in the program's folder; to change it later, edit that file (first line English or Chinese) or run setup again."
LangString InterfaceText ${LANG_SIMPCHINESE} "rqtcom 的窗口将使用这里选择的语言。选择写入程序文件夹中的 Language.txt；以后要更改，可编辑该文件（第一行为 English 或 Chinese），或再次运行安装程序。"
LangString RunRqtcom ${LANG_ENGLISH} "Start rqtcom"
LangString RunRqtcom ${LANG_SIMPCHINESE} "启动 rqtcom"
LangString UninstallShortcut ${LANG_ENGLISH} "Uninstall rqtcom"
LangString UninstallShortcut ${LANG_SIMPCHINESE} "卸载 rqtcom"
LangString LanguageFileFailed ${LANG_ENGLISH} "Language.txt could not be written in $INSTDIR; rqtcom starts in English."
LangString LanguageFileFailed ${LANG_SIMPCHINESE} "无法在 $INSTDIR 中写入 Language.txt；rqtcom 将以英文启动。"

Function .onInit
    ; MultiUser sets the folder of the mode; a folder given with /D wins.
    StrCpy $R9 $INSTDIR
    !insertmacro MULTIUSER_INIT
    ${If} $R9 != ""
        StrCpy $INSTDIR $R9
    ${EndIf}
    !insertmacro MUI_LANGDLL_DISPLAY
    ; The interface follows the setup's language unless told, or unless an
    ; earlier installation chose one.
    ${If} $LANGUAGE == ${LANG_SIMPCHINESE}
        StrCpy $InterfaceLanguage Chinese
    ${Else}
        StrCpy $InterfaceLanguage English
    ${EndIf}
    Call ReadEarlierLanguage
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/Language=" $R1
    ${IfNot} ${Errors}
        ${If} $R1 == Chinese
        ${OrIf} $R1 == English
            StrCpy $InterfaceLanguage $R1
        ${EndIf}
    ${EndIf}
FunctionEnd

Function ReadEarlierLanguage
    ClearErrors
    FileOpen $R0 "$INSTDIR\Language.txt" r
    ${IfNot} ${Errors}
        FileRead $R0 $R1
        FileClose $R0
        StrCpy $R1 $R1 7
        ${If} $R1 == Chinese
        ${OrIf} $R1 == English
            StrCpy $InterfaceLanguage $R1
        ${EndIf}
    ${EndIf}
FunctionEnd

Function InterfaceLanguagePage
    !insertmacro MUI_HEADER_TEXT "$(InterfaceTitle)" "$(InterfaceSubtitle)"
    nsDialogs::Create 1018
    Pop $R0
    ${If} $R0 == error
        Abort
    ${EndIf}
    ${NSD_CreateLabel} 0 0 100% 36u "$(InterfaceText)"
    Pop $R0
    ${NSD_CreateRadioButton} 12u 44u 90% 12u "English"
    Pop $RadioEnglish
    ${NSD_CreateRadioButton} 12u 60u 90% 12u "中文（简体） Chinese"
    Pop $RadioChinese
    ${If} $InterfaceLanguage == Chinese
        ${NSD_Check} $RadioChinese
    ${Else}
        ${NSD_Check} $RadioEnglish
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function InterfaceLanguageLeave
    ${NSD_GetState} $RadioChinese $R0
    ${If} $R0 == ${BST_CHECKED}
        StrCpy $InterfaceLanguage Chinese
    ${Else}
        StrCpy $InterfaceLanguage English
    ${EndIf}
FunctionEnd

; rqtcom reads Language.txt from its working directory: start it in its folder.
Function StartRqtcom
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\rqtcom.exe"'
FunctionEnd

Section "rqtcom" SecMain
    SectionIn RO
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}/*"

    ClearErrors
    FileOpen $R0 "$INSTDIR\Language.txt" w
    ${If} ${Errors}
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(LanguageFileFailed)" /SD IDOK
    ${Else}
        FileWrite $R0 "$InterfaceLanguage$\r$\n"
        FileClose $R0
    ${EndIf}

    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The shortcuts start the program in its folder, where Language.txt is.
    SetOutPath "$INSTDIR"
    CreateDirectory "$SMPROGRAMS\${MENU_FOLDER}"
    CreateShortCut "$SMPROGRAMS\${MENU_FOLDER}\rqtcom.lnk" "$INSTDIR\rqtcom.exe" "" \
        "$INSTDIR\rqtcom.exe" 0
    CreateShortCut "$SMPROGRAMS\${MENU_FOLDER}\$(UninstallShortcut).lnk" "$INSTDIR\uninstall.exe"

    ; "Apps & features": HKLM for all users, HKCU for the user alone (SHCTX).
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "rqtcom"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\rqtcom.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Installer Language" "$LANGUAGE"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $R0 $R1 $R2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$R0"
SectionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
    !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "Uninstall"
    ; Only what setup installed: files the user saved in these folders stay,
    ; and so do their folders.
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\Language.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${MENU_FOLDER}\rqtcom.lnk"
    ; Whichever language the setup spoke.
    Delete "$SMPROGRAMS\${MENU_FOLDER}\Uninstall rqtcom.lnk"
    Delete "$SMPROGRAMS\${MENU_FOLDER}\卸载 rqtcom.lnk"
    RMDir "$SMPROGRAMS\${MENU_FOLDER}"

    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
