; The Windows setup program: the VST3, CLAP and VST 2.4 plug-ins and the factory presets,
; each a component of its own, and an uninstaller that removes exactly those files.
; Made by cmake/MakeSetup.cmake, which passes
;   VERSION   the release version (x.y.z)
;   OUTFILE   the setup program to write
;   LISTS     the folder of the generated install and uninstall lists (<component>-install.nsh,
;             <component>-uninstall.nsh), from the folder the release archive holds
;   LICENCE   the licence text: ours, then that of every library built in
;   VST3_SIZE, CLAP_SIZE, VST2_SIZE, PRESETS_SIZE  each component's size, for its name
;
; Silent install for deployment scripts: setup.exe /S [/D=<VST 2.4 folder>] (/D= comes last).
; The setup program is 64-bit like the plug-ins: 32-bit Windows refuses to start it.

Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh

!define PRODUCT "Vantor Pro"
!define PUBLISHER "Brackwel"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The uninstaller and the VST 2.4 folder chosen last. The plug-in keeps its Info switch under
; Software\Brackwel\VantorPro, which is the user's and stays.
!define SETTINGS_KEY "Software\${PUBLISHER}\${PRODUCT}"
!define VST2_FOLDER_VALUE "VST2Folder"
; A later setup finds the installed version's uninstaller by this name in InstallLocation.
!define UNINSTALLER "Uninstall ${PRODUCT}.exe"

!define VST3_FOLDER "$COMMONFILES64\VST3"
!define CLAP_FOLDER "$COMMONFILES64\CLAP"
; Under SetShellVarContext all, $APPDATA is ProgramData, where VST3 hosts list every user's
; presets.
!define VST3_PRESETS_FOLDER "$APPDATA\VST3 Presets"
!define PROGRAM_FOLDER "$PROGRAMFILES64\${PUBLISHER}\${PRODUCT}"
; Where the generated lists put each component.
!define VST3_DESTINATION "${VST3_FOLDER}\${PRODUCT}.vst3"
!define CLAP_DESTINATION "${CLAP_FOLDER}\${PRODUCT}"
!define VST2_DESTINATION "$Vst2Folder\${PRODUCT}"
!define FXP_DESTINATION "$Vst2Folder\${PRODUCT}\Presets"
!define VST3_PRESETS_DESTINATION "${VST3_PRESETS_FOLDER}\${PUBLISHER}\${PRODUCT}"
!define RENDERER_DESTINATION "${PROGRAM_FOLDER}\Renderer"

!addincludedir "${LISTS}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PUBLISHER}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright Brackwel"

; The VST 2.4 folder; the installer's $INSTDIR, the uninstaller reads it from the registry.
Var Vst2Folder

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup installs ${PRODUCT} ${VERSION} by ${PUBLISHER}, a stereo-enhancement effect, as a VST3, CLAP and VST 2.4 plug-in for 64-bit hosts, with its factory presets and the vantor-render tool. An installed version is replaced.$\r$\n$\r$\nClose your audio programs before you go on, so they let go of the plug-in.$\r$\n$\r$\n$_CLICK"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENCE}"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderWithoutVst2
!define MUI_PAGE_HEADER_TEXT "VST 2.4 Plug-in Folder"
!define MUI_PAGE_HEADER_SUBTEXT "Choose where your VST 2.4 host finds ${PRODUCT}."
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts the VST 2.4 plug-in into a folder $\"${PRODUCT}$\" in the folder below, with its skin and factory presets. Choose the folder your host scans for 64-bit VST 2.4 plug-ins."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "VST 2.4 plug-in folder"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Installing over an installed version, older or the same, starts by running its own
; uninstaller, which knows its files: none of them is left behind.
Section "-Remove the installed version"
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${UNINSTALLER}"
    DetailPrint "Removing the installed version"
    ; _?= runs it in place and waits; it cannot delete itself then, so that is done here.
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
  ${EndIf}
  StrCpy $Vst2Folder $INSTDIR
SectionEnd

Section "VST3 plug-in (${VST3_SIZE})" SectionVst3
  !include vst3-install.nsh
SectionEnd

Section "CLAP plug-in (${CLAP_SIZE})" SectionClap
  !include clap-install.nsh
SectionEnd

Section "VST 2.4 plug-in (${VST2_SIZE})" SectionVst2
  !include vst2-install.nsh
  WriteRegStr HKLM "${SETTINGS_KEY}" "${VST2_FOLDER_VALUE}" "$Vst2Folder"
