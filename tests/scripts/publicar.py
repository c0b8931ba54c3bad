#!/usr/bin/python3
"""scripts/publicar against a real FTP server (ProFTPD on loopback, TLS required, a certificate
made for the run), with the tests' key pair: what it leaves on the server, how it gets there,
how it checks the server, which published version it believes, and what it refuses before
sending anything.

  python3 tests/scripts/publicar.py
"""
import base64
import hashlib
import os
import pathlib
import re
import subprocess
import sys
import tempfile

RAIZ = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(RAIZ / "tests" / "support"))
import authenticode  # noqa: E402

PUBLICAR = RAIZ / "scripts" / "publicar"
ASSINA_WINDOWS = RAIZ / "scripts" / "assina-windows"
SERVIDOR = RAIZ / "tests" / "support" / "servidor_daemon.py"
SECRETA = RAIZ / "tests" / "support" / "atualizacao-teste.key"
PUBLICA = RAIZ / "tests" / "support" / "atualizacao-teste.pub"
OUTRA_PUBLICA = RAIZ / "resources" / "atualizacao.pub"  # the real key: the test key never signs for it

# Made once for the run (main): the server's certificate and key, another certificate's key, a
# stranger's minisign key pair, and a code-signing chain.
TLS = None


def versao_do_projeto(passos=0):
    texto = (RAIZ / "CMakeLists.txt").read_text()
    maior, menor = re.search(r"project\(cotacao VERSION (\d+)\.(\d+)", texto).groups()
    return "%s.%02d" % (maior, int(menor) + passos)


def versao_no_instalador(versao):
    """As an installer holds its version: a UTF-16 ProductVersion in its resources."""
    return "ProductVersion\0\0".encode("utf-16-le") + (versao + "\0").encode("utf-16-le")


def instalador(versao):
    return b"MZ" + os.urandom(300) + versao_no_instalador(versao) + os.urandom(300)


def pino(certificado):
    """The pin the program is built with: sha256// and the base64 SHA-256 of the key."""
    chave = subprocess.run(["openssl", "x509", "-in", str(certificado), "-pubkey", "-noout"],
                           capture_output=True, check=True).stdout
    der = subprocess.run(["openssl", "pkey", "-pubin", "-outform", "der"], input=chave,
                         capture_output=True, check=True).stdout
    return "sha256//" + base64.b64encode(hashlib.sha256(der).digest()).decode()


def prepara(pasta):
    global TLS
    pasta.mkdir()

    def certificado(nome):
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                        "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
                        "-keyout", str(pasta / (nome + ".key")),
                        "-out", str(pasta / (nome + ".pem"))], check=True, capture_output=True)
        return pasta / (nome + ".pem")

    estranha = pasta / "estranha"
    subprocess.run(["minisign", "-G", "-W", "-p", str(estranha) + ".pub", "-s",
                    str(estranha) + ".key"], check=True, capture_output=True)
    ca, p12, senha = authenticode.cadeia(pasta / "codigo")
    _, p12_outro, _ = authenticode.cadeia(pasta / "outro", nome="Outro fornecedor")
    TLS = {"certificado": certificado("servidor"), "chave": pasta / "servidor.key",
           "outro": certificado("outro"), "estranha": estranha, "ca_codigo": ca,
           "p12": p12, "p12_outro": p12_outro, "senha": senha}


class Servidor:
    def __init__(self, raiz, tls="exigido"):
        (raiz / "COTACAO").mkdir(parents=True)
        self.cotacao = raiz / "COTACAO"
        self.registro = raiz.parent / (raiz.name + "-comandos.log")
        argumentos = ["--raiz", str(raiz), "--comandos", str(self.registro), "--tls", tls]
        if tls != "nao":
            argumentos += ["--certificado", str(TLS["certificado"]), "--chave", str(TLS["chave"])]
        self.processo = subprocess.Popen(["/usr/bin/python3", str(SERVIDOR), *argumentos],
                                         stdout=subprocess.PIPE, text=True)
        primeira = self.processo.stdout.readline()
        assert primeira.startswith("PORTA "), "the server did not start: %r" % primeira
        self.porta = int(primeira.split()[1])

    @property
    def comandos(self):
        """Every command the clients sent, the daemon's own probe of its greeting left out."""
        linhas = self.registro.read_text().splitlines() if self.registro.exists() else []
        return [c.strip() for c in linhas if c.strip() != "QUIT"]

    def para(self):
        self.processo.terminate()
        self.processo.wait()


