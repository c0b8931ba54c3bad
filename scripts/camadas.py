#!/usr/bin/python3
"""Checks that every #include of the program's own headers points down the layers.

The layers are the libraries of the build: each folder whose CMakeLists.txt adds a library is a
layer, and it may include its own headers and those of the libraries it links, directly or
through another (target_link_libraries, the one place the layer graph is written). A header of
any other layer is an error, and so is an include that climbs out of its folder ("../"): the
build stops and names the file and the line. Tests and benchmarks may include anything.

  python3 scripts/camadas.py [ROOT]
"""
import pathlib
import re
import sys

BIBLIOTECA = re.compile(r"add_library\(\s*(\w+)\s+(STATIC|SHARED|OBJECT)")
LIGACAO = re.compile(r"target_link_libraries\(\s*(\w+)([^)]*)\)", re.S)
INCLUSAO = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
FORA = {"tests", "bench", "build", "cmake"}


def camadas(raiz):
    """The layers as {folder: set of folders it may include}, from the CMake files."""
    pasta_de = {}  # library -> its folder, relative to the root
    ligadas = {}   # library -> the libraries it links
    for lista in sorted(raiz.rglob("CMakeLists.txt")):
        relativa = lista.parent.relative_to(raiz)
        if relativa.parts and (relativa.parts[0] in FORA or relativa.parts[0].startswith("build")):
            continue
        texto = re.sub(r"#.*", "", lista.read_text(encoding="utf-8"))
        for m in BIBLIOTECA.finditer(texto):
            pasta_de[m.group(1)] = relativa.as_posix()
        for m in LIGACAO.finditer(texto):
            ligadas.setdefault(m.group(1), set()).update(m.group(2).split())
    permitidas = {}
    for biblioteca, pasta in pasta_de.items():
        vistas, pendentes = set(), [biblioteca]
        while pendentes:
            atual = pendentes.pop()
            for outra in ligadas.get(atual, ()):
                if outra in pasta_de and outra not in vistas:
                    vistas.add(outra)
                    pendentes.append(outra)
        permitidas[pasta] = {pasta} | {pasta_de[b] for b in vistas}
    return permitidas


def camada(caminho, pastas):
    """The layer a folder (or a header's folder) belongs to: the deepest layer folder holding it."""
    for nome in sorted(pastas, key=len, reverse=True):
        if caminho == nome or caminho.startswith(nome + "/"):
            return nome
    return None


def erros_de(raiz, permitidas):
    erros = []
    for pasta in sorted(permitidas):
        for arquivo in sorted((raiz / pasta).glob("*")):
            if arquivo.suffix not in (".h", ".cpp", ".in"):
                continue
            origem = arquivo.relative_to(raiz)
            for numero, linha in enumerate(arquivo.read_text(encoding="utf-8").splitlines(), 1):
                m = INCLUSAO.match(linha)
                if not m:
                    continue
                incluido = m.group(1)
                if ".." in pathlib.PurePosixPath(incluido).parts:
                    erros.append("%s:%d: include %s climbs out of its folder: name it from the "
                                 "root" % (origem, numero, incluido))
                    continue
                if "/" not in incluido:
                    continue  # a header beside the file: its own layer
                destino = camada(pathlib.PurePosixPath(incluido).parent.as_posix(), permitidas)
                if destino is not None and destino not in permitidas[pasta]:
                    erros.append("%s:%d: %s may not include %s (layer %s)" % (
                        origem, numero, pasta, incluido, destino))
    return erros


def main():
    raiz = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    permitidas = camadas(raiz)
    if not permitidas:
        print("camadas.py: no library found under %s" % raiz, file=sys.stderr)
        return 1
    erros = erros_de(raiz, permitidas)
    for erro in erros:
        print(erro, file=sys.stderr)
    return 1 if erros else 0


if __name__ == "__main__":
    sys.exit(main())