SectionEnd

Section "Factory presets (${PRESETS_SIZE})" SectionPresets
  !include vst3-presets-install.nsh
  ; The program files a VST 2.4 host loads belong beside its module.
  ${If} ${SectionIsSelected} ${SectionVst2}
    !include fxp-install.nsh
  ${EndIf}
SectionEnd

Section "Renderer (${RENDERER_SIZE})" SectionRenderer
  !include renderer-install.nsh
SectionEnd

Section "-Uninstaller"
  !include licences-install.nsh
  WriteUninstaller "${PROGRAM_FOLDER}\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "${PROGRAM_FOLDER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${PROGRAM_FOLDER}\${UNINSTALLER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${PROGRAM_FOLDER}\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${PROGRAM_FOLDER}\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  Call SelectedSize
  Pop $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionVst3} "For VST3 hosts (Cubase, Nuendo, Studio One, Live, REAPER, ...): $\"${PRODUCT}.vst3$\" in Common Files\VST3."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionClap} "For CLAP hosts (Bitwig, REAPER, FL Studio, Studio One, ...): the folder $\"${PRODUCT}$\" in Common Files\CLAP."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionVst2} "For VST 2.4 hosts: the folder $\"${PRODUCT}$\" in the VST 2.4 plug-in folder you choose next."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionRenderer} "vantor-render.exe, which renders audio files offline through the CLAP or VST3 plug-in and reports their stereo image: in Program Files\${PUBLISHER}\${PRODUCT}\Renderer, for the command line."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionPresets} "The 16 factory presets: for VST3 hosts in ProgramData\VST3 Presets, and as .fxp files beside the VST 2.4 plug-in."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Administrator rights are needed for Program Files and HKLM; a refusal says so, and in
; silent mode without a message box.
!macro REFUSE_WITHOUT_ADMIN
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP "${PRODUCT} installs for every user of this computer and needs administrator rights. Run this program as an administrator." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro REFUSE_WITHOUT_ADMIN
  ; /D= on the command line wins, then the folder chosen last time, then the usual one.
  ${If} $INSTDIR == ""
    ReadRegStr $INSTDIR HKLM "${SETTINGS_KEY}" "${VST2_FOLDER_VALUE}"
  ${EndIf}
  ${If} $INSTDIR == ""
    StrCpy $INSTDIR "$PROGRAMFILES64\VSTPlugins"
  ${EndIf}
FunctionEnd

Function SkipFolderWithoutVst2
  ${IfNot} ${SectionIsSelected} ${SectionVst2}
    Abort
  ${EndIf}
FunctionEnd

; Pushes the size in KB of every selected section, for "Apps & features".
Function SelectedSize
  StrCpy $0 0
  StrCpy $1 0
  ClearErrors
  ${Do}
    SectionGetFlags $1 $2
    ${If} ${Errors}
      ${ExitDo}
    ${EndIf}
    ${If} ${SectionIsSelected} $1
      SectionGetSize $1 $2
      IntOp $0 $0 + $2
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  Push $0
FunctionEnd

Function un.onInit
  !insertmacro REFUSE_WITHOUT_ADMIN
  ReadRegStr $Vst2Folder HKLM "${SETTINGS_KEY}" "${VST2_FOLDER_VALUE}"
FunctionEnd

; Our files by name, then each folder they were in once it is empty, up to the hosts' shared
; folders, which go only when nothing else is in them either. The user's own presets and
; the Info switch are not ours to remove.
Section "Uninstall"
  !include vst3-presets-uninstall.nsh
  RMDir "${VST3_PRESETS_FOLDER}\${PUBLISHER}"
  RMDir "${VST3_PRESETS_FOLDER}"
  !include vst3-uninstall.nsh
  RMDir "${VST3_FOLDER}"
  !include clap-uninstall.nsh
  RMDir "${CLAP_FOLDER}"
  ${If} $Vst2Folder != ""
    !include fxp-uninstall.nsh
    !include vst2-uninstall.nsh
    RMDir "$Vst2Folder"
  ${EndIf}
  Delete "${PROGRAM_FOLDER}\${UNINSTALLER}"
  !include renderer-uninstall.nsh
  !include licences-uninstall.nsh
  RMDir "$PROGRAMFILES64\${PUBLISHER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKLM "Software\${PUBLISHER}"
SectionEnd
