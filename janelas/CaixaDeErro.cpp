#include "janelas/CaixaDeErro.h"

#include "nucleo/Erro.h"
#include "janelas/Caixas.h"
#include "janelas/Textos.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

using namespace nucleo;

namespace janelas {

namespace {
int caixa(const QString& texto, const QString& titulo, const EscolhasDoErro& escolhas) {
    const int padrao = escolhas.primeira();
    return Caixas::pergunta(titulo, texto, padrao, [&] {
        QMessageBox caixa(titulo == u"WARNING" ? QMessageBox::Warning : QMessageBox::Critical,
                          titulo, texto, QMessageBox::NoButton, QApplication::activeWindow());
        caixa.setTextFormat(Qt::PlainText); // a file's or a server's name is never markup
        QPushButton* ignorar = nullptr;
        QPushButton* repetir = nullptr;
        if (escolhas.ignorar)
            ignorar = caixa.addButton(janelas::textos::Ignorar, QMessageBox::AcceptRole);
        if (escolhas.repetir)
            repetir = caixa.addButton(janelas::textos::Repetir, QMessageBox::AcceptRole);
        QPushButton* abandonar =
            caixa.addButton(janelas::textos::Encerrar, QMessageBox::RejectRole);
        QPushButton* primeiro = ignorar ? ignorar : repetir ? repetir : abandonar;
        caixa.setDefaultButton(primeiro);
        caixa.setEscapeButton(primeiro);
        caixa.exec();
        const auto* clicado = caixa.clickedButton();
        return clicado == ignorar && ignorar ? 1 : clicado == repetir && repetir ? 2 : 3;
    });
}

void semObjeto(const QString& titulo, const QString& texto) {
    Caixas::pergunta(titulo, texto, Caixas::Ok, [&] {
        QMessageBox caixa(QMessageBox::Critical, titulo, texto);
        caixa.setTextFormat(Qt::PlainText);
        caixa.exec();
        return int(Caixas::Ok);
    });
}
} // namespace

void InstalaCaixaDeErro() {
    apresentacaoDeErro() = {caixa, semObjeto};
    if (!opcoesDeErro().tom)
        opcoesDeErro().tom = [](int, int) { QApplication::beep(); };
}

} // namespace janelas
