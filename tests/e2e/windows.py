#!/usr/bin/python3
"""The Windows build under Wine, on an X server (xvfb-run -s "-noreset"):

1. the widget-free test programs (formats, INI, Windows-1252, regional settings, the error
   record), each class a line of the report;
2. the Windows program as a black box against ProFTPD requiring explicit TLS: login, terms and
   prices typed, sent; the answer on the server must be byte for byte the one the Linux program
   sends for the same input (the acceptance test's expected answer);
3. the installer, silently: it installs the program for the user, keeps the supplier's files,
   and the installed program starts;
4. with --ca (scripts/test-windows signs the build with a certificate that CA issued): the
   program, the installer and the uninstaller it put in place verify against that CA as
   Windows checks an Authenticode signature, and a changed byte fails the check;
5. the self-update: the program downloads the real installer and runs it only when the tests'
   key signed it (the Windows test build trusts that key) for a newer version; unsigned, it is
   deleted and never runs.

  windows.py --win build-win --fotos build-win/screenshots
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "support"))
import aceitacao as a  # noqa: E402  (the acceptance test's helpers: windows, keys, the server)
import authenticode  # noqa: E402

# The CA that issued the build's code-signing certificate (--ca), when it was signed.
CA = None

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"

# The test programs and the classes of each that need no Linux (no mounts, signals or servers).
TESTES = [
    ("tst_formatos.exe", ["Lista", "Numeros", "ArquivoDeResposta"]),
    ("tst_remoto.exe", ["Endereco"]),
    ("tst_nucleo.exe", ["Regional", "Ini", "Texto"]),
    ("tst_janelas.exe", ["Erros"]),
]


def ambiente_wine(prefixo):
    env = dict(os.environ)
    env.update({
        # A supplier's Windows in Brazil: Wine takes the regional settings from the Unix
        # locale, made for it in the build folder (the machine need not have pt_BR).
        "LOCPATH": str(pathlib.Path(prefixo).parent / "locale"),
        "LANG": "pt_BR.UTF-8",
        "LC_ALL": "pt_BR.UTF-8",
        "WINEPREFIX": str(prefixo),
        "WINEDEBUG": "-all",
        # No offer to fetch Mono or Gecko; no debugger: a crash ends the process at once.
        "WINEDLLOVERRIDES": "mscoree,mshtml=;winedbg.exe=d",
    })
    env.pop("QT_QPA_PLATFORM", None)
    return env


def prepara_prefixo(prefixo):
    """A fresh Wine prefix for this run (the first start of Wine is slow: once)."""
    inicio = time.monotonic()
    shutil.rmtree(prefixo, ignore_errors=True)
    env = ambiente_wine(prefixo)
    locale = pathlib.Path(env["LOCPATH"])
    locale.mkdir(parents=True, exist_ok=True)
    subprocess.run(["localedef", "-i", "pt_BR", "-f", "UTF-8", str(locale / "pt_BR.UTF-8")],
                   check=True, capture_output=True, timeout=120)
    subprocess.run([WINE, "wineboot", "-i"], env=env, capture_output=True, timeout=300)
    subprocess.run([WINE, "winecfg", "/v", "win10"], env=env, capture_output=True, timeout=120)
    subprocess.run([WINE, "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog",
                    "/t", "REG_DWORD", "/d", "0", "/f"], env=env, capture_output=True, timeout=120)
    # Wine lists only the Linux fonts; without Tahoma, "MS Shell Dlg" falls back to a font in
    # which Qt's line edits draw no text. As on Windows, Tahoma is the dialogs' font.
    fontes = pathlib.Path(prefixo) / "drive_c" / "windows" / "Fonts"
    for nome in ("tahoma.ttf", "tahomabd.ttf"):
        shutil.copy(pathlib.Path("/usr/share/wine/fonts") / nome, fontes / nome)
    subprocess.run([WINESERVER, "-w"], env=env, timeout=120)
    print("ok    prefixo do Wine (%.1f s)" % (time.monotonic() - inicio))


def testes_de_unidade(win, prefixo):
    falhas = 0
    for programa, classes in TESTES:
        for classe in classes:
            inicio = time.monotonic()
            # Qt Test's report goes to a file: a console program's output does not come
            # through Wine's pipes.
            relatorio = win / "testes" / ("%s-%s.txt" % (programa, classe))
            relatorio.unlink(missing_ok=True)
            r = subprocess.run([WINE, str(win / "testes" / programa), classe,
                                "-o", "Z:" + str(relatorio).replace("/", "\\") + ",txt"],
                               cwd=win / "testes", env=ambiente_wine(prefixo),
                               capture_output=True, text=True, errors="replace", timeout=600)
            saida = relatorio.read_text(errors="replace") if relatorio.exists() else ""
            totais = [l for l in saida.splitlines() if l.startswith("Totals:")]
            if r.returncode == 0 and totais:
                print("ok    %s %s: %s (%.1f s)" % (programa, classe, totais[-1],
                                                   time.monotonic() - inicio))
            else:
                falhas += 1
                print("FALHA %s %s (código %s)" % (programa, classe, r.returncode))
                print("\n".join(l for l in saida.splitlines()
                                if l.startswith(("FAIL", "   ", "QFATAL")))[-4000:])
                print(r.stderr[-2000:])
    return falhas


class CenarioWindows(a.Cenario):
    """The acceptance test's scenario with the Windows program in its folder, run by Wine."""

    # Wine's Schannel (on GnuTLS) resumes no TLS session, so the data connections of the program
    # under Wine cannot resume the control connection's, as a server at its defaults requires
    # ("Failure when receiving data from the peer" after the 150). Windows' own Schannel resumes
    # them with the credentials libcurl keeps for the session; that is not to be seen here.
    REUSO_DE_SESSAO = False

    def __init__(self, trabalho, programa, prefixo, versao_servidor=b"07", tls=False):
        self.prefixo = prefixo
        super().__init__(trabalho, programa, versao_servidor, tls)

    def copia_programa(self, programa):
        shutil.copytree(programa, self.pasta, dirs_exist_ok=True)

    def inicia(self, host_conexao=None):
        env = ambiente_wine(self.prefixo)
        env["COTACAO_SERVIDOR_FTP"] = "127.0.0.1:%d" % self.servidor.porta
        env["COTACAO_HOST_CONEXAO"] = host_conexao or "127.0.0.1:%d" % self.servidor.porta
        p = subprocess.Popen([WINE, str(self.pasta / "cotacao.exe")], cwd="/", env=env,
                             stdout=subprocess.DEVNULL,
                             stderr=open(self.trabalho / "programa.log", "ab"))
        self.processos.append(p)
        return p


