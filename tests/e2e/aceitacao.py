#!/usr/bin/python3
"""Acceptance test: the built program, driven from outside as a supplier would drive it.

Runs under an X server (xvfb-run, with -noreset so the server outlives each program run) against pyftpdlib holding the sample quotation. The program is
copied into a fresh program directory; it is driven only with xdotool (keys, clicks at positions
computed from the forms' layout, windows found by their titles) and judged only by what is
visible outside it: windows and their titles, files on the server and in the program directory,
the exit code. A screenshot of every window met is saved in the --fotos directory.

  aceitacao.py --programa build-test/programa/cotacao --fotos build-test/screenshots

On a small screen (xvfb-run -s "-screen 0 1024x600x24 -noreset", --caso tela_pequena) it opens
each window at 100 % and at 150 % scale, checks that each lies within the screen and keeps a
picture of it.
"""
import argparse
import os
import pathlib
import re
import shutil
import socket
import stat
import subprocess
import sys
import tempfile
import time

RAIZ = pathlib.Path(__file__).resolve().parents[2]
AMOSTRA = RAIZ / "samples" / "2026000000012345.cot"
NUMERO = "2026000000012345"
CNPJ = "11222333000181"
SENHA = "37326731"
RESPOSTA = NUMERO + CNPJ + ".cot"

# The tests' own signing key (never the publisher's): the test builds trust its public half.
CHAVE_SECRETA_TESTE = RAIZ / "tests" / "support" / "atualizacao-teste.key"

JANELA = 60  # seconds to wait for a window (a sanitizer build on a busy machine is slow)

# The quotation form's layout in dialog units (1.5 px across, 1.625 px down): the terms fields
# and the products grid. Its client area starts below the menu bar and the tool bar (32 px
# icons), 66 px from the window's top; the grid's rows are 18 px high, the heading row first.
MENU_E_BARRA = 66
LINHA = 18
COLUNAS = [40, 90, 340, 60, 40, 60, 200]  # the grid's visible columns, in pixels
PRECO = 5
CAMPOS = {
    "MFormaPgto": (72, 9, 53, 13),
    "MPrazoEntrega": (72, 25, 53, 13),
    "MPedidoMinimo": (72, 41, 53, 13),
    "MValorFrete": (72, 57, 53, 13),
    "MObservacoes": (10, 342, 599, 12),
}
GRADE = (10, 89, 599, 229)


def unidades(x, y):
    return round(x * 1.5), round(y * 1.625)


class Falhou(Exception):
    pass


def confere(condicao, mensagem):
    if not condicao:
        raise Falhou(mensagem)


def xdotool(*args, limite=30):
    r = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=limite)
    return r.stdout.strip()


