; Velkarinth for Windows: the portable folder, installed into Program Files
; with a Start-menu entry and an uninstaller. "/S" installs silently.
; makensis -DVERSION=2.2 -DDIST=folder -DOUTFILE=setup.exe velkarinth.nsi

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

  ; The program keeps init.txt and the day's maya.rayrc copies in the folder
  ; it starts in; Program Files is not writable for the user, so the entry
  ; starts it in the user's own folder.
  SetShellVarContext current
  CreateDirectory "$LOCALAPPDATA\Velkarinth"
  SetOutPath "$LOCALAPPDATA\Velkarinth"
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

; The user's init.txt and backups stay: they are the user's work.
Section "Uninstall"
  SetRegView 64
  SetShellVarContext current
  Delete "$SMPROGRAMS\Velkarinth.lnk"
  ; Only what the installer put there: the folder may have been chosen by hand.
  Delete "$INSTDIR\*.exe"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\*.qm"
  Delete "$INSTDIR\qt.conf"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\translations"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Velkarinth"
SectionEnd
