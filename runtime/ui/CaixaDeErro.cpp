#include "runtime/ui/CaixaDeErro.h"

#include "runtime/core/Erro.h"
#include "runtime/ui/MessageBox.h"
#include "runtime/ui/Textos.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
int caixa(const QString& texto, const QString& titulo, const EscolhasDoErro& escolhas) {
    const int padrao = escolhas.ignorar ? 1 : escolhas.repetir ? 2 : 3;
    return MessageBox::ask(titulo, texto, padrao, [&] {
        QMessageBox caixa(titulo == u"WARNING" ? QMessageBox::Warning : QMessageBox::Critical,
                          titulo, texto, QMessageBox::NoButton, QApplication::activeWindow());
        QPushButton* ignorar = nullptr;
        QPushButton* repetir = nullptr;
        if (escolhas.ignorar)
            ignorar = caixa.addButton(TextosJanelas::Ignorar, QMessageBox::AcceptRole);
        if (escolhas.repetir)
            repetir = caixa.addButton(TextosJanelas::Repetir, QMessageBox::AcceptRole);
        QPushButton* abandonar = caixa.addButton(TextosJanelas::Encerrar, QMessageBox::RejectRole);
        QPushButton* primeiro = ignorar ? ignorar : repetir ? repetir : abandonar;
        caixa.setDefaultButton(primeiro);
        caixa.setEscapeButton(primeiro);
        caixa.exec();
        const auto* clicado = caixa.clickedButton();
        return clicado == ignorar && ignorar ? 1 : clicado == repetir && repetir ? 2 : 3;
    });
}

void semObjeto(const QString& titulo, const QString& texto) {
    MessageBox::ask(titulo, texto, MessageBox::Ok, [&] {
        QMessageBox::critical(nullptr, titulo, texto);
        return int(MessageBox::Ok);
    });
}
} // namespace

void InstalaCaixaDeErro() {
    apresentacaoDeErro() = {caixa, semObjeto};
    if (!opcoesDeErro().tom)
        opcoesDeErro().tom = [](int, int) { QApplication::beep(); };
}