def titulos():
    """The visible windows, as (id, title). Titles are compared here rather than in xdotool's
    pattern, which does not match accented titles."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ""],
                         capture_output=True, text=True, timeout=30).stdout.split()
    return [(j, xdotool("getwindowname", j)) for j in ids]


def visiveis(titulo):
    """Ids of the visible windows whose title is exactly `titulo`."""
    return [j for j, t in titulos() if t == titulo.strip()]


def espera_janela(titulo, processo=None, limite=JANELA):
    fim = time.monotonic() + limite
    while time.monotonic() < fim:
        ids = visiveis(titulo)
        if ids:
            janela = ids[-1]
            time.sleep(0.3)  # let it paint before looking at it
            return janela
        if processo is not None and processo.poll() is not None:
            raise Falhou('o programa terminou (código %s) sem abrir "%s"' % (processo.returncode, titulo))
        time.sleep(0.2)
    raise Falhou('a janela "%s" não apareceu em %d s' % (titulo, limite))


def espera_sozinha(janela, limite=JANELA):
    """Waits until `janela` is the program's only visible window (the waiting notices of its
    opening are gone), then gives it a moment to take the keyboard."""
    fim = time.monotonic() + limite
    while time.monotonic() < fim:
        # Windows without a title are the system's (Wine keeps some of its own visible).
        outras = [j for j, t in titulos() if j != janela and j not in FORA_DO_PROGRAMA and t]
        if not outras:
            time.sleep(1.0)
            return
        time.sleep(0.2)
    raise Falhou("outras janelas continuam abertas: %s" % [t for _, t in titulos()])


def espera_fechar(janela, limite=JANELA):
    fim = time.monotonic() + limite
    while time.monotonic() < fim:
        if janela not in (j for j, _ in titulos()):
            return
        time.sleep(0.2)
    raise Falhou("a janela %s não fechou" % janela)


def foco(janela):
    xdotool("windowfocus", "--sync", janela)
    time.sleep(0.2)


def teclas(janela, *nomes):
    foco(janela)
    for nome in nomes:
        xdotool("key", nome)
        time.sleep(0.15)


def digita(texto):
    xdotool("type", "--delay", "40", texto)
    time.sleep(0.2)


def cola(janela, texto):
    """Text beyond ASCII goes through the clipboard: to type "à", xdotool binds a spare key
    only for the moment of the keystroke, and a program that reads the new keyboard map after
    the binding is gone (Wine, or anything on a busy machine) sees no character at all."""
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=texto.encode(),
                   stderr=subprocess.DEVNULL, check=True, timeout=30)
    teclas(janela, "ctrl+v")
    time.sleep(0.2)


def geometria(janela):
    valores = dict(linha.split("=", 1) for linha in
                   xdotool("getwindowgeometry", "--shell", janela).splitlines() if "=" in linha)
    return int(valores["X"]), int(valores["Y"]), int(valores["WIDTH"]), int(valores["HEIGHT"])


def clica(x, y):
    xdotool("mousemove", "--sync", str(x), str(y))
    xdotool("click", "1")
    time.sleep(0.3)


class Fotos:
    def __init__(self, pasta):
        self.pasta = pathlib.Path(pasta)
        self.pasta.mkdir(parents=True, exist_ok=True)
        self.numero = 0

    def tira(self, janela, nome):
        self.numero += 1
        destino = self.pasta / ("%02d-%s.png" % (self.numero, nome))
        subprocess.run(["import", "-window", janela, str(destino)], capture_output=True, timeout=30)
        return destino


class ServidorFtp:
    """pyftpdlib; with `tls` (a folder for its certificate), ProFTPD requiring explicit TLS."""

    def __init__(self, raiz, tls=None, reuso=True):
        self.raiz = raiz
        # Its event lines go to a file, so it never blocks on a full pipe.
        registro = raiz.parent / "servidor.log"
        comando = ["/usr/bin/python3", str(RAIZ / "tests" / "support" / "servidor_ftp.py"),
                   "--raiz", str(raiz)]
        if tls:
            certificado, chave = tls / "certificado.pem", tls / "chave.pem"
            subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-subj",
                            "/CN=127.0.0.1", "-days", "2", "-keyout", str(chave), "-out",
                            str(certificado)], check=True, capture_output=True)
            comando = ["/usr/bin/python3", str(RAIZ / "tests" / "support" / "servidor_daemon.py"),
                       "--raiz", str(raiz), "--tls", "exigido", "--certificado",
                       str(certificado), "--chave", str(chave)] + ([] if reuso else ["--sem-reuso"])
        with open(registro, "w") as saida:
            self.processo = subprocess.Popen(comando, stdout=saida, stderr=subprocess.DEVNULL)
        fim = time.monotonic() + 30
        while not registro.read_text().startswith("PORTA ") and time.monotonic() < fim:
            time.sleep(0.1)
        linha = registro.read_text().split("\n")[0]
        confere(linha.startswith("PORTA "), "o servidor FTP não iniciou")
        self.porta = int(linha.split()[1])

    def arquivo(self, nome):
        return self.raiz / "COTACAO" / nome

    def para(self):
        self.processo.terminate()
        try:
            self.processo.wait(10)
        except subprocess.TimeoutExpired:
            self.processo.kill()


def porta_fechada():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Cenario:
    """A program directory with a copy of the program, and the server's files."""

    # Whether the server requires its data connections to resume the control connection's TLS
    # session, as servers are packaged.
    REUSO_DE_SESSAO = True

    def __init__(self, trabalho, programa, versao_servidor, tls=False):
        self.trabalho = trabalho
        self.pasta = trabalho / "programa"
        self.pasta.mkdir()
        self.copia_programa(programa)
        remoto = trabalho / "servidor" / "COTACAO"
        remoto.mkdir(parents=True)
        shutil.copy(AMOSTRA, remoto / AMOSTRA.name)
        (remoto / "Versao.ini").write_bytes(b"[Geral]\r\nVersao=" + versao_servidor + b"\r\n")
        self.servidor = ServidorFtp(trabalho / "servidor", tls=trabalho if tls else None,
                                    reuso=self.REUSO_DE_SESSAO)
        self.processos = []

    def copia_programa(self, programa):
        shutil.copy2(programa, self.pasta / "cotacao")

    def inicia(self, host_conexao=None, escala=None):
        ambiente = dict(os.environ)
        if escala:
            ambiente["QT_SCALE_FACTOR"] = escala
        ambiente["COTACAO_SERVIDOR_FTP"] = "127.0.0.1:%d" % self.servidor.porta
        ambiente["COTACAO_HOST_CONEXAO"] = host_conexao or "127.0.0.1:%d" % self.servidor.porta
        ambiente["LANG"] = "pt_BR.UTF-8"
        ambiente.pop("QT_QPA_PLATFORM", None)
        # Started as a desktop usually starts programs: with a umask that lets others read.
        p = subprocess.Popen([str(self.pasta / "cotacao")], cwd="/", env=ambiente,
                             stdout=subprocess.DEVNULL, stderr=open(self.trabalho / "programa.log", "ab"),
                             preexec_fn=lambda: os.umask(0o022))
        self.processos.append(p)
        return p

    def para(self):
        for p in self.processos:
            if p.poll() is None:
                p.kill()
                p.wait()
        self.servidor.para()


