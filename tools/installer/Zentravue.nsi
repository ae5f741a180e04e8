; The installer of the player, built by tools/package.sh from the Windows
; build. Installs for all users into Program Files when the user has the
; rights (or "/CurrentUser" is given: then into the user's own programs
; folder), adds a Start-menu shortcut and the uninstall entry, and lets the
; program register its file associations ("/associate:<categories>"). The
; uninstaller lets the program remove its registration and settings
; ("/uninstall", quietly when silent) and then removes every file and key
; the installer made.
;
; Defines from the build: EXE (the program), OUTFILE, VERSION (1.3.0.0),
; APPNAME (the program's registration name, ZentravueX64 for the 64-bit build).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel highest
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Zentravue"
!define PUBLISHER "Ostrel-Software"
!define HELPLINK "https://www.ostrel-software.example/zentravue"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APPNAME}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Var AllUsers      ; 1: per machine, 0: per user
Var Categories    ; file type categories to associate: 2 video, 4 audio, 8 playlists

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

Function .onInit
  StrCpy $Categories 0
  UserInfo::GetAccountType
  Pop $0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/CurrentUser" $2
  ${If} $0 == "Admin"
  ${AndIf} ${Errors}
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
    ; /D= on the command line has set $INSTDIR already; keep it then.
    ${If} $INSTDIR == "$PROGRAMFILES64\${PRODUCT}"
      StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=Zentravue.exe" "${EXE}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Zentravue.exe"

  ; SHCTX: HKEY_LOCAL_MACHINE per machine, HKEY_CURRENT_USER per user.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}β"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "${HELPLINK}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Zentravue.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

SectionGroup "File associations"
  Section "Video files" SecVideo
    IntOp $Categories $Categories | 2
  SectionEnd
  Section "Audio files" SecAudio
    IntOp $Categories $Categories | 4
  SectionEnd
  Section "Playlists" SecPlaylists
    IntOp $Categories $Categories | 8
  SectionEnd
SectionGroupEnd

; The program registers itself with the shell and associates the chosen
; categories, with the strategy the system offers.
Section "-Register"
  ExecWait '"$INSTDIR\Zentravue.exe" /associate:$Categories'
SectionEnd

Function un.onInit
  ; Installed per machine when the machine-wide entry names this folder.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    SetShellVarContext all
  ${Else}
    StrCpy $AllUsers 0
    SetShellVarContext current
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; The program removes its associations, its shell registration and the
  ; user's settings; silently when the uninstaller runs silently.
  ${If} ${Silent}
    ExecWait '"$INSTDIR\Zentravue.exe" /uninstall /quiet'
  ${Else}
    ExecWait '"$INSTDIR\Zentravue.exe" /uninstall'
  ${EndIf}
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\Zentravue.exe"
  Delete "$INSTDIR\Zentravue.exe.tmp1.exe"
  Delete "$INSTDIR\Zentravue.exe.tmp2.exe"
  Delete "$INSTDIR\${APPNAME}.log"
  Delete "$INSTDIR\Uninstall.exe"
  ; Only when empty: screenshots and playlists the user saved here stay.
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
