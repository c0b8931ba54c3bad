#!/usr/bin/python3
"""scripts/camadas.py over small trees written for each case: a tree that keeps the floors passes,
and each way of breaking them stops the build with the error that names it.

  python3 tests/scripts/camadas.py
"""
import pathlib
import subprocess
import sys
import tempfile

RAIZ = pathlib.Path(__file__).resolve().parents[2]
CAMADAS = RAIZ / "scripts" / "camadas.py"

# A tree of three layers, one per floor, and a windowless test of the middle one.
TOPO = ("set(COTACAO_ANDAR_BASE base)\nset(COTACAO_ANDAR_TRABALHO meio)\n"
        "set(COTACAO_ANDAR_JANELAS tela)\n")
ARVORE = {
    "CMakeLists.txt": TOPO,
    "base/CMakeLists.txt": "add_library(p_base STATIC B.cpp)\n"
                           "target_link_libraries(p_base PUBLIC Qt6::Core)\n",
    "base/B.h": "#pragma once\n",
    "base/B.cpp": '#include "base/B.h"\n',
    "meio/CMakeLists.txt": "add_library(p_meio STATIC M.cpp)\n"
                           "target_link_libraries(p_meio PUBLIC p_base)\n",
    "meio/M.h": '#pragma once\n#include "base/B.h"\n',
    "meio/M.cpp": '#include "meio/M.h"\n',
    "tela/CMakeLists.txt": "add_library(p_tela STATIC T.cpp)\n"
                           "target_link_libraries(p_tela PUBLIC p_meio Qt6::Widgets)\n",
    "tela/T.cpp": '#include "meio/M.h"\n',
    "tests/meio/CMakeLists.txt": "cotacao_add_tests(meio\n    SOURCES t.cpp\n    LIBS p_meio\n"
                                 "    CLASSES Uma)\n",
}

# (case, the files it changes, a fragment of the error expected; None: it passes)
CASOS = [
    ("the floors kept", {}, None),
    ("a layer without widgets that links Qt Widgets",
     {"meio/CMakeLists.txt": "add_library(p_meio STATIC M.cpp)\n"
                             "target_link_libraries(p_meio PUBLIC p_base Qt6::Widgets)\n"},
     "p_meio has no widgets, but links Qt6::Widgets"),
    ("a layer below that links Qt Gui through another library",
     {"base/CMakeLists.txt": "add_library(p_base STATIC B.cpp)\n"
                             "target_link_libraries(p_base PUBLIC p_gui)\n"
                             "add_library(p_gui INTERFACE)\n"
                             "target_link_libraries(p_gui INTERFACE Qt6::Gui)\n"},
     "p_base has no widgets, but links Qt6::Gui"),
    ("a layer that links a floor above its own",
     {"base/CMakeLists.txt": "add_library(p_base STATIC B.cpp)\n"
                             "target_link_libraries(p_base PUBLIC p_meio)\n"},
     "p_base links p_meio, of a floor above its own"),
    ("an include of a layer not linked",
     {"meio/M.cpp": '#include "meio/M.h"\n#include "tela/T.h"\n', "tela/T.h": "#pragma once\n"},
     "meio may not include tela/T.h"),
    ("an include that climbs out of its folder",
     {"meio/M.cpp": '#include "../base/B.h"\n'},
     "climbs out of its folder"),
    ("a windowless test that lists a window's library",
     {"tests/meio/CMakeLists.txt": "cotacao_add_tests(meio\n    SOURCES t.cpp\n"
                                   "    LIBS p_meio p_tela\n    CLASSES Uma)\n"},
     "the tests of meio open no window, but link p_tela"),
    ("a windowless test linked to a window's library besides",
     {"tests/meio/CMakeLists.txt": ARVORE["tests/meio/CMakeLists.txt"] +
      "target_link_libraries(tst_meio PRIVATE Qt6::Widgets)\n"},
     "the tests of meio open no window, but link Qt6::Widgets"),
    ("a tree whose floors are not written",
     {"CMakeLists.txt": "add_subdirectory(base)\n"},
     "no floor lists"),
]


def main():
    falhas = []
    for nome, mudancas, esperado in CASOS:
        with tempfile.TemporaryDirectory() as pasta:
            raiz = pathlib.Path(pasta)
            for arquivo, texto in {**ARVORE, **mudancas}.items():
                (raiz / arquivo).parent.mkdir(parents=True, exist_ok=True)
                (raiz / arquivo).write_text(texto, encoding="utf-8")
            processo = subprocess.run(["/usr/bin/python3", str(CAMADAS), str(raiz)],
                                      capture_output=True, text=True, timeout=60)
        if esperado is None:
            certo = processo.returncode == 0 and not processo.stderr.strip()
        else:
            certo = processo.returncode == 1 and esperado in processo.stderr
        if not certo:
            falhas.append("%s: expected %s, got exit %d: %s" % (
                nome, "a pass" if esperado is None else repr(esperado), processo.returncode,
                processo.stderr.strip()))
    for falha in falhas:
        print(falha, file=sys.stderr)
    print("%d of %d cases passed" % (len(CASOS) - len(falhas), len(CASOS)))
    return 1 if falhas else 0


if __name__ == "__main__":
    sys.exit(main())