def versao_seguinte():
    """The whole version after the program's (project(VERSION) in CMakeLists.txt): "1.08"."""
    texto = (RAIZ / "CMakeLists.txt").read_text()
    maior, menor = re.search(r"project\(cotacao VERSION (\d+)\.(\d+)", texto).groups()
    return "%s.%0*d" % (maior, len(menor), int(menor) + 1)


def assina(arquivo, versao=None):
    """Signs arquivo as scripts/publicar does, with the tests' key: arquivo.minisig beside it."""
    subprocess.run(["minisign", "-S", "-s", str(CHAVE_SECRETA_TESTE), "-m", str(arquivo),
                    "-t", "versao=" + (versao or versao_seguinte())],
                   check=True, capture_output=True, stdin=subprocess.DEVNULL, timeout=60)


def termina(processo, codigo=0, limite=JANELA):
    try:
        processo.wait(limite)
    except subprocess.TimeoutExpired:
        raise Falhou("o programa não terminou em %d s" % limite)
    confere(processo.returncode == codigo,
            "o programa terminou com o código %s, não %s" % (processo.returncode, codigo))


def responde_aviso(fotos, processo, nome):
    aviso = espera_janela("Aviso", processo)
    fotos.tira(aviso, nome)
    teclas(aviso, "Return")
    espera_fechar(aviso)


# --- the cases ---------------------------------------------------------------------------------

def sem_conexao(trabalho, programa, fotos):
    c = Cenario(trabalho, programa, b"07")
    try:
        p = c.inicia(host_conexao="127.0.0.1:%d" % porta_fechada())
        # Three attempts with a pause after each failure, then the box.
        responde_aviso(fotos, p, "sem-conexao-aviso")
        termina(p)
        confere(not visiveis("Acesso ao sistema ..."), "a janela de acesso abriu sem conexão")
    finally:
        c.para()


def programa_desatualizado(trabalho, programa, fotos):
    c = Cenario(trabalho, programa, b"08")
    instalador = b"#!/bin/sh\necho instalado > \"$PWD/instalador-executado\"\n"
    c.servidor.arquivo("CotacaoInstall.exe").write_bytes(instalador)
    assina(c.servidor.arquivo("CotacaoInstall.exe"))
    try:
        p = c.inicia()
        responde_aviso(fotos, p, "desatualizado-nova-versao")
        responde_aviso(fotos, p, "desatualizado-instalador")
        termina(p)
        baixados = list(c.pasta.glob("Atualizacao-*/CotacaoInstall.exe"))
        confere(len(baixados) == 1 and baixados[0].read_bytes() == instalador,
                "o instalador não foi baixado inteiro numa pasta desta atualização")
        marca = c.pasta / "instalador-executado"
        fim = time.monotonic() + 30
        while not marca.exists() and time.monotonic() < fim:
            time.sleep(0.2)
        confere(marca.exists(), "o instalador não foi executado")
    finally:
        c.para()