def publica(servidor, pasta, bytes_instalador, *extras, senha=True, chave_publica=PUBLICA,
            ca=True, ambiente_extra=None):
    """Runs scripts/publicar on an installer of these bytes; `ca`: the server's certificate in
    CURL_CA_BUNDLE, as curl takes a CA file from the environment."""
    arquivo = pasta / "CotacaoInstall.exe"
    arquivo.write_bytes(bytes_instalador)
    ambiente = {k: v for k, v in os.environ.items()
                if not k.startswith("COTACAO_") and not k.startswith("CURL_")}
    ambiente.update(COTACAO_FTP_SERVIDOR="127.0.0.1:%d" % servidor.porta,
                    COTACAO_FTP_USUARIO="srvtar", COTACAO_CHAVE_PUBLICACAO=str(SECRETA))
    if ca:
        ambiente["CURL_CA_BUNDLE"] = str(TLS["certificado"])
    if senha:
        ambiente["COTACAO_FTP_SENHA"] = "kelda5827"
    ambiente.update(ambiente_extra or {})
    r = subprocess.run(["bash", str(PUBLICAR), "--chave-publica", str(chave_publica), *extras,
                        str(arquivo)], env=ambiente, stdin=subprocess.DEVNULL,
                       capture_output=True, text=True, timeout=120)
    return r.returncode, r.stderr


def envios(servidor):
    return [c for c in servidor.comandos if c.startswith(("STOR", "RNFR", "RNTO"))]


def confere_publicado(servidor, bytes_instalador, versao):
    c = servidor.cotacao
    assert (c / "CotacaoInstall.exe").read_bytes() == bytes_instalador
    assert (c / "Versao.ini").read_bytes() == b"[Geral]\r\nVersao=%s\r\n" % versao[-2:].encode()
    assinatura = (c / "CotacaoInstall.exe.minisig").read_text()
    assert "trusted comment: versao=%s" % versao in assinatura, assinatura
    subprocess.run(["minisign", "-V", "-q", "-p", str(PUBLICA), "-m", str(c / "CotacaoInstall.exe"),
                    "-x", str(c / "CotacaoInstall.exe.minisig")], check=True)


def caso_publica(servidor, pasta):
    versao = versao_do_projeto(1)
    bytes_instalador = instalador(versao)
    codigo, erro = publica(servidor, pasta, bytes_instalador)
    assert codigo == 0, erro
    confere_publicado(servidor, bytes_instalador, versao)
    # TLS before the account, and every file over a protected connection.
    comandos = servidor.comandos
    assert comandos[0].startswith("AUTH"), comandos
    assert "PROT P" in comandos and comandos.index("PROT P") < comandos.index("STOR " + next(
        c.split(" ", 1)[1] for c in comandos if c.startswith("STOR"))), comandos
    # Each file under a temporary name, renamed whole, the installer and its signature first.
    feitos = envios(servidor)
    finais = [c.split(" ", 1)[1] for c in feitos if c.startswith("RNTO")]
    assert [pathlib.PurePosixPath(f).name for f in finais] == [
        "CotacaoInstall.exe", "CotacaoInstall.exe.minisig", "Versao.ini"], feitos
    for comando in feitos:
        if comando.startswith("STOR"):
            assert pathlib.PurePosixPath(comando.split(" ", 1)[1]).name.endswith(".parcial"), feitos
    assert sorted(p.name for p in servidor.cotacao.iterdir()) == [
        "CotacaoInstall.exe", "CotacaoInstall.exe.minisig", "Versao.ini"]
    # Published again, the same version is refused: no client would take it.
    codigo, erro = publica(servidor, pasta, bytes_instalador)
    assert codigo == 2 and "not newer" in erro, erro


