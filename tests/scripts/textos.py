#!/usr/bin/python3
"""scripts/textos.py over small sources written for each case: which literals it names as texts
a person reads, on which line, and which it leaves alone.

  python3 tests/scripts/textos.py
"""
import pathlib
import subprocess
import sys
import tempfile

RAIZ = pathlib.Path(__file__).resolve().parents[2]
TEXTOS = RAIZ / "scripts" / "textos.py"

# (case, source of camada/Fonte.cpp, the texts found as "line: text")
CASOS = [
    ("a call that shows text, through QStringLiteral and arg",
     'void f(QLabel* l) {\n    l->setText(QStringLiteral("Total: %1").arg(3));\n'
     '    l->setToolTip(Modelo.arg(QStringLiteral("nenhum")));\n}\n',
     ["2: Total: %1", "3: nenhum"]),
    ("both branches of a conditional, in a box of the program",
     'void f(bool ok) {\n    janelas::Caixas::aviso(nullptr, titulo,\n'
     '        (ok ? QStringLiteral("Salvo em %1.") : QStringLiteral("Falhou em %1."))\n'
     '            .arg(x));\n}\n',
     ["3: Salvo em %1.", "3: Falhou em %1."]),
    ("a widget built with its text, a message box declared with its texts",
     'void f() {\n    auto* b = new QPushButton(QStringLiteral("Fechar"), this);\n'
     '    QMessageBox caixa(QMessageBox::Warning, QStringLiteral("Title"), "Body");\n}\n',
     ["2: Fechar", "3: Title", "3: Body"]),
    ("an accent anywhere; adjacent literals are one text, named at its first line",
     'const QString a = QStringLiteral("Não foi "\n                                  "possível.");\n'
     'const char* b = u8R"(Atenção)";\n',
     ["1: Não foi possível.", "3: Atenção"]),
    ("a mnemonic is a menu's or a button's; a placeholder is not",
     'const Item itens[] = {{"Sai&r", 1}, {"&Ok", 2}};\nvoid g() { t.replace("&p", n); }\n',
     ["1: Sai&r", "1: &Ok"]),
    ("an error's text for the user; its technical names stay",
     'void f(Error& erro) {\n    erro.SubSystem = QStringLiteral("Profile");\n'
     '    erro.Description = QStringLiteral("The file could not be written");\n'
     '    return nucleo::Falha{QStringLiteral("Sem acesso")};\n}\n',
     ["3: The file could not be written", "4: Sem acesso"]),
    ("names, files, keys, log lines and comments are no texts",
     '// setText("Olá") in a comment\n/* "Ação"\n */\n'
     'void f(QWidget* w) {\n    w->setObjectName(QStringLiteral("Ação"));\n'
     '    abre(ArquivoDoPrograma(QStringLiteral("EntradaCotação.bmp")));\n'
     '    const QString fundo = QStringLiteral("AvisoCotação.bmp");\n'
     '    ini.valor(QStringLiteral("Geral"), QStringLiteral("Versao"));\n'
     '    qWarning("could not open %s", nome);\n    w->setText(QStringLiteral("%1 | %2"));\n'
     "    char c = '\"'; w->setToolTip(x);\n}\n",
     []),
    ("a literal inside a lambda's statement, not the call around the lambda",
     'connect(b, &QPushButton::clicked, [] {\n    registra("pressed");\n'
     '    rotulo->setText("Pronto");\n});\n',
     ["3: Pronto"]),
]


def roda(raiz):
    processo = subprocess.run(["/usr/bin/python3", str(TEXTOS), str(raiz)], capture_output=True,
                              text=True, timeout=60)
    return processo.returncode, processo.stdout.splitlines()


def main():
    falhas = []
    for nome, fonte, esperados in CASOS:
        with tempfile.TemporaryDirectory() as pasta:
            raiz = pathlib.Path(pasta)
            (raiz / "camada").mkdir()
            (raiz / "camada" / "CMakeLists.txt").write_text("add_library(camada STATIC Fonte.cpp)\n")
            (raiz / "camada" / "Fonte.cpp").write_text(fonte, encoding="utf-8")
            # Texts in their place, and tests, are never named.
            (raiz / "camada" / "Textos.h").write_text(
                'inline const QString Aviso = QStringLiteral("Atenção");\n', encoding="utf-8")
            (raiz / "tests").mkdir()
            (raiz / "tests" / "CMakeLists.txt").write_text("add_library(t STATIC t.cpp)\n")
            (raiz / "tests" / "t.cpp").write_text('x->setText("Olá");\n', encoding="utf-8")
            codigo, linhas = roda(raiz)
        achados = [linha.split(":", 1)[1].strip() for linha in linhas]
        if achados != esperados or codigo != (1 if esperados else 0):
            falhas.append("%s: expected %r (exit %d), got %r (exit %d)" % (
                nome, esperados, 1 if esperados else 0, linhas, codigo))
    for falha in falhas:
        print(falha, file=sys.stderr)
    print("%d of %d cases passed" % (len(CASOS) - len(falhas), len(CASOS)))
    return 1 if falhas else 0


if __name__ == "__main__":
    sys.exit(main())
