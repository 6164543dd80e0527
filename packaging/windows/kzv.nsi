; The K.Z.V installer: for the player alone (no administrator), into
; %LOCALAPPDATA%\Programs\K.Z.V, with a Start-menu entry and an uninstaller. The record
; (%APPDATA%\K.Z.V\save.dat) is the player's and stays when the game is uninstalled.
; makensis -DVERSION=1.10.0 -DSOURCE=<program folder> -DOUTFILE=<setup.exe> kzv.nsi
; A 64-bit installer for the 64-bit game (and for a Wine without its 32-bit part).
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

Name "K.Z.V"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\K.Z.V"
Icon "${SOURCE}\kzv.ico"
UninstallIcon "${SOURCE}\kzv.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "K.Z.V"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "MIT License"
VIAddVersionKey "FileDescription" "K.Z.V installer"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\K.Z.V"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "K.Z.V"
  SetOutPath "$INSTDIR"
  File "${SOURCE}\kzv.exe"
  File "${SOURCE}\Stools.dll"
  File "${SOURCE}\README.txt"
  File "${SOURCE}\LICENSE.txt"
  ; Its presence tells the game that it is installed: the record goes to %APPDATA%\K.Z.V.
  File "${SOURCE}\installed"
  SetOutPath "$INSTDIR\data"
  File "${SOURCE}\data\*.*"
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\K.Z.V.lnk" "$INSTDIR\kzv.exe" "" "$INSTDIR\kzv.exe" 0
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "K.Z.V"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kzv.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\K.Z.V.lnk"
  Delete "$INSTDIR\data\*.*"
  RMDir "$INSTDIR\data"
  Delete "$INSTDIR\kzv.exe"
  Delete "$INSTDIR\Stools.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\installed"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
