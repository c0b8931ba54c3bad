#!/usr/bin/python3
"""Checks that every #include of the program's own headers points down the layers, and that the
floors without widgets stay so.

The layers are the libraries of the build: each folder whose CMakeLists.txt adds a library is a
layer, and it may include its own headers and those of the libraries it links, directly or
through another (target_link_libraries, the one place the layer graph is written). A header of
any other layer is an error, and so is an include that climbs out of its folder ("../"): the
build stops and names the file and the line. Tests and benchmarks may include anything.

The floors are the lists COTACAO_ANDAR_BASE, COTACAO_ANDAR_TRABALHO and COTACAO_ANDAR_JANELAS of
the top CMakeLists.txt. A layer links nothing of a floor above its own; a layer of the two lower
floors links neither Qt Widgets nor Qt Gui (nor Qt PrintSupport), directly or through another;
and a test executable made without JANELAS (cotacao_add_tests in tests/) links only those.

  python3 scripts/camadas.py [ROOT]
"""
import pathlib
import re
import sys

BIBLIOTECA = re.compile(r"add_library\(\s*(\w+)\s+(STATIC|SHARED|OBJECT)")
LIGACAO = re.compile(r"target_link_libraries\(\s*(\w+)([^)]*)\)", re.S)
INCLUSAO = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
FORA = {"tests", "bench", "build", "cmake"}
ANDAR = re.compile(r"set\(\s*COTACAO_ANDAR_(BASE|TRABALHO|JANELAS)\s+([^)]*)\)")
ORDEM_DOS_ANDARES = ["BASE", "TRABALHO", "JANELAS"]
COM_JANELAS = {"Qt6::Widgets", "Qt6::Gui", "Qt6::PrintSupport"}
TESTES = re.compile(r"cotacao_add_tests\(\s*(\w+)([^)]*)\)", re.S)


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


def ligacoes(raiz):
    """{library: set of what it links, directly or through another} and {library: folder}."""
    pasta_de, ligadas = {}, {}
    for lista in sorted(raiz.rglob("CMakeLists.txt")):
        relativa = lista.parent.relative_to(raiz)
        if relativa.parts and (relativa.parts[0] in FORA or relativa.parts[0].startswith("build")):
            continue
        texto = re.sub(r"#.*", "", lista.read_text(encoding="utf-8"))
        for m in BIBLIOTECA.finditer(texto):
            pasta_de[m.group(1)] = relativa.as_posix()
        for m in LIGACAO.finditer(texto):
            ligadas.setdefault(m.group(1), set()).update(
                n for n in m.group(2).split() if n not in ("PUBLIC", "PRIVATE", "INTERFACE"))
    fechadas = {}
    for biblioteca in pasta_de:
        vistas, pendentes = set(), [biblioteca]
        while pendentes:
            for outra in ligadas.get(pendentes.pop(), ()):
                if outra not in vistas:
                    vistas.add(outra)
                    pendentes.append(outra)
        fechadas[biblioteca] = vistas
    return fechadas, pasta_de


def erros_dos_andares(raiz):
    """The floors' rules: what a layer links, and what a test without windows links."""
    texto = re.sub(r"#.*", "", (raiz / "CMakeLists.txt").read_text(encoding="utf-8"))
    andar_de = {}
    for m in ANDAR.finditer(texto):
        for camada in m.group(2).split():
            andar_de[camada] = ORDEM_DOS_ANDARES.index(m.group(1))
    if not andar_de:
        return ["CMakeLists.txt: no floor lists (COTACAO_ANDAR_BASE, _TRABALHO, _JANELAS)"]
    fechadas, pasta_de = ligacoes(raiz)
    biblioteca_de = {pasta: b for b, pasta in pasta_de.items()}
    erros = []
    for camada, andar in sorted(andar_de.items()):
        biblioteca = biblioteca_de.get(camada)
        if biblioteca is None:
            erros.append("CMakeLists.txt: floor layer %s has no library in %s/" % (camada, camada))
            continue
        for outra in sorted(fechadas[biblioteca]):
            acima = pasta_de.get(outra)
            if acima in andar_de and andar_de[acima] > andar:
                erros.append("%s/CMakeLists.txt: %s links %s, of a floor above its own" % (
                    camada, biblioteca, outra))
            if andar < 2 and outra in COM_JANELAS:
                erros.append("%s/CMakeLists.txt: %s has no widgets, but links %s" % (
                    camada, biblioteca, outra))
    sem_janelas = {b for b, pasta in pasta_de.items() if andar_de.get(pasta, 2) < 2}
    permitidas = sem_janelas | {"cotacao_test_support", "project_options"} | {
        "Qt6::Core", "Qt6::Network", "Qt6::Sql", "Qt6::Test"}
    for lista in sorted((raiz / "tests").rglob("CMakeLists.txt")):
        texto = re.sub(r"#.*", "", lista.read_text(encoding="utf-8"))
        for m in TESTES.finditer(texto):
            palavras = m.group(2).split()
            if "JANELAS" in palavras:
                continue
            libs = palavras[palavras.index("LIBS") + 1:] if "LIBS" in palavras else []
            libs = libs[:next((i for i, p in enumerate(libs) if p.isupper()), len(libs))]
            # ... and what the folder links to the test executable besides.
            for ligacao in LIGACAO.finditer(texto):
                if ligacao.group(1) == "tst_" + m.group(1):
                    libs += [n for n in ligacao.group(2).split()
                             if n not in ("PUBLIC", "PRIVATE", "INTERFACE")]
            for lib in libs:
                if lib not in permitidas:
                    erros.append("%s: the tests of %s open no window, but link %s" % (
                        lista.relative_to(raiz), m.group(1), lib))
    return erros


def main():
    raiz = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    permitidas = camadas(raiz)
    if not permitidas:
        print("camadas.py: no library found under %s" % raiz, file=sys.stderr)
        return 1
    erros = erros_de(raiz, permitidas) + erros_dos_andares(raiz)
    for erro in erros:
        print(erro, file=sys.stderr)
    return 1 if erros else 0


if __name__ == "__main__":
    sys.exit(main())
