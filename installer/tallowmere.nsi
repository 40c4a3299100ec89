; The Windows installer of Tallowmere. installer/package.cmake runs makensis on
; it with the program's identity from dist/const.dat and the list of shipped
; files it found beside the program:
;   APP_NAME APP_VER APP_VER4 PUBLISHER COPYRIGHT REGPATH CONFIGPATH
;   ICON OUT_FILE FILES_NSH (install lines) UNFILES_NSH (removal lines)
;
; Switches: /S installs or uninstalls silently (a silent uninstall keeps the
; user's settings); /D=folder chooses the program folder (last on the line).
; A program folder that already holds files is refused unless they are an
; earlier installation; a silent install then ends with exit code 2 and
; installs nothing.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define PROGRAM_EXE "tallowmere.exe"
!define UNINSTALL_EXE "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_NAME}"
; The program reads the channel value from HKEY_LOCAL_MACHINE\Software\ followed
; by App.RegPath (both of us 32-bit, so both see the same registry view).
!define CHANNEL_KEY "Software\${REGPATH}"
; The window class of the program's main window, by which it finds a running copy.
!define MAIN_WINDOW_CLASS "TfrmMain"

Name "${APP_NAME} ${APP_VER}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES\${APP_NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${APP_NAME} ${APP_VER}"

VIProductVersion "${APP_VER4}"
VIAddVersionKey "ProductName" "${APP_NAME}"
VIAddVersionKey "ProductVersion" "${APP_VER}"
VIAddVersionKey "FileVersion" "${APP_VER}"
VIAddVersionKey "FileDescription" "${APP_NAME} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running copy of the program keeps its files open: ask it to close (switch s)
; and give it the time a window takes to go away.
!macro CloseRunningProgram
    FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${If} $0 <> 0
    ${AndIf} ${FileExists} "$INSTDIR\${PROGRAM_EXE}"
        ExecWait '"$INSTDIR\${PROGRAM_EXE}" /s'
        Sleep 3000
    ${EndIf}
!macroend

; Removes the trailing backslashes (or slashes) of a folder held in `var`, so that
; "$var\file" has one separator also for a drive's root (C:\ gives C:). Uses $9.
!macro StripTrailingSeparators var
    ${Do}
        StrCpy $9 ${var} 1 -1
        ${If} $9 != "\"
        ${AndIf} $9 != "/"
            ${ExitDo}
        ${EndIf}
        StrCpy ${var} ${var} -1
    ${Loop}
!macroend

; $R0 = 1 when $INSTDIR may take the program: it does not exist yet, it is an
; empty folder, or it holds an earlier installation (its uninstaller beside the
; program); 0 otherwise (a folder of other files, or a file).
Function CheckProgramFolder
    StrCpy $R0 1
    StrCpy $R3 "$INSTDIR"
    !insertmacro StripTrailingSeparators $R3
    ${If} ${FileExists} "$R3\${UNINSTALL_EXE}"
    ${AndIf} ${FileExists} "$R3\${PROGRAM_EXE}"
        Return
    ${EndIf}
    ClearErrors
    FindFirst $R1 $R2 "$R3\*.*"
    ${If} $R2 == ""  ; no folder of that name: free, unless a file has it
        ${If} ${FileExists} "$R3"
            StrCpy $R0 0
        ${EndIf}
        Return
    ${EndIf}
    ${DoWhile} $R2 != ""
        ${If} $R2 != "."
        ${AndIf} $R2 != ".."
            StrCpy $R0 0
            ${ExitDo}
        ${EndIf}
        FindNext $R1 $R2
    ${Loop}
    FindClose $R1
FunctionEnd

!define REFUSED_FOLDER_TEXT "The folder $INSTDIR already holds other files. Choose an empty folder, a new one or the folder of an earlier ${APP_NAME} installation."

Function .onInit
    ${If} ${Silent}
        Call CheckProgramFolder
        ${If} $R0 == 0
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Function DirectoryLeave
    Call CheckProgramFolder
    ${If} $R0 == 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "${REFUSED_FOLDER_TEXT}"
        Abort
    ${EndIf}
FunctionEnd

Section "Install"
    SetShellVarContext all
    !insertmacro CloseRunningProgram
    SetOutPath "$INSTDIR"
    !include "${FILES_NSH}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALL_EXE}"
    CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${PROGRAM_EXE}" "" "$INSTDIR\${PROGRAM_EXE}" 0

    ; The channel: which installer put the program here. The program sends it
    ; with its requests to the vendor's server. Its file name only: the full path
    ; would name the installing user in a key that every account can read.
    WriteRegStr HKLM "${CHANNEL_KEY}" "CHL" "$EXEFILE"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${APP_VER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE},0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALL_EXE}"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALL_EXE}" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The program keeps its settings in a folder named after App.ConfigPath or, when
; that is empty, after the program's full path with every backslash, colon and
; slash made an underscore (C:\Program Files\Tallowmere\tallowmere.exe gives
; C__Program Files_Tallowmere_tallowmere.exe). A folder given with a trailing
; backslash (C:\) still makes one separator: C:\tallowmere.exe, C__tallowmere.exe.
Function un.SettingsFolderName
    StrCpy $0 "${CONFIGPATH}"
    ${If} $0 != ""
        Return
    ${EndIf}
    StrCpy $1 "$INSTDIR"
    !insertmacro StripTrailingSeparators $1
    StrCpy $1 "$1\${PROGRAM_EXE}"
    StrCpy $0 ""
    StrCpy $2 0
    ${Do}
        StrCpy $3 $1 1 $2
        ${If} $3 == ""
            ${ExitDo}
        ${EndIf}
        ${If} $3 == "\"
        ${OrIf} $3 == ":"
        ${OrIf} $3 == "/"
            StrCpy $3 "_"
        ${EndIf}
        StrCpy $0 "$0$3"
        IntOp $2 $2 + 1
    ${Loop}
FunctionEnd

; Removes the settings files of the user who uninstalls and the all-users ones.
; Only the program's own files go; a folder that still holds anything else stays.
Function un.RemoveSettings
    Call un.SettingsFolderName
    SetShellVarContext current
    Delete "$APPDATA\$0\setting.dat"
    Delete "$APPDATA\$0\UserFlag.ini"
    RMDir "$APPDATA\$0"
    SetShellVarContext all
    Delete "$APPDATA\$0\setting.dat"
    Delete "$APPDATA\$0\UserFlag.ini"
    RMDir "$APPDATA\$0"
FunctionEnd

Section "Uninstall"
    SetShellVarContext all
    !insertmacro CloseRunningProgram
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
        "Remove your ${APP_NAME} settings as well (skin, language, remembered answers)?" \
        /SD IDNO IDNO keep_settings
    Call un.RemoveSettings
    SetShellVarContext all
keep_settings:
    !include "${UNFILES_NSH}"
    Delete "$INSTDIR\${UNINSTALL_EXE}"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"

    ; The uninstalling user stops cleaning at sign-in (the program's menu adds it).
    DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Tallowmere"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegValue HKLM "${CHANNEL_KEY}" "CHL"
    DeleteRegKey /ifempty HKLM "${CHANNEL_KEY}"
SectionEnd
