#!/usr/bin/python3
"""Checks that every text a person reads lives in its layer's Textos.h.

It reads the C++ sources of every layer (the folders scripts/camadas.py finds in the CMake
files; never tests/ nor bench/) and names each string literal outside a Textos.h that a person
would read:

  - a literal with a Portuguese accented letter, anywhere (file names excepted);
  - a literal given to a call that shows text: setText, setWindowTitle, setToolTip, addAction,
    addMenu, a QLabel or QPushButton built with it, a message box, janelas::Caixas, a
    nucleo::Falha's text, and the like (CHAMADAS and TIPOS below), or assigned to an error's
    Description;
  - a literal with a keyboard mnemonic ("&Enviar", "Sai&r"), which only a menu or a button has.

Wrappers around the literal (QStringLiteral, .arg, a conditional) are looked through. A literal
with no letter ("%1", "||") is no text. Object names, file names, keys, SQL and what only the
error log records are left alone, as are literals given to the calls in TECNICAS.

  python3 scripts/textos.py [ROOT]

Prints one line "file:line: text" per text found and exits 1 when there is any.
"""
import pathlib
import re
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
from camadas import camadas  # noqa: E402  (the layers, read from the CMake files)

# Calls whose literal arguments a person reads (the last part of the name is enough).
CHAMADAS = {
    "setText", "setWindowTitle", "setToolTip", "setStatusTip", "setPlaceholderText",
    "setWhatsThis", "setAccessibleName", "setAccessibleDescription", "setTitle", "showMessage",
    "addAction", "addMenu", "addSection", "addToolBar", "addTab", "setTabText", "setHeaderData",
    "setHorizontalHeaderLabels", "setVerticalHeaderLabels", "setLabelText", "setInformativeText",
    "setDetailedText", "setButtonText", "getSaveFileName", "getOpenFileName",
    "getExistingDirectory", "WarningBox", "WarningMessage", "AvisoGet",
}
# Calls that show text only when named with their class: Caixas::aviso, QMessageBox::warning.
QUALIFICADAS = {
    "Caixas": {"aviso", "simOuNao", "pergunta"},
    "QMessageBox": {"warning", "information", "question", "critical", "about"},
}
# Types whose construction with a literal shows it.
TIPOS = {
    "QAction", "QMenu", "QLabel", "QPushButton", "QCheckBox", "QGroupBox", "QRadioButton",
    "QToolButton", "QMessageBox", "QTableWidgetItem", "QListWidgetItem", "QStandardItem",
    "Falha",
}
# Wrappers a literal is looked through to the call it is given to.
TRANSPARENTES = {
    "QStringLiteral", "QString", "QLatin1String", "QLatin1StringView", "QStringView", "tr",
    "translate", "fromUtf8", "fromLatin1", "fromLocal8Bit", "arg", "QT_TR_NOOP", "u8",
}
# Calls whose literals are names for the program, never texts, accents or not.
TECNICAS = {"setObjectName", "ArquivoDoPrograma", "QRegularExpression", "exec", "prepare"}

ACENTOS = re.compile(r"[áéíóúâêôãõçàÁÉÍÓÚÂÊÔÃÕÇÀ]")
LETRA = re.compile(r"[^\W\d_]")
# A keyboard mnemonic: "&" before a letter in a word of two letters or more ("&Ok", "Sai&r"; not
# "&&", nor a placeholder such as "&p").
MNEMONICO = re.compile(r"(?<!&)(?:[^\W\d_]+&[^\W\d_]|&[^\W\d_]{2})")
ARQUIVO = re.compile(r"^[^\s/\\]+\.[A-Za-z0-9]{2,4}$")

TOKEN = re.compile(r"""
    (?P<espaco>\s+)
  | (?P<comentario>//[^\n]*|/\*.*?\*/)
  | (?P<diretiva>\#[^\n]*(?:\\\n[^\n]*)*)
  | (?P<bruta>(?:u8|u|U|L)?R"(?P<delim>[^(\s]*)\((?P<corpo_bruto>.*?)\)(?P=delim)")
  | (?P<texto>(?:u8|u|U|L)?"(?P<corpo>(?:[^"\\\n]|\\.)*)"(?:_\w+)?)
  | (?P<caractere>(?:u8|u|U|L)?'(?:[^'\\\n]|\\.)*')
  | (?P<nome>[A-Za-z_]\w*)
  | (?P<numero>\d[\w.']*)
  | (?P<simbolo>::|->|.)
""", re.S | re.X)


def decodifica(corpo):
    r"""The characters a literal holds: \uXXXX and the simple escapes decoded. Byte escapes
    (\xe7) stay as written: they are bytes of a file's encoding, not text."""
    def troca(m):
        s = m.group(0)
        if s[1] in "uU":
            return chr(int(s[2:], 16))
        return {"n": "\n", "t": "\t", '"': '"', "\\": "\\", "'": "'"}.get(s[1], s)
    return re.sub(r"\\u[0-9A-Fa-f]{4}|\\U[0-9A-Fa-f]{8}|\\.", troca, corpo)


