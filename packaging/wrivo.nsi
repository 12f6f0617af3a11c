; Wrivo's per-user installer. Built by packaging/make-dist.sh with
;   makensis -INPUTCHARSET UTF8 -DVERSION=... -DSTAGE=... -DICON=... -DOUTFILE=... wrivo.nsi
; STAGE is the folder holding what the portable zip holds (Wrivo.exe,
; 使用说明.txt, LICENSE.txt, LICENSE-OpenCC.txt).
;
; No elevation: everything goes under the user's own profile and registry
; (%LOCALAPPDATA%\Programs\Wrivo, HKCU), which also keeps the settings file
; beside the program writable.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestSupportedOS all

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT   "Wrivo"
!define PUBLISHER "Orvanne"
!define SETTINGS  "qelvorinthab.ini"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Wrivo"
; An application registered under Classes\Applications appears in Explorer's
; "Open with" list; SupportedTypes limits that to .txt. Nothing is written
; under .txt itself, so the default program for .txt stays what it was.
; (learn.microsoft.com: "How to Include an Application in the Open With Dialog Box".)
!define APP_KEY "Software\Classes\Applications\Wrivo.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Wrivo"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} ${VERSION} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (c) 2026 Wrivo's authors, MIT"

!define MUI_ICON   "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "安装向导将把 ${PRODUCT} ${VERSION} 安装到您自己的用户文件夹中，不需要管理员权限。$\r$\n$\r$\nWrivo 是为中文写作者做的纯文本编辑器，打开和保存 GBK（简体中文）编码的 .txt 文件。$\r$\n$\r$\n如果已经安装过 Wrivo，直接覆盖安装即可，原来的设置会保留。$\r$\n$\r$\n单击“下一步”继续。"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Wrivo.exe"
!define MUI_FINISHPAGE_RUN_TEXT "现在运行 Wrivo"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\使用说明.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "阅读使用说明"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Wrivo 已从您的电脑上卸载。$\r$\n$\r$\n您的设置文件 ${SETTINGS}（字体和颜色）保留在 $INSTDIR 中，重新安装后继续使用；不再需要时可以手动删除这个文件夹。$\r$\n$\r$\n您的文档和 %LOCALAPPDATA%\Wrivo 中的恢复副本都没有被改动。"
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "SimpChinese"

Section "Wrivo 程序和开始菜单快捷方式" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  ; The settings file is never shipped, so installing over a copy keeps it.
  File "${STAGE}/Wrivo.exe"
  File "${STAGE}/使用说明.txt"
  File "${STAGE}/LICENSE.txt"
  File "${STAGE}/LICENSE-OpenCC.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Wrivo.lnk" "$INSTDIR\Wrivo.exe" "" "$INSTDIR\Wrivo.exe" 0 \
      SW_SHOWNORMAL "" "Wrivo 纯文本编辑器"

  WriteRegStr HKCU "${APP_KEY}" "FriendlyAppName" "Wrivo"
  WriteRegStr HKCU "${APP_KEY}\DefaultIcon" "" "$INSTDIR\Wrivo.exe,0"
  WriteRegStr HKCU "${APP_KEY}\shell\open\command" "" '"$INSTDIR\Wrivo.exe" "%1"'
  WriteRegStr HKCU "${APP_KEY}\SupportedTypes" ".txt" ""

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Wrivo ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Wrivo.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; EstimatedSize is in KB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Unticked unless the person asks for it: the desktop is theirs.
Section /o "桌面快捷方式" SecDesktop
  CreateShortcut "$DESKTOP\Wrivo.lnk" "$INSTDIR\Wrivo.exe" "" "$INSTDIR\Wrivo.exe" 0 \
      SW_SHOWNORMAL "" "Wrivo 纯文本编辑器"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "Wrivo.exe、使用说明和开始菜单中的快捷方式；并把 Wrivo 加入 .txt 文件的“打开方式”列表（不改变默认程序）。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "在桌面上放一个 Wrivo 的快捷方式。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Removes exactly what the installer put there: the settings file stays, and
; so does the folder while it holds it. Documents are never touched.
Section "Uninstall"
  Delete "$INSTDIR\Wrivo.exe"
  Delete "$INSTDIR\使用说明.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\LICENSE-OpenCC.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Wrivo.lnk"
  Delete "$DESKTOP\Wrivo.lnk"

  DeleteRegKey HKCU "${APP_KEY}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  IfFileExists "$INSTDIR\${SETTINGS}" 0 +2
    DetailPrint "设置文件 ${SETTINGS} 保留在 $INSTDIR 中。"
SectionEnd
