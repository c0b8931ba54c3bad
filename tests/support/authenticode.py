#!/usr/bin/python3
"""Code signing for the tests: a certificate chain made by openssl for the run (a test CA and a
code-signing certificate it issued, as a vendor buys one), and the smallest Windows executable
osslsigncode signs.

  authenticode.py DIR    writes DIR/ca.pem, DIR/codigo.p12 and DIR/senha (its password)
"""
import pathlib
import struct
import subprocess
import sys

SENHA = "senha dos testes"


def _openssl(*argumentos, pasta):
    subprocess.run(["openssl", *argumentos], cwd=pasta, check=True, capture_output=True,
                   timeout=60)


def cadeia(pasta, nome="Fornecedor de teste"):
    """Makes in `pasta` a test CA and a code-signing certificate of `nome` it issued; answers the
    paths of the CA's certificate, the PKCS#12 file (certificate, key, CA) and its password's
    file."""
    pasta = pathlib.Path(pasta)
    pasta.mkdir(parents=True, exist_ok=True)
    _openssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2",
             "-subj", "/CN=AC de teste da cotacao", "-keyout", "ca.key", "-out", "ca.pem",
             "-addext", "basicConstraints=critical,CA:TRUE",
             "-addext", "keyUsage=critical,keyCertSign,cRLSign", pasta=pasta)
    _openssl("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=" + nome,
             "-keyout", "codigo.key", "-out", "codigo.csr", pasta=pasta)
    (pasta / "codigo.ext").write_text("basicConstraints=CA:FALSE\n"
                                      "keyUsage=critical,digitalSignature\n"
                                      "extendedKeyUsage=codeSigning\n")
    _openssl("x509", "-req", "-in", "codigo.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
             "-CAcreateserial", "-days", "2", "-extfile", "codigo.ext", "-out", "codigo.pem",
             pasta=pasta)
    senha = pasta / "senha"
    senha.write_text(SENHA)
    senha.chmod(0o600)
    _openssl("pkcs12", "-export", "-inkey", "codigo.key", "-in", "codigo.pem",
             "-certfile", "ca.pem", "-passout", "file:senha", "-out", "codigo.p12", pasta=pasta)
    return pasta / "ca.pem", pasta / "codigo.p12", senha


def pe_minimo(carga=b""):
    """A PE32+ image (one section holding a `ret`) with `carga` after it, as an installer carries
    its data after its sections."""
    dos = b"MZ" + b"\0" * 58 + struct.pack("<I", 64)
    coff = struct.pack("<HHIIIHH", 0x8664, 1, 0, 0, 0, 240, 0x22)
    opcional = struct.pack("<HBBIIIII", 0x20B, 14, 0, 0x200, 0, 0, 0x1000, 0x1000)
    opcional += struct.pack("<QIIHHHHHHIIIIHHQQQQII", 0x140000000, 0x1000, 0x200, 6, 0, 0, 0, 6,
                            0, 0, 0x2000, 0x200, 0, 2, 0x8160, 0x100000, 0x1000, 0x100000,
                            0x1000, 0, 16)
    opcional += b"\0" * 8 * 16  # the data directories, the certificate table among them
    secao = struct.pack("<8sIIIIIIHHI", b".text", 0x1000, 0x1000, 0x200, 0x200, 0, 0, 0, 0,
                        0x60000020)
    cabecalho = dos + b"PE\0\0" + coff + opcional + secao
    cabecalho += b"\0" * (0x200 - len(cabecalho))
    return cabecalho + b"\xc3" + b"\0" * 0x1FF + carga


def verifica(arquivo, ca):
    """osslsigncode's verdict on `arquivo` against the CA `ca`: (ok, what it said)."""
    r = subprocess.run(["osslsigncode", "verify", "-CAfile", str(ca), "-in", str(arquivo)],
                       capture_output=True, text=True, timeout=120)
    return r.returncode == 0, r.stdout + r.stderr


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for caminho in cadeia(sys.argv[1]):
        print(caminho)