def fichas(fonte):
    """The tokens of a C++ source as (kind, value, line); adjacent literals joined into one."""
    resultado = []
    linha = 1
    for m in TOKEN.finditer(fonte):
        for nome in ("espaco", "comentario", "diretiva", "bruta", "texto", "caractere", "nome",
                     "numero", "simbolo"):
            if m.group(nome) is not None:
                tipo = nome
                break
        if tipo == "bruta":
            valor, tipo = m.group("corpo_bruto"), "texto"
        elif tipo == "texto":
            valor = decodifica(m.group("corpo"))
        else:
            valor = m.group(0)
        if tipo not in ("espaco", "comentario", "diretiva"):
            if tipo == "texto" and resultado and resultado[-1][0] == "texto":
                anterior = resultado.pop()
                resultado.append(("texto", anterior[1] + valor, anterior[2]))
            else:
                resultado.append((tipo, valor, linha))
        linha += m.group(0).count("\n")
    return resultado


def nome_antes(fichas_, i):
    """The (possibly qualified) name ending at token i, as a list of its parts, and the index of
    the token before it."""
    partes = []
    while i >= 0 and fichas_[i][0] == "nome":
        partes.insert(0, fichas_[i][1])
        if i >= 1 and fichas_[i - 1][1] == "::":
            i -= 2
        else:
            i -= 1
            break
    # Template arguments between the name and the parenthesis (QList<int>(...)) are skipped.
    return partes, i


def chamada_que_mostra(partes, antes):
    """Whether a call named `partes` (with the token `antes` before it) shows its arguments."""
    if not partes:
        return False
    ultimo = partes[-1]
    if ultimo in CHAMADAS:
        return True
    if len(partes) >= 2 and ultimo in QUALIFICADAS.get(partes[-2], ()):
        return True
    if ultimo in TIPOS:
        return True
    # A variable built with its type's constructor: QMessageBox caixa(...).
    return antes is not None and antes[0] == "nome" and antes[1] in TIPOS


def contexto(fichas_, i):
    """'mostra' when the literal at token i is given to a call that shows text, 'tecnica' when
    to one that names things, else None. Looks outwards from the literal through wrappers,
    conditionals and grouping parentheses, within its statement."""
    profundidade = 0
    j = i - 1
    while j >= 0:
        tipo, valor, _ = fichas_[j]
        if tipo == "simbolo" and valor in ")]}":
            profundidade += 1
        elif tipo == "simbolo" and valor in "([{":
            if profundidade:
                profundidade -= 1
            elif valor == "[":
                return None
            else:
                partes, k = nome_antes(fichas_, j - 1)
                antes = fichas_[k] if k >= 0 else None
                if valor == "{" and not partes:
                    # A block ends the statement; an initializer list is looked through.
                    if antes is None or antes[1] in (")", "]", ";", "}", "else", "do", "try"):
                        return None
                elif partes and partes[-1] in TECNICAS:
                    return "tecnica"
                elif chamada_que_mostra(partes, antes):
                    return "mostra"
                elif partes and partes[-1] not in TRANSPARENTES:
                    return None
        elif profundidade == 0 and tipo == "simbolo" and valor == ";":
            return None
        elif profundidade == 0 and tipo == "simbolo" and valor == "=":
            partes, _ = nome_antes(fichas_, j - 1)
            return "mostra" if partes and partes[-1] == "Description" else None
        j -= 1
    return None


def achados_em(fonte):
    """(line, text) of each literal of `fonte` that a person reads."""
    achados = []
    todas = fichas(fonte)
    for i, (tipo, valor, linha) in enumerate(todas):
        if tipo != "texto" or not LETRA.search(valor):
            continue
        onde = contexto(todas, i)
        if onde == "tecnica" or ARQUIVO.match(valor):
            continue
        mnemonico = MNEMONICO.search(valor) and "://" not in valor  # not an address's "&"
        if onde == "mostra" or ACENTOS.search(valor) or mnemonico:
            achados.append((linha, valor))
    return achados


def main():
    raiz = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    pastas = camadas(raiz)
    if not pastas:
        print("textos.py: no library found under %s" % raiz, file=sys.stderr)
        return 1
    achados = []
    for pasta in sorted(pastas):
        for arquivo in sorted((raiz / pasta).glob("*")):
            if arquivo.suffix not in (".h", ".cpp", ".in") or arquivo.name == "Textos.h":
                continue
            fonte = arquivo.read_text(encoding="utf-8")
            for linha, texto in achados_em(fonte):
                achados.append("%s:%d: %s" % (arquivo.relative_to(raiz).as_posix(), linha,
                                              texto.replace("\n", "\\n")))
    for achado in achados:
        print(achado)
    return 1 if achados else 0


if __name__ == "__main__":
    sys.exit(main())
