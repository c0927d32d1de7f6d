; The Windows installer of Луч, built by scripts/windows-installer with
; makensis. Per user, without administrator rights: the program goes to the
; user's programs folder, the Start menu gets "Луч", "*.луч" files ("Проект
; луча") open in the program, and "Программы и компоненты" lists it with its
; uninstaller. The samples go into "examples" beside the program, from which
; the program fills the user's data folder (%APPDATA%\Луч) on its first start;
; uninstalling removes the program and leaves that folder alone.
;
; Defines (-D): VERSION, STAGE (the staged files), OUTFILE.

; A 64-bit installer for the 64-bit program: it runs where the program runs.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Луч"
!define CAPTION "Расчет луча ТЕРН-12 по постоянному току"
!define PROGID "Luch.Project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Luch"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION}: установка"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1049 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileDescription" "Установка программы ${PRODUCT}"
VIAddVersionKey /LANG=1049 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1049 "LegalCopyright" "${PRODUCT}"

!define MUI_ICON "${STAGE}\luch.ico"
!define MUI_UNICON "${STAGE}\luch.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\luch.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Запустить ${PRODUCT}"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "${PRODUCT}"
  SetOutPath "$INSTDIR"
  File "${STAGE}\luch.exe"
  File "${STAGE}\luch-calc.exe"
  File "${STAGE}\Справка.md"
  SetOutPath "$INSTDIR\examples"
  File "${STAGE}\examples\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\luch.exe" "" "$INSTDIR\luch.exe" 0 \
    SW_SHOWNORMAL "" "${CAPTION}"

  ; The file type: the program's icon, opened by the program.
  WriteRegStr HKCU "Software\Classes\.луч" "" "${PROGID}"
  WriteRegStr HKCU "Software\Classes\${PROGID}" "" "Проект луча"
  WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\luch.exe,0"
  WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" \
    '"$INSTDIR\luch.exe" "%1"'
  ; Explorer shows the new type at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; "Программы и компоненты".
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\luch.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Comments" "${CAPTION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; Only what the installer put there: the user's data folder stays.
  Delete "$INSTDIR\luch.exe"
  Delete "$INSTDIR\luch-calc.exe"
  Delete "$INSTDIR\Справка.md"
  RMDir /r "$INSTDIR\examples"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  ; The file type goes only while it is still ours.
  ReadRegStr $0 HKCU "Software\Classes\.луч" ""
  StrCmp $0 "${PROGID}" 0 +2
    DeleteRegKey HKCU "Software\Classes\.луч"
  DeleteRegKey HKCU "Software\Classes\${PROGID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
