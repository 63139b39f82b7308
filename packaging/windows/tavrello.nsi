; The Tavrello installer: the portable folder under Program Files, a Start-menu entry and an uninstaller
; that removes exactly what was installed, never a player's scores. makensis -DVERSION -DSTAGE -DOUTFILE.
Target amd64-unicode
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define APP "Tavrello"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
InstallDirRegKey HKLM "Software\${APP}" "InstallDir"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${APP}"
VIAddVersionKey "FileDescription" "${APP} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Tavrello developers"

Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles
LicenseData "${STAGE}\licences\Tavrello.txt"

Section "Tavrello"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${STAGE}\tavrello.exe"
  File "${STAGE}\OpenAL32.dll"
  File "${STAGE}\README.txt"
  SetOutPath "$INSTDIR\assets"
  File "${STAGE}\assets\*.*"
  SetOutPath "$INSTDIR\licences"
  File /r "${STAGE}\licences\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateDirectory "$SMPROGRAMS\${APP}"
  CreateShortcut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\tavrello.exe" "" "$INSTDIR\tavrello.exe" 0
  CreateShortcut "$SMPROGRAMS\${APP}\Uninstall ${APP}.lnk" "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "Software\${APP}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Tavrello developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tavrello.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only the installed files go, by name: highscore.txt and its backup copies stay, beside the program
; (then the folder stays too) or in the player's own application data.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\tavrello.exe"
  Delete "$INSTDIR\OpenAL32.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  Delete "$INSTDIR\assets\*.png"
  Delete "$INSTDIR\assets\*.mp3"
  Delete "$INSTDIR\assets\*.ogg"
  Delete "$INSTDIR\assets\COOPBL.TTF"
  Delete "$INSTDIR\assets\COOPBL.TTF.copyright"
  RMDir "$INSTDIR\assets"
  RMDir /r "$INSTDIR\licences"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
  Delete "$SMPROGRAMS\${APP}\Uninstall ${APP}.lnk"
  RMDir "$SMPROGRAMS\${APP}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\${APP}"
SectionEnd
