; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer of Filsök, made by scripts/windows.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=x.y.z -DSTAGE=<installed program>
;            -DFILES=<file list> -DICON=<filsok.ico> -DOUTFILE=<setup.exe> filsok.nsi
; STAGE is the folder `cmake --install` filled: filsok.exe, the Qt and MinGW
; DLLs, the platform and style plugins and the licence texts. FILES is an
; include file that removes exactly those files and their folders, made
; from the same folder, so the uninstaller takes away what was installed
; and nothing else, wherever the user installed it.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\filsok"

Name "Filsök"
Caption "Filsök ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Filsök"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText "Filsök ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "Filsök"
VIAddVersionKey /LANG=0 "FileDescription" "Filsök ${VERSION}: installationsprogram"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\filsok.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Swedish"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Filsök"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Filsök.lnk" "$INSTDIR\filsok.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Filsök"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Filsök developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\filsok.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The user's own settings (HKEY_CURRENT_USER\Software\filsok) stay, as the
; user's files do.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Filsök.lnk"
  !include "${FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