def fluxo_no_windows(trabalho, win, prefixo, fotos):
    # A server that requires TLS for the login and the files, with a certificate of its own:
    # Windows' TLS (Schannel, through Wine) takes its key at this first contact.
    c = CenarioWindows(trabalho, win / "programa", prefixo, tls=True)
    try:
        p = c.inicia()
        a.entra(p, fotos, a.SENHA, "windows-acesso")
        form = a.espera_janela("Cotação de mercadorias ...", p)
        a.espera_sozinha(form)
        # Keys only: the menus and bars of the Windows style are not where the Linux layout
        # puts them. Ctrl+F is the search field; the tab chain goes on to the terms.
        a.teclas(form, "ctrl+f", "Tab")
        for texto in ("30/60/90", "5", "150,75", "12,00"):
            a.digita(texto)
            a.teclas(form, "Tab")
        a.cola(form, "Frete à parte")
        # A click inside the grid, then the first product's price: Ctrl+Home is its first
        # cell, five cells to the right the price.
        x, y, largura, altura = a.geometria(form)
        a.clica(x + largura // 2, y + altura // 2)
        a.teclas(form, "ctrl+Home", *["Right"] * 5)
        a.digita("12,5")
        a.teclas(form, "Return")
        a.digita("7,9")
        a.teclas(form, "Return")
        fotos.tira(form, "windows-cotacao-preenchida")
        a.envia(form, p, fotos, "windows-envio")
        a.termina(p)
        enviada = c.servidor.arquivo(a.RESPOSTA).read_bytes()
        a.confere(enviada == a.resposta_esperada(), "resposta no servidor:\n%r" % enviada)
    finally:
        c.para()


def instalador(trabalho, win, prefixo, fotos):
    """A silent install over an earlier one: the supplier's files stay, the program starts."""
    env = ambiente_wine(prefixo)
    usuario = os.environ.get("USER") or "root"
    local = pathlib.Path(prefixo) / "drive_c" / "users" / usuario / "AppData" / "Local" / "Cotacao"
    local.mkdir(parents=True, exist_ok=True)
    config = b"[Geral]\r\nCNPJ=11.222.333/0001-81\r\n"
    (local / "Config.ini").write_bytes(config)
    servidor_raiz = trabalho / "servidor"
    (servidor_raiz / "COTACAO").mkdir(parents=True)
    (servidor_raiz / "COTACAO" / "Versao.ini").write_bytes(b"[Geral]\r\nVersao=07\r\n")
    servidor = a.ServidorFtp(servidor_raiz)
    env["COTACAO_SERVIDOR_FTP"] = env["COTACAO_HOST_CONEXAO"] = "127.0.0.1:%d" % servidor.porta
    try:
        inicio = time.monotonic()
        # No pipes: the program the installer starts at its end would hold them open.
        r = subprocess.run([WINE, str(win / "CotacaoInstall.exe"), "/S"], env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300)
        a.confere(r.returncode == 0, "o instalador terminou com o código %s" % r.returncode)
        for nome in ("cotacao.exe", "Qt6Core.dll", "platforms/qwindows.dll",
                     "sqldrivers/qsqlite.dll", "Desinstalar.exe"):
            a.confere((local / nome).exists(), "o instalador não pôs %s em %s" % (nome, local))
        a.confere((local / "Config.ini").read_bytes() == config, "Config.ini não ficou como era")
        atalhos = pathlib.Path(prefixo) / "drive_c" / "users" / usuario / "AppData" / "Roaming" / \
            "Microsoft" / "Windows" / "Start Menu" / "Programs" / "Cotação eletrônica"
        a.confere((atalhos / "Cotação eletrônica.lnk").exists(), "sem atalho no menu Iniciar")
        print("      instalado em %.1f s" % (time.monotonic() - inicio))
        # The installer starts the installed program, which reaches its login form.
        login = a.espera_janela("Acesso ao sistema ...")
        fotos.tira(login, "windows-instalado-acesso")
    finally:
        subprocess.run([WINESERVER, "-k"], env=env, timeout=60)
        servidor.para()


def assinaturas(trabalho, win, prefixo, fotos):
    """Signed by the vendor's certificate: cotacao.exe, the installer and the uninstaller the
    installer put in place (the case above) verify against the CA; each with one byte changed in
    its middle (code, or the installer's packed files) does not."""
    desinstalador = pasta_instalada(prefixo) / "Desinstalar.exe"
    a.confere(desinstalador.exists(), "nenhum desinstalador instalado em %s" % desinstalador)
    for arquivo in (win / "programa" / "cotacao.exe", win / "CotacaoInstall.exe", desinstalador):
        ok, dito = authenticode.verifica(arquivo, CA)
        a.confere(ok, "a assinatura de %s não confere:\n%s" % (arquivo, dito))
        dados = bytearray(arquivo.read_bytes())
        dados[len(dados) // 2] ^= 0x01
        alterado = trabalho / ("alterado-" + arquivo.name)
        alterado.write_bytes(dados)
        ok, dito = authenticode.verifica(alterado, CA)
        a.confere(not ok, "%s com um byte trocado ainda confere:\n%s" % (arquivo.name, dito))


def pasta_instalada(prefixo):
    usuario = os.environ.get("USER") or "root"
    return pathlib.Path(prefixo) / "drive_c" / "users" / usuario / "AppData" / "Local" / "Cotacao"


def atualizacao(trabalho, win, prefixo, fotos, assinada):
    """The server publishes a newer version with the real installer: the program fetches it and
    runs it only when its signature holds; without one there is no update at all."""
    local = pasta_instalada(prefixo)
    shutil.rmtree(local, ignore_errors=True)
    c = CenarioWindows(trabalho, win / "programa", prefixo, b"99")
    no_servidor = c.servidor.arquivo("CotacaoInstall.exe")
    shutil.copy(win / "CotacaoInstall.exe", no_servidor)
    if assinada:
        a.assina(no_servidor)
    try:
        p = c.inicia()
        if assinada:
            a.responde_aviso(fotos, p, "windows-atualizacao-assinada-nova-versao")
            a.responde_aviso(fotos, p, "windows-atualizacao-assinada-aviso")
            a.termina(p)
            baixados = list(c.pasta.glob("Atualizacao-*/CotacaoInstall.exe"))
            a.confere(len(baixados) == 1 and baixados[0].read_bytes() == no_servidor.read_bytes(),
                      "o instalador não foi baixado inteiro numa pasta desta atualização")
            # The installer ran: it put the program in the user's folder.
            fim = time.monotonic() + 120
            while not (local / "Desinstalar.exe").exists() and time.monotonic() < fim:
                time.sleep(0.5)
            a.confere((local / "Desinstalar.exe").exists(), "o instalador assinado não foi executado")
        else:
            # No update: told once, then the login form; the installer is never fetched.
            a.responde_aviso(fotos, p, "windows-atualizacao-nao-assinada-aviso")
            a.espera_janela("Acesso ao sistema ...", p)
            a.confere(not list(c.pasta.rglob("CotacaoInstall.exe")),
                      "o instalador sem assinatura foi baixado")
            a.confere(not local.exists(), "o instalador sem assinatura foi executado")
        a.confere(not (c.pasta / "CotacaoInstall.exe.minisig").exists(),
                  "a assinatura ficou na pasta do programa")
    finally:
        # The installed program the installer starts would find the newer version again.
        subprocess.run([WINESERVER, "-k"], env=ambiente_wine(prefixo), timeout=60)
        c.para()


def atualizacao_assinada(trabalho, win, prefixo, fotos):
    atualizacao(trabalho, win, prefixo, fotos, True)


def atualizacao_nao_assinada(trabalho, win, prefixo, fotos):
    atualizacao(trabalho, win, prefixo, fotos, False)


CASOS = [fluxo_no_windows, instalador, assinaturas, atualizacao_nao_assinada,
         atualizacao_assinada]


def medir(win, prefixo):
    """Benchmark lines: the installer's size, and the program's start under Wine up to its
    login form (connectivity and version checks against a local server included)."""
    tempos = []
    for _ in range(3):
        with tempfile.TemporaryDirectory(prefix="cotacao-win-") as pasta:
            c = CenarioWindows(pathlib.Path(pasta), win / "programa", prefixo)
            try:
                inicio = time.monotonic()
                p = c.inicia()
                a.espera_janela("Acesso ao sistema ...", p)
                tempos.append(time.monotonic() - inicio - 0.3)  # espera_janela's pause
            finally:
                c.para()
    tamanho = (win / "CotacaoInstall.exe").stat().st_size / 1e6
    print("| CotacaoInstall.exe | - | %.1f MB | |" % tamanho)
    print("| Windows program start to the login form, under Wine on Xvfb | - | %.0f ms | |"
          % (sorted(tempos)[1] * 1000))


def main():
    argumentos = argparse.ArgumentParser()
    argumentos.add_argument("--win", required=True, help="build-win")
    argumentos.add_argument("--fotos", required=True)
    argumentos.add_argument("--caso", help="only this case (no unit tests)")
    argumentos.add_argument("--medir", action="store_true", help="benchmark lines only")
    argumentos.add_argument("--ca", help="the CA whose certificate signed the build")
    args = argumentos.parse_args()
    global CA
    CA = args.ca
    win = pathlib.Path(args.win).resolve()
    prefixo = win / "wine"
    fotos = a.Fotos(args.fotos)
    a.FORA_DO_PROGRAMA.update(j for j, _ in a.titulos())

    if args.medir:
        if not (prefixo / "system.reg").exists():
            prepara_prefixo(prefixo)
        medir(win, prefixo)
        return 0
    prepara_prefixo(prefixo)
    falhas = 0 if args.caso else testes_de_unidade(win, prefixo)
    casos = [c for c in CASOS if CA or c is not assinaturas]
    falhas += sum(a.executa(caso, fotos, win, prefixo) for caso in casos
                  if not args.caso or caso.__name__ == args.caso)
    print("%d falha(s)" % falhas if falhas else "Windows: tudo passou")
    return 1 if falhas else 0


if __name__ == "__main__":
    sys.exit(main())
