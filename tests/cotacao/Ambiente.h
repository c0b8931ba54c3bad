#pragma once

// What the quotation form's tests share: a form over a real FTP server, in a fresh program
// directory with its own database, and a person's ways of typing, clicking and answering.
#include "banco/BancoLocal.h"
#include "cotacao/FormCotacao.h"
#include "grade/ControleGrade.h"
#include "janelas/Caixas.h"
#include "janelas/FormObrigado.h"
#include "nucleo/Regional.h"
#include "tests/proposta/Dados.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"
#include "tests/support/TestMainJanelas.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTcpServer>
#include <QTest>
#include <QToolBar>

#include <algorithm>

namespace teste {

// A quotation form over a real FTP server, in a fresh program directory.
struct Ambiente {
    ServidorFtpTeste servidor;
    DiretorioTeste programa;
    banco::BancoLocal banco{programa.arquivo("Cotacao.db")};
    QTcpServer internet;
    QPointer<FormCotacao> form;
    remoto::Rede rede;

    explicit Ambiente(const QStringList& produtos = kTres) {
        programa.escrever(kNumero + ".cot", cotacao(produtos));
        internet.listen(QHostAddress::LocalHost);
        rede.servidorFtp = servidor.endereco();
        rede.conexao.host = {"127.0.0.1", internet.serverPort()};
        rede.conexao.dormir = [](std::chrono::milliseconds) {};
    }

    // The form goes before the database it keeps its draft in.
    ~Ambiente() { delete form.data(); }

    FormCotacao& abrir(const QString& numero = kNumero) {
        form = new FormCotacao(rede, &banco);
        form->setQuitOnClose(true);
        form->cCodCotacao = numero;
        form->cCNPJ = kCNPJ;
        form->Setup();
        form->Show();
        if (!QTest::qWaitForWindowActive(form))
            qWarning("the form did not become active");
        return *form;
    }

    grade::ControleGrade* grade() const {
        return form->findChild<grade::ControleGrade*>("MListaProdutos");
    }
    QString celula(int linha, int coluna) const {
        return form->MListaProdutos.Cell(linha, coluna).Text().toString();
    }

    // Clicks a cell and types into it as a person would; Enter commits.
    void digitarNaCelula(int linha, int coluna, const QString& texto) {
        const QRect r = grade()->visualRect(grade()->model()->index(linha - 1, coluna));
        QTest::mouseClick(grade()->viewport(), Qt::LeftButton, {}, r.center());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        for (const QChar c : texto)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(celula(linha, coluna), texto);
    }

    // Clicks a cell and types over it, without Enter: the cell is still being edited.
    void digitarSemConfirmar(int linha, int coluna, const QString& texto) {
        const QRect r = grade()->visualRect(grade()->model()->index(linha - 1, coluna));
        QTest::mouseClick(grade()->viewport(), Qt::LeftButton, {}, r.center());
        teclar(texto);
    }

    // Keys as a person types them: each to the widget that has the focus at that moment (the
    // first key over a cell opens its editor, which takes the rest).
    static void teclar(const QString& texto) {
        for (const QChar c : texto)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }

    bool editando() const { return grade()->editando(); }

    // A command through its tool bar button, as a mouse click runs it. The test fails, naming
    // the command, when the tool bar has no such button or it is disabled.
    void botao(const QString& nome) {
        QAction* acao = nullptr;
        for (QAction* a : form->findChild<QToolBar*>()->actions())
            if (a->objectName() == nome)
                acao = a;
        QVERIFY2(acao, qPrintable("no tool bar button " + nome));
        QVERIFY2(acao->isEnabled(), qPrintable("tool bar button " + nome + " is disabled"));
        acao->trigger();
    }

    void digitarNoCampo(const char* nome, const QString& texto) {
        auto* campo = form->findChild<QLineEdit*>(nome);
        QTest::mouseClick(campo, Qt::LeftButton);
        QTest::keyClicks(campo, texto);
    }

    // The command of that object name, wherever the form keeps it.
    QAction* acao(const QString& nome) const { return form->findChild<QAction*>(nome); }

    // A command of a menu or submenu, as choosing it there runs it. The test fails, naming the
    // command, when no menu has it or it is disabled.
    void comando(const QString& nome) {
        QAction* a = acao(nome);
        QVERIFY2(a, qPrintable("no command " + nome));
        const QObjectList onde = a->associatedObjects();
        QVERIFY2(std::any_of(onde.cbegin(), onde.cend(),
                             [](QObject* o) { return qobject_cast<QMenu*>(o); }),
                 qPrintable("command " + nome + " is in no menu"));
        QVERIFY2(a->isEnabled(), qPrintable("command " + nome + " is disabled"));
        a->trigger();
    }
};

inline QStringList mensagens() {
    QStringList textos;
    for (const auto& m : janelas::Caixas::mostradas())
        textos << m.texto;
    return textos;
}

// What the status bar's message line of a window says now.
inline QString mensagem(const QWidget& janela) {
    const auto* linha = janela.findChild<QLabel*>(QStringLiteral("Mensagem"));
    return linha ? linha->text() : QStringLiteral("(no message line)");
}

inline FormObrigado* obrigado() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = dynamic_cast<FormObrigado*>(w); f && f->isVisible())
            return f;
    return nullptr;
}

// Each test of a form: boxes recorded, not shown; Brazilian regional settings.
inline void prepara() {
    janelas::Caixas::setModoDeTeste(true);
    regionalBrasileiro();
}

// An answer registered for a box that never showed fails the test: the box changed or is gone.
inline void limpa() {
    const QStringList pendentes = janelas::Caixas::respostasPendentes();
    destroiJanelas();
    regionalC();
    QCOMPARE(pendentes, QStringList());
}

} // namespace teste

using namespace teste;
