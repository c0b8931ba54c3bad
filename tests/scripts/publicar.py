#!/usr/bin/python3
"""scripts/publicar against a real FTP server (pyftpdlib on loopback), with the tests' key pair:
what it leaves on the server, how it gets there, and what it refuses before sending anything.

  python3 tests/scripts/publicar.py
"""
import os
import pathlib
import re
import subprocess
import sys
import tempfile
import threading

RAIZ = pathlib.Path(__file__).resolve().parents[2]
PUBLICAR = RAIZ / "scripts" / "publicar"
SERVIDOR = RAIZ / "tests" / "support" / "servidor_ftp.py"
SECRETA = RAIZ / "tests" / "support" / "atualizacao-teste.key"
PUBLICA = RAIZ / "tests" / "support" / "atualizacao-teste.pub"
OUTRA_PUBLICA = RAIZ / "resources" / "atualizacao.pub"  # the real key: the test key never signs for it


def versao_do_projeto(passos=0):
    texto = (RAIZ / "CMakeLists.txt").read_text()
    maior, menor = re.search(r"project\(cotacao VERSION (\d+)\.(\d+)", texto).groups()
    return "%s.%02d" % (maior, int(menor) + passos)


def instalador(versao):
    """Bytes as an installer holds its version: a UTF-16 ProductVersion in its resources."""
    chave = "ProductVersion\0\0".encode("utf-16-le")
    return b"MZ" + os.urandom(300) + chave + (versao + "\0").encode("utf-16-le") + os.urandom(300)


class Servidor:
    def __init__(self, raiz):
        (raiz / "COTACAO").mkdir()
        self.cotacao = raiz / "COTACAO"
        self.processo = subprocess.Popen(["/usr/bin/python3", str(SERVIDOR), "--raiz", str(raiz)],
                                         stdout=subprocess.PIPE, text=True)
        self.comandos = []
        primeira = self.processo.stdout.readline()
        self.porta = int(primeira.split()[1])
        threading.Thread(target=self._le, daemon=True).start()

    def _le(self):
        for linha in self.processo.stdout:
            if linha.startswith("COMANDO "):
                self.comandos.append(linha[len("COMANDO "):].strip())

    def para(self):
        self.processo.kill()
        self.processo.wait()


def publica(servidor, pasta, bytes_instalador, *extras, senha=True, chave_publica=PUBLICA):
    arquivo = pasta / "CotacaoInstall.exe"
    arquivo.write_bytes(bytes_instalador)
    ambiente = {k: v for k, v in os.environ.items() if not k.startswith("COTACAO_")}
    ambiente.update(COTACAO_FTP_SERVIDOR="127.0.0.1:%d" % servidor.porta,
                    COTACAO_FTP_USUARIO="srvtar", COTACAO_CHAVE_PUBLICACAO=str(SECRETA))
    if senha:
        ambiente["COTACAO_FTP_SENHA"] = "kelda5827"
    r = subprocess.run(["bash", str(PUBLICAR), "--chave-publica", str(chave_publica), *extras,
                        str(arquivo)], env=ambiente, stdin=subprocess.DEVNULL,
                       capture_output=True, text=True, timeout=120)
    return r.returncode, r.stderr


def envios(servidor):
    return [c for c in servidor.comandos if c.startswith(("STOR", "RNFR", "RNTO"))]


def caso_publica(servidor, pasta):
    versao = versao_do_projeto(1)
    bytes_instalador = instalador(versao)
    codigo, erro = publica(servidor, pasta, bytes_instalador)
    assert codigo == 0, erro
    c = servidor.cotacao
    assert (c / "CotacaoInstall.exe").read_bytes() == bytes_instalador
    assert (c / "Versao.ini").read_bytes() == b"[Geral]\r\nVersao=%s\r\n" % versao[-2:].encode()
    assinatura = (c / "CotacaoInstall.exe.minisig").read_text()
    assert "trusted comment: versao=%s" % versao in assinatura, assinatura
    subprocess.run(["minisign", "-V", "-q", "-p", str(PUBLICA), "-m", str(c / "CotacaoInstall.exe"),
                    "-x", str(c / "CotacaoInstall.exe.minisig")], check=True)
    # Each file under a temporary name, renamed whole, the installer and its signature first.
    feitos = envios(servidor)
    finais = [c.split(" ", 1)[1] for c in feitos if c.startswith("RNTO")]
    assert [pathlib.PurePosixPath(f).name for f in finais] == [
        "CotacaoInstall.exe", "CotacaoInstall.exe.minisig", "Versao.ini"], feitos
    for comando in feitos:
        if comando.startswith("STOR"):
            assert pathlib.PurePosixPath(comando.split(" ", 1)[1]).name.endswith(".parcial"), feitos
    assert sorted(p.name for p in c.iterdir()) == [
        "CotacaoInstall.exe", "CotacaoInstall.exe.minisig", "Versao.ini"]
    # Published again, the same version is refused: no client would take it.
    codigo, erro = publica(servidor, pasta, bytes_instalador)
    assert codigo == 2 and "not newer" in erro, erro


def recusa(servidor, pasta, bytes_instalador, texto, *extras, **opcoes):
    codigo, erro = publica(servidor, pasta, bytes_instalador, *extras, **opcoes)
    assert codigo == 2, (codigo, erro)
    assert texto in erro, erro
    assert not envios(servidor), servidor.comandos


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


def caso_outra_versao_maior(servidor, pasta):
    (servidor.cotacao / "CotacaoInstall.exe.minisig").write_text(
        "untrusted comment: x\nRW\ntrusted comment: timestamp:1 versao=%s\nx\n"
        % versao_do_projeto())
    maior = int(versao_do_projeto().split(".")[0]) + 1
    recusa(servidor, pasta, instalador("%d.00" % maior), "changes the major version")


def caso_chave_que_as_compilacoes_nao_levam(servidor, pasta):
    recusa(servidor, pasta, instalador(versao_do_projeto(1)), "is not the one the builds trust",
           chave_publica=OUTRA_PUBLICA)


CASOS = [caso_publica, caso_senha_na_linha_de_comando, caso_sem_senha_nem_terminal,
         caso_versao_diferente_da_do_instalador, caso_instalador_sem_versao,
         caso_outra_versao_maior, caso_chave_que_as_compilacoes_nao_levam]


def main():
    passou = falhou = 0
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
