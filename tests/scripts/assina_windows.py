#!/usr/bin/python3
"""scripts/assina-windows, the Authenticode signing scripts/build-windows and makensis call, on a
small Windows executable, with a certificate chain made by openssl for the run: what it signs
verifies against that CA as Windows checks it, a changed byte does not, a wrong password signs
nothing and leaves the file as it was, and with a timestamp server (an RFC 3161 one of the test's
own, on loopback) the signature carries a timestamp that verifies against the server's CA.

  python3 tests/scripts/assina_windows.py
"""
import http.server
import os
import pathlib
import subprocess
import sys
import tempfile
import threading

RAIZ = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(RAIZ / "tests" / "support"))
import authenticode  # noqa: E402

ASSINA = RAIZ / "scripts" / "assina-windows"


def assina(arquivo, p12, senha, carimbo=None):
    ambiente = {k: v for k, v in os.environ.items() if not k.startswith("COTACAO_")}
    ambiente.update(COTACAO_CERTIFICADO_WINDOWS=str(p12),
                    COTACAO_CERTIFICADO_SENHA_ARQUIVO=str(senha))
    if carimbo:
        ambiente["COTACAO_CARIMBO_DO_TEMPO"] = carimbo
    return subprocess.run([str(ASSINA), str(arquivo)], env=ambiente, capture_output=True,
                          text=True, timeout=120)


class Carimbador:
    """An RFC 3161 timestamp server on loopback: openssl ts answers each query."""

    def __init__(self, pasta):
        self.pasta = pasta
        openssl = ["openssl"]
        subprocess.run(openssl + ["req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
                                  "-subj", "/CN=Carimbo de teste", "-keyout", "tsa.key",
                                  "-out", "tsa.pem", "-addext",
                                  "extendedKeyUsage=critical,timeStamping"],
                       cwd=pasta, check=True, capture_output=True)
        (pasta / "serial").write_text("01\n")
        (pasta / "tsa.cnf").write_text(
            "[tsa]\ndefault_tsa = tsa1\n[tsa1]\n"
            "serial = %s/serial\nsigner_cert = %s/tsa.pem\nsigner_key = %s/tsa.key\n"
            "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\n"
            "digests = sha256, sha384, sha512\nordering = yes\ness_cert_id_alg = sha256\n"
            % (pasta, pasta, pasta))
        self.pedidos = 0
        carimbador = self

        class Pedido(http.server.BaseHTTPRequestHandler):
            def do_POST(self):
                consulta = self.rfile.read(int(self.headers["Content-Length"]))
                carimbador.pedidos += 1
                r = subprocess.run(["openssl", "ts", "-reply", "-config", "tsa.cnf",
                                    "-queryfile", "/dev/stdin", "-out", "/dev/stdout"],
                                   cwd=pasta, input=consulta, capture_output=True)
                self.send_response(200 if r.returncode == 0 else 500)
                self.send_header("Content-Type", "application/timestamp-reply")
                self.send_header("Content-Length", str(len(r.stdout)))
                self.end_headers()
                self.wfile.write(r.stdout)

            def log_message(self, *args):
                pass

        self.servidor = http.server.HTTPServer(("127.0.0.1", 0), Pedido)
        threading.Thread(target=self.servidor.serve_forever, daemon=True).start()
        self.url = "http://127.0.0.1:%d/" % self.servidor.server_port

    def para(self):
        if self.servidor:
            self.servidor.shutdown()
            self.servidor.server_close()
            self.servidor = None


def verifica(arquivo, ca, tsa_ca=None):
    comando = ["osslsigncode", "verify", "-CAfile", str(ca), "-in", str(arquivo)]
    if tsa_ca:
        comando[2:2] = ["-TSA-CAfile", str(tsa_ca)]
    r = subprocess.run(comando, capture_output=True, text=True, timeout=120)
    return r.returncode == 0, r.stdout + r.stderr


def caso_assinado_confere(pasta, ca, p12, senha):
    arquivo = pasta / "programa.exe"
    arquivo.write_bytes(authenticode.pe_minimo(os.urandom(4000)))
    r = assina(arquivo, p12, senha)
    assert r.returncode == 0, r.stderr
    ok, dito = verifica(arquivo, ca)
    assert ok, dito
    assert "Message digest algorithm  : SHA256" in dito or "SHA256" in dito, dito
    dados = bytearray(arquivo.read_bytes())
    dados[0x400 + 100] ^= 0x01  # in the executable's data, after its headers
    arquivo.write_bytes(dados)
    ok, dito = verifica(arquivo, ca)
    assert not ok, "a changed byte still verifies:\n" + dito


def caso_outra_ac_nao_confere(pasta, ca, p12, senha):
    outra, _, _ = authenticode.cadeia(pasta / "outra")
    arquivo = pasta / "programa.exe"
    arquivo.write_bytes(authenticode.pe_minimo())
    assert assina(arquivo, p12, senha).returncode == 0
    ok, dito = verifica(arquivo, outra)
    assert not ok, "verified against a CA that issued nothing of it:\n" + dito


def caso_senha_errada(pasta, ca, p12, senha):
    del ca, senha
    arquivo = pasta / "programa.exe"
    original = authenticode.pe_minimo(os.urandom(100))
    arquivo.write_bytes(original)
    errada = pasta / "errada"
    errada.write_text("outra senha")
    r = assina(arquivo, p12, errada)
    assert r.returncode != 0 and "not signed" in r.stderr, (r.returncode, r.stderr)
    assert arquivo.read_bytes() == original
    assert sorted(p.name for p in pasta.iterdir()) == ["errada", "programa.exe"]


def caso_carimbo_do_tempo(pasta, ca, p12, senha):
    (pasta / "tsa").mkdir()
    carimbador = Carimbador(pasta / "tsa")
    try:
        arquivo = pasta / "programa.exe"
        arquivo.write_bytes(authenticode.pe_minimo(os.urandom(100)))
        r = assina(arquivo, p12, senha, carimbo=carimbador.url)
        assert r.returncode == 0, r.stderr
        assert carimbador.pedidos == 1, carimbador.pedidos
        ok, dito = verifica(arquivo, ca, tsa_ca=pasta / "tsa" / "tsa.pem")
        assert ok, dito
        assert "Timestamp" in dito and "Carimbo de teste" in dito, dito
        # A timestamp server that cannot be reached signs nothing: no signature without the
        # time the vendor asked for.
        carimbador.para()
        arquivo.write_bytes(authenticode.pe_minimo())
        r = assina(arquivo, p12, senha, carimbo=carimbador.url)
        assert r.returncode != 0, r.stderr
        assert arquivo.read_bytes() == authenticode.pe_minimo()
    finally:
        carimbador.para()


CASOS = [caso_assinado_confere, caso_outra_ac_nao_confere, caso_senha_errada,
         caso_carimbo_do_tempo]


def main():
    passou = falhou = 0
    with tempfile.TemporaryDirectory(prefix="cotacao-assina-") as geral:
        ca, p12, senha = authenticode.cadeia(pathlib.Path(geral) / "cadeia")
        for caso in CASOS:
            with tempfile.TemporaryDirectory(prefix="cotacao-assina-") as pasta:
                try:
                    caso(pathlib.Path(pasta), ca, p12, senha)
                    print("PASS   %s" % caso.__name__)
                    passou += 1
                except AssertionError as e:
                    print("FAIL!  %s: %s" % (caso.__name__, e))
                    falhou += 1
    print("%d passed, %d failed" % (passou, falhou))
    return 1 if falhou else 0


if __name__ == "__main__":
    sys.exit(main())
