#!/usr/bin/python3
"""Checks that every #include of the program's own headers points down the layers.

The layers, from the bottom up, and what each may include besides itself. A header of a layer
above is an error: the build stops and names the file and the line. Tests, benchmarks and the
application's wiring (app/) may include anything.

  python3 scripts/camadas.py [ROOT]
"""
import pathlib
import re
import sys

# Longest prefixes first: quotation/formats/ and quotation/core/ lie below quotation/.
CAMADAS = {
    "runtime/core": [],
    "runtime/ui": ["runtime/core"],
    "remote": ["runtime/core"],
    "quotation/formats": ["runtime/core"],
    "store": ["runtime/core"],
    "access": ["quotation/formats", "store", "remote", "runtime/core", "runtime/ui"],
    "grid": ["runtime/core", "runtime/ui"],
    "dialogs": ["runtime/core", "runtime/ui"],
    "quotation/core": ["store", "quotation/formats", "remote", "runtime/core"],
    "quotation": ["quotation/core", "grid", "dialogs", "store", "quotation/formats", "remote",
                  "runtime/core", "runtime/ui"],
}
INCLUSAO = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def camada(caminho):
    for nome in sorted(CAMADAS, key=len, reverse=True):
        if caminho == nome or caminho.startswith(nome + "/"):
            return nome
    return None


def main():
    raiz = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    erros = []
    for nome in CAMADAS:
        for arquivo in sorted((raiz / nome).glob("*")):
            if arquivo.suffix not in (".h", ".cpp", ".in"):
                continue
            propria = camada(arquivo.relative_to(raiz).parent.as_posix())
            permitidas = [propria] + CAMADAS[propria]
            for numero, linha in enumerate(arquivo.read_text(encoding="utf-8").splitlines(), 1):
                m = INCLUSAO.match(linha)
                if not m or "/" not in m.group(1):
                    continue
                destino = camada(pathlib.PurePosixPath(m.group(1)).parent.as_posix())
                if destino is not None and destino not in permitidas:
                    erros.append("%s:%d: %s may not include %s (layer %s)" % (
                        arquivo.relative_to(raiz), numero, propria, m.group(1), destino))
    for erro in erros:
        print(erro, file=sys.stderr)
    return 1 if erros else 0


if __name__ == "__main__":
    sys.exit(main())
