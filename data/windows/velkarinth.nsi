; Velkarinth for Windows: the portable folder, installed into Program Files
; with a Start-menu entry and an uninstaller. "/S" installs silently.
; makensis -DVERSION=2.2 -DDIST=folder -DFILES=files.nsh -DOUTFILE=setup.exe velkarinth.nsi
; FILES lists what DIST holds, as scripts/windows.sh writes it: the
; uninstaller removes those files and nothing else.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

Name "Velkarinth ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Velkarinth"
InstallDirRegKey HKLM "Software\Velkarinth" "InstallDir"
RequestExecutionLevel admin
ShowInstDetails show

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velkarinth"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Velkarinth"
  SetRegView 64
  SetOutPath "$INSTDIR"
  File /r "${DIST}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; Every account's entry. It starts the program here, which then works in
  ; the artist's own folder (%LOCALAPPDATA%\Velkarinth), made at its start:
  ; init.txt and the day's maya.rayrc copies are each artist's.
  SetShellVarContext current
  Delete "$SMPROGRAMS\Velkarinth.lnk" ; where earlier versions put it
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  CreateShortCut "$SMPROGRAMS\Velkarinth.lnk" "$INSTDIR\velkarinth.exe"

  WriteRegStr HKLM "Software\Velkarinth" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velkarinth"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Les auteurs de Velkarinth"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velkarinth.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Either program, running under any account, holds the Qt library it
; loaded, which Windows then will not open for writing: nothing is removed
; while one runs, or the uninstall would stop half way.
Function un.onInit
retry:
  IfFileExists "$INSTDIR\Qt6Core.dll" 0 free
  ClearErrors
  FileOpen $0 "$INSTDIR\Qt6Core.dll" a
  IfErrors running
  FileClose $0
free:
  Return
running:
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "Velkarinth est ouvert : fermez-le, puis réessayez.$\r$\nVelkarinth is running: close it, then try again." \
    /SD IDCANCEL IDRETRY retry
  SetErrorLevel 2
  Abort
FunctionEnd

; The user's init.txt and backups stay: they are the user's work.
Section "Uninstall"
  SetRegView 64
  SetShellVarContext all
  Delete "$SMPROGRAMS\Velkarinth.lnk"
  ; Only what the installer put there, by name: the folder may have been
  ; chosen by hand, and hold another program's files. A folder left with
  ; anything else in it stays.
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Velkarinth"
SectionEnd