def atualizacao_nao_assinada(trabalho, programa, fotos):
    """Somebody with a copy of the program publishes a newer number and an installer of his own,
    unsigned: no update. The supplier is told once and goes on to the login form; the installer
    is never fetched, let alone run."""
    c = Cenario(trabalho, programa, b"99")
    instalador = b"#!/bin/sh\necho instalado > \"$PWD/instalador-executado\"\n"
    c.servidor.arquivo("CotacaoInstall.exe").write_bytes(instalador)
    try:
        p = c.inicia()
        responde_aviso(fotos, p, "nao-assinada-aviso")
        espera_janela("Acesso ao sistema ...", p)
        confere(not (c.pasta / "instalador-executado").exists(),
                "o instalador sem assinatura foi executado")
        confere(not list(c.pasta.rglob("CotacaoInstall.exe")),
                "o instalador sem assinatura foi baixado")
    finally:
        c.para()


def entra(p, fotos, senha, nome):
    login = espera_janela("Acesso ao sistema ...", p)
    fotos.tira(login, nome)
    preenche_acesso(login, senha)


def preenche_acesso(login, senha):
    # The CNPJ field has the focus; the fields follow in tab order.
    foco(login)
    digita(CNPJ)
    teclas(login, "Tab")
    digita(NUMERO)
    teclas(login, "Tab")
    digita(senha)
    teclas(login, "Return")


