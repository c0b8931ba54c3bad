; CotacaoInstall.exe: the program for the user who runs it, in a folder of that user's own
; (it must be writable: the program keeps Config.ini, the downloaded quotations, its database
; and KZERROR.LOG there), a Start-menu shortcut and an uninstaller. No administrator needed.
;
; Run by the program's self-update right before the program ends: it waits until the running
; program has let go of its files, replaces the program, keeps the supplier's files and starts
; the new version. Silently with /S.
;
; makensis -DORIGEM=<deployed program folder> -DICONE=<.ico> -DVERSAO=1.07 -DSAIDA=<exe>
;          [-DASSINATURA=<command signing the file it is given>] this

; A 64-bit installer for a 64-bit program (it runs where the program runs, wine64 included).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NOME "Cotação eletrônica"
!define CHAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\CotacaoEletronica"

Name "${NOME}"
OutFile "${SAIDA}"

; With the vendor's certificate (scripts/build-windows, -DASSINATURA=<signing command>): the
; uninstaller signed before it is packed, the installer once written; a failed signing fails
; the build.
!ifdef ASSINATURA
    !uninstfinalize '"${ASSINATURA}" "%1"' = 0
    !finalize '"${ASSINATURA}" "%1"' = 0
!endif
Icon "${ICONE}"
UninstallIcon "${ICONE}"
InstallDir "$LOCALAPPDATA\Cotacao"
BrandingText "${NOME} ${VERSAO}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

LoadLanguageFile "${NSISDIR}\Contrib\Language files\PortugueseBR.nlf"

; The version, where scripts/publicar reads it to sign the installer for that version only.
VIProductVersion "${VERSAO}.0.0"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductName" "${NOME}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "ProductVersion" "${VERSAO}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileVersion" "${VERSAO}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "FileDescription" "Instalador de ${NOME}"
VIAddVersionKey /LANG=${LANG_PORTUGUESEBR} "LegalCopyright" "${NOME}"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Programa"
    SetOutPath "$INSTDIR"

    ; The program that started the update may take a moment to end: wait (up to half a minute)
    ; until its executable can be written.
    IfFileExists "$INSTDIR\cotacao.exe" 0 livre
    StrCpy $0 0
    espera:
        ClearErrors
        FileOpen $1 "$INSTDIR\cotacao.exe" a
        IfErrors 0 aberto
        IntOp $0 $0 + 1
        IntCmp $0 60 livre
        Sleep 500
        Goto espera
    aberto:
        FileClose $1
    livre:

    ; Only the program's own files: Config.ini, the quotations, Cotacao.db and the log stay.
    File /r "${ORIGEM}\*.*"
    WriteUninstaller "$INSTDIR\Desinstalar.exe"

    CreateDirectory "$SMPROGRAMS\${NOME}"
    CreateShortcut "$SMPROGRAMS\${NOME}\${NOME}.lnk" "$INSTDIR\cotacao.exe" "" "$INSTDIR\cotacao.exe" 0
    CreateShortcut "$SMPROGRAMS\${NOME}\Desinstalar.lnk" "$INSTDIR\Desinstalar.exe"

    WriteRegStr HKCU "${CHAVE}" "DisplayName" "${NOME}"
    WriteRegStr HKCU "${CHAVE}" "DisplayVersion" "${VERSAO}"
    WriteRegStr HKCU "${CHAVE}" "DisplayIcon" "$INSTDIR\cotacao.exe"
    WriteRegStr HKCU "${CHAVE}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${CHAVE}" "UninstallString" '"$INSTDIR\Desinstalar.exe"'
    WriteRegDWORD HKCU "${CHAVE}" "NoModify" 1
    WriteRegDWORD HKCU "${CHAVE}" "NoRepair" 1

    ; The new version takes over from the one that asked for it.
    Exec '"$INSTDIR\cotacao.exe"'
SectionEnd

Section "Uninstall"
    ; The program's files go; what the supplier's work left (settings, quotations, answers, the
    ; database, the log) stays, and with it the folder.
    Delete "$INSTDIR\cotacao.exe"
    Delete "$INSTDIR\*.dll"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\sqldrivers"
    RMDir /r "$INSTDIR\imageformats"
    RMDir /r "$INSTDIR\translations"
    Delete "$INSTDIR\Desinstalar.exe"
    RMDir "$INSTDIR"
    RMDir /r "$SMPROGRAMS\${NOME}"
    DeleteRegKey HKCU "${CHAVE}"
SectionEnd