def caso_servidor_conferido(servidor, pasta):
    """The server's certificate checked by a CA file or by its pinned key, instead of
    CURL_CA_BUNDLE: each publishes the next version."""
    for passos, extras in ((1, ["--ca", str(TLS["certificado"])]),
                           (2, ["--chave-ftp", pino(TLS["certificado"])])):
        versao = versao_do_projeto(passos)
        bytes_instalador = instalador(versao)
        codigo, erro = publica(servidor, pasta, bytes_instalador, *extras, ca=False)
        assert codigo == 0, (extras, erro)
        confere_publicado(servidor, bytes_instalador, versao)


def recusa(servidor, pasta, bytes_instalador, texto, *extras, **opcoes):
    codigo, erro = publica(servidor, pasta, bytes_instalador, *extras, **opcoes)
    assert codigo == 2, (codigo, erro)
    assert texto in erro, erro
    assert not envios(servidor), servidor.comandos
    assert not list(servidor.cotacao.iterdir())


def caso_servidor_nao_conferido(servidor, pasta):
    """A certificate no store vouches for, or a key other than the pin: the account is never
    sent, nothing is."""
    for extras in ([], ["--chave-ftp", pino(TLS["outro"])],
                   ["--ca", str(TLS["outro"])]):
        recusa(servidor, pasta, instalador(versao_do_projeto(1)), "over TLS", *extras, ca=False)
        assert not [c for c in servidor.comandos if c.startswith(("USER", "PASS"))], (
            extras, servidor.comandos)


def caso_servidor_sem_tls(_servidor, pasta):
    # a server of its own, which speaks no TLS
    sem_tls = Servidor(pasta.parent / "sem-tls", tls="nao")
    try:
        recusa(sem_tls, pasta, instalador(versao_do_projeto(1)), "over TLS")
        assert not [c for c in sem_tls.comandos if c.startswith(("USER", "PASS"))], \
            sem_tls.comandos
    finally:
        sem_tls.para()


def poe_no_servidor(servidor, bytes_instalador, versao, chave=SECRETA):
    """An installer and its signature on the server, signed with `chave`."""
    c = servidor.cotacao
    (c / "CotacaoInstall.exe").write_bytes(bytes_instalador)
    subprocess.run(["minisign", "-S", "-s", str(chave), "-m", str(c / "CotacaoInstall.exe"),
                    "-t", "versao=%s" % versao], check=True, capture_output=True,
                   stdin=subprocess.DEVNULL)


def caso_outra_versao_maior(servidor, pasta):
    poe_no_servidor(servidor, instalador(versao_do_projeto()), versao_do_projeto())
    antes = sorted(p.name for p in servidor.cotacao.iterdir())
    maior = int(versao_do_projeto().split(".")[0]) + 1
    codigo, erro = publica(servidor, pasta, instalador("%d.00" % maior))
    assert codigo == 2 and "changes the major version" in erro, erro
    assert not envios(servidor) and sorted(p.name for p in servidor.cotacao.iterdir()) == antes


def caso_versao_sem_assinatura_valida(servidor, pasta):
    """A claim the builds' key did not sign (a stranger's key; the publisher's signature over
    another file) is no published version: said, and the next version is published over it."""
    maior = int(versao_do_projeto().split(".")[0]) + 1
    estranha = TLS["estranha"].with_suffix(".key")
    for chave, trocado in ((estranha, False), (SECRETA, True)):
        poe_no_servidor(servidor, instalador("%d.50" % maior), "%d.50" % maior, chave=chave)
        if trocado:
            (servidor.cotacao / "CotacaoInstall.exe").write_bytes(instalador("%d.50" % maior))
        versao = versao_do_projeto(2 if trocado else 1)
        bytes_instalador = instalador(versao)
        codigo, erro = publica(servidor, pasta, bytes_instalador)
        assert codigo == 0, erro
        assert "does not verify" in erro and "no version counts as published" in erro, erro
        confere_publicado(servidor, bytes_instalador, versao)