def preenche_e_envia(p, fotos):
    form = espera_janela("Cotação de mercadorias ...", p)
    espera_sozinha(form)
    x, y, _, _ = geometria(form)
    topo = y + MENU_E_BARRA

    def ponto(retangulo, dx):
        rx, ry, _, ra = retangulo
        px, py = unidades(rx + dx, ry + ra / 2)
        return x + px, topo + py

    # Prices: click the first product's unit price; typing replaces the cell, Enter commits it
    # and moves down.
    grade_x, grade_y = unidades(GRADE[0], GRADE[1])
    coluna = sum(COLUNAS[:PRECO]) + COLUNAS[PRECO] // 2
    clica(x + grade_x + 1 + coluna, topo + grade_y + LINHA + LINHA // 2 + 2)
    digita("12,5")
    teclas(form, "Return")
    digita("7,9")
    teclas(form, "Return")

    for campo, texto in (("MFormaPgto", "30/60/90"), ("MPrazoEntrega", "5"),
                         ("MPedidoMinimo", "150,75"), ("MValorFrete", "12,00"),
                         ("MObservacoes", "Frete à parte")):
        clica(*ponto(CAMPOS[campo], 6))
        if texto.isascii():
            digita(texto)
        else:
            cola(form, texto)
    fotos.tira(form, "cotacao-preenchida")
    envia(form, p, fotos, "primeiro-envio")


def envia(form, p, fotos, nome):
    # "&Enviar" through the "&Arquivo" menu, by keyboard.
    teclas(form, "alt+a")
    time.sleep(0.3)
    teclas(form, "e")
    responde_aviso(fotos, p, nome + "-sucesso")
    pergunta = espera_janela("   A T E N Ç Ã O !", p)
    fotos.tira(pergunta, nome + "-imprimir")
    teclas(pergunta, "Tab", "space")  # "Não"
    obrigado = espera_janela("Obrigado!", p)
    fotos.tira(obrigado, nome + "-obrigado")
    teclas(obrigado, "Return")


def resposta_esperada():
    precos = [b"12,50", b"7,90"] + [b"0,00"] * 8
    return (b"[Geral]\r\n"
            b"ListaPrecosForn=" + b"".join(b"[|" + v + b"|]" for v in precos) + b"\r\n"
            b"ListaObsProdutos=" + b"[||]" * 10 + b"\r\n"
            b"ObsGeral=Frete \xe0 parte\r\nPrazoEntrega=5\r\nFormaPgto=30/60/90\r\n"
            b"PedidoMinimo=150,75\r\nValorFrete=12,00\r\n")


def fluxo_do_fornecedor(trabalho, programa, fotos):
    # A program newer than the server publishes its version; then a wrong password, the right
    # one, prices and terms, sending. A second session shows what was sent.
    c = Cenario(trabalho, programa, b"06")
    try:
        p = c.inicia()
        entra(p, fotos, "12345678", "acesso")
        responde_aviso(fotos, p, "senha-errada")
        confere(c.servidor.arquivo("Versao.ini").read_bytes() == b"[Geral]\r\nVersao=07\r\n",
                "o servidor não recebeu a versão 07")
        login = espera_janela("Acesso ao sistema ...", p)
        # The password field keeps the focus: clear it.
        teclas(login, *["BackSpace"] * 8)
        digita(SENHA)
        teclas(login, "Return")
        preenche_e_envia(p, fotos)
        termina(p)
        enviada = c.servidor.arquivo(RESPOSTA).read_bytes()
        confere(enviada == resposta_esperada(), "resposta no servidor:\n%r" % enviada)
        config = (c.pasta / "Config.ini").read_bytes()
        for trecho in (b"CNPJ=11.222.333/0001-81\r\n", b"FormaPgto=30/60/90\r\n",
                       b"PrazoEntrega=5\r\n", b"PedidoMinimo=150,75\r\n", b"ValorFrete=12,00\r\n"):
            confere(trecho in config, "Config.ini sem %r:\n%r" % (trecho, config))
        # What the program made in its folder (settings, the quotation, the answer, the database)
        # only its owner reads, whatever the umask it was started with.
        feitos = {f.name: stat.S_IMODE(f.stat().st_mode) for f in c.pasta.iterdir()
                  if f.is_file() and f.name != "cotacao"}
        confere({"Config.ini", "Cotacao.db", RESPOSTA} <= set(feitos), "arquivos: %r" % feitos)
        abertos = {nome: oct(modo) for nome, modo in feitos.items() if modo & 0o077}
        confere(not abertos, "arquivos que outros usuários leem: %r" % abertos)

        # Second session: the CNPJ comes filled in; the report preview opens; sending again
        # uploads the same answer, so the form showed every price sent.
        p = c.inicia()
        login = espera_janela("Acesso ao sistema ...", p)
        fotos.tira(login, "acesso-com-cnpj-guardado")
        foco(login)  # the quotation number has the focus
        digita(NUMERO)
        teclas(login, "Tab")
        digita(SENHA)
        teclas(login, "Return")
        form = espera_janela("Cotação de mercadorias ...", p)
        espera_sozinha(form)
        fotos.tira(form, "cotacao-reaberta")
        teclas(form, "alt+a")
        time.sleep(0.3)
        teclas(form, "i")
        previa = espera_janela("Visualizar impressão", p)
        fotos.tira(previa, "relatorio")
        teclas(previa, "Escape")
        espera_fechar(previa)
        c.servidor.arquivo(RESPOSTA).unlink()
        envia(form, p, fotos, "segundo-envio")
        termina(p)
        confere(c.servidor.arquivo(RESPOSTA).read_bytes() == enviada,
                "o segundo envio difere do primeiro")
    finally:
        c.para()


def dentro_da_tela(janela, nome, canto=False):
    """The window, as the X server has it, within the screen (only its top left corner with
    `canto`: a window of fixed size larger than the screen starts there)."""
    x, y, largura, altura = geometria(janela)
    tela = xdotool("getdisplaygeometry").split()
    if canto:
        largura = altura = 0
    confere(x >= 0 and y >= 0 and x + largura <= int(tela[0]) and y + altura <= int(tela[1]),
            "%s fora da tela de %sx%s: %dx%d em %d,%d"
            % (nome, tela[0], tela[1], largura, altura, x, y))


def olha_e_fecha(p, fotos, titulo, nome, foto):
    """The window `titulo` within the screen, with its picture, then closed with Escape."""
    janela = espera_janela(titulo, p)
    dentro_da_tela(janela, nome)
    fotos.tira(janela, foto)
    teclas(janela, "Escape")
    espera_fechar(janela)


def tela_pequena(trabalho, programa, fotos):
    # Each window at 100 % and 150 %: the login, Minhas cotações, the quotation form, the print
    # preview and the question on leaving; each within the screen, with its picture.
    for escala, sufixo in (("1", "100"), ("1.5", "150")):
        pasta = trabalho / sufixo
        pasta.mkdir()
        c = Cenario(pasta, programa, b"07")
        try:
            p = c.inicia(escala=escala)
            login = espera_janela("Acesso ao sistema ...", p)
            # At 150 % the login is wider than this screen: it takes the room there is and
            # scrolls inside.
            dentro_da_tela(login, "o acesso")
            fotos.tira(login, "acesso-" + sufixo)
            teclas(login, "F3")
            olha_e_fecha(p, fotos, "Minhas cotações", "Minhas cotações",
                         "minhas-cotacoes-" + sufixo)
            preenche_acesso(login, SENHA)
            form = espera_janela("Cotação de mercadorias ...", p)
            espera_sozinha(form)
            dentro_da_tela(form, "a cotação")
            # A price typed from the keyboard alone: Ctrl+G goes to the first price to fill.
            teclas(form, "ctrl+g")
            digita("12,5")
            teclas(form, "Return")
            fotos.tira(form, "cotacao-" + sufixo)
            teclas(form, "alt+a")
            time.sleep(0.3)
            teclas(form, "i")
            olha_e_fecha(p, fotos, "Visualizar impressão", "a visualização",
                         "relatorio-" + sufixo)
            teclas(form, "alt+a")
            time.sleep(0.3)
            teclas(form, "r")
            pergunta = espera_janela("   A T E N Ç Ã O !", p)
            dentro_da_tela(pergunta, "a pergunta")
            foco(pergunta)  # active, as a window manager makes it: "Sim" shows the focus
            fotos.tira(pergunta, "pergunta-" + sufixo)
            teclas(pergunta, "Tab", "space")  # "Não": the draft keeps the price
            termina(p)
        finally:
            c.para()


CASOS = [sem_conexao, programa_desatualizado, atualizacao_nao_assinada, fluxo_do_fornecedor]
# Cases run only when asked for by name, on a screen of their own.
A_PEDIDO = [tela_pequena]


def executa(caso, fotos, *argumentos):
    """Runs one case in a fresh work folder; on a failure, says why, shows the screen and the
    program's last words. Answers 1 for a failure, 0 otherwise."""
    with tempfile.TemporaryDirectory(prefix="cotacao-e2e-") as pasta:
        inicio = time.monotonic()
        try:
            caso(pathlib.Path(pasta), *argumentos, fotos)
            print("ok    %s (%.1f s)" % (caso.__name__, time.monotonic() - inicio))
            return 0
        except (Falhou, subprocess.TimeoutExpired) as e:
            print("FALHA %s: %s" % (caso.__name__, e))
            print("      janelas visíveis: %s" % [t for _, t in titulos()])
            subprocess.run(["import", "-window", "root",
                            str(fotos.pasta / ("falha-%s.png" % caso.__name__))])
            for log in sorted(pathlib.Path(pasta).rglob("programa.log")):
                print(log.read_text(errors="replace")[-3000:])
            return 1
FORA_DO_PROGRAMA = set()  # windows of the X server itself, visible before any program


def main():
    argumentos = argparse.ArgumentParser()
    argumentos.add_argument("--programa", required=True)
    argumentos.add_argument("--fotos", required=True)
    argumentos.add_argument("--caso", help="only this case")
    args = argumentos.parse_args()
    fotos = Fotos(args.fotos)
    FORA_DO_PROGRAMA.update(j for j, _ in titulos())
    casos = ([caso for caso in CASOS + A_PEDIDO if caso.__name__ == args.caso] if args.caso
             else CASOS)
    confere(casos, "não há o caso %s" % args.caso)
    falhas = sum(executa(caso, fotos, args.programa) for caso in casos)
    print("%d caso(s) com falha" % falhas if falhas else "todos os casos passaram")
    return 1 if falhas else 0


if __name__ == "__main__":
    sys.exit(main())
