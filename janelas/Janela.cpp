#include "janelas/Janela.h"

void WarningBox(const QString& caption, const QString& text) {
    janelas::Caixas::aviso(nullptr, caption, text);
}

DataWindow::DataWindow(QWidget* parent)
    : Janela(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
}

DataDialog::DataDialog(QWidget* parent)
    : Janela(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
}

void DataDialog::reject() {
    close();
}

DialogWindow::DialogWindow(QWidget* parent)
    : Janela(parent) {
    setModal(true);
}

void DialogWindow::Show() {
    exec();
}