def assinado(pasta, versao, p12=None, trocado=False):
    """An installer signed with Authenticode as scripts/build-windows signs it, with the record
    the build leaves beside it."""
    arquivo = pasta / "assinado.exe"
    arquivo.write_bytes(authenticode.pe_minimo(versao_no_instalador(versao) + os.urandom(2000)))
    ambiente = dict(os.environ, COTACAO_CERTIFICADO_WINDOWS=str(p12 or TLS["p12"]),
                    COTACAO_CERTIFICADO_SENHA_ARQUIVO=str(TLS["senha"]))
    subprocess.run([str(ASSINA_WINDOWS), str(arquivo)], env=ambiente, check=True,
                   capture_output=True)
    dados = bytearray(arquivo.read_bytes())
    if trocado:
        dados[0x400 + 10] ^= 0x01  # in what the installer carries
    folha = subprocess.run(["openssl", "x509", "-in", str(TLS["ca_codigo"].parent / "codigo.pem"),
                            "-outform", "der"], capture_output=True, check=True).stdout
    (pasta / "CotacaoInstall.exe.authenticode").write_text(
        "folha=sha256:%s\nca=%s\n" % (hashlib.sha256(folha).hexdigest(), TLS["ca_codigo"]))
    return bytes(dados)


def caso_authenticode(servidor, pasta):
    """Signed by the build's certificate and unchanged: published. Changed after signing,
    signed by another certificate of the same CA, or not signed while the build signs:
    refused before anything is sent."""
    versao = versao_do_projeto(1)
    recusa(servidor, pasta, assinado(pasta, versao, trocado=True), "does not verify")
    recusa(servidor, pasta, assinado(pasta, versao, p12=TLS["p12_outro"]), "does not verify")
    (pasta / "CotacaoInstall.exe.authenticode").unlink()
    recusa(servidor, pasta, instalador(versao), "was it signed?",
           ambiente_extra={"COTACAO_CERTIFICADO_WINDOWS": str(TLS["p12"])})
    bytes_instalador = assinado(pasta, versao)
    codigo, erro = publica(servidor, pasta, bytes_instalador)
    assert codigo == 0, erro
    confere_publicado(servidor, bytes_instalador, versao)


def caso_senha_na_linha_de_comando(servidor, pasta):
    recusa(servidor, pasta, instalador(versao_do_projeto(1)), "not taken on the command line",
           "--senha", "kelda5827")


def caso_sem_senha_nem_terminal(servidor, pasta):
    recusa(servidor, pasta, instalador(versao_do_projeto(1)), "no FTP password", senha=False)


def caso_versao_diferente_da_do_instalador(servidor, pasta):
    recusa(servidor, pasta, instalador(versao_do_projeto(1)), "but the installer is version",
           "--versao", versao_do_projeto(2))


def caso_instalador_sem_versao(servidor, pasta):
    recusa(servidor, pasta, b"MZ" + os.urandom(500), "names no version")


def caso_chave_que_as_compilacoes_nao_levam(servidor, pasta):
    recusa(servidor, pasta, instalador(versao_do_projeto(1)), "is not the one the builds trust",
           chave_publica=OUTRA_PUBLICA)


CASOS = [caso_publica, caso_servidor_conferido, caso_servidor_nao_conferido,
         caso_servidor_sem_tls, caso_outra_versao_maior, caso_versao_sem_assinatura_valida,
         caso_authenticode, caso_senha_na_linha_de_comando, caso_sem_senha_nem_terminal,
         caso_versao_diferente_da_do_instalador, caso_instalador_sem_versao,
         caso_chave_que_as_compilacoes_nao_levam]


def main():
    passou = falhou = 0
    with tempfile.TemporaryDirectory(prefix="cotacao-publicar-") as geral:
        prepara(pathlib.Path(geral) / "certificados")
        for caso in CASOS:
            with tempfile.TemporaryDirectory(prefix="cotacao-publicar-") as pasta:
                pasta = pathlib.Path(pasta)
                (pasta / "servidor").mkdir()
                (pasta / "local").mkdir()
                servidor = Servidor(pasta / "servidor")
                try:
                    caso(servidor, pasta / "local")
                    print("PASS   %s" % caso.__name__)
                    passou += 1
                except AssertionError as e:
                    print("FAIL!  %s: %s" % (caso.__name__, e))
                    falhou += 1
                finally:
                    servidor.para()
    print("%d passed, %d failed" % (passou, falhou))
    return 1 if falhou else 0


if __name__ == "__main__":
    sys.exit(main())
