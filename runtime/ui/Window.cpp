#include "runtime/ui/Window.h"

void WarningBox(const QString& caption, const QString& text) {
    MessageBox::warning(nullptr, caption, text);
}

DataWindow::DataWindow(QWidget* parent)
    : Window(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
}

DataDialog::DataDialog(QWidget* parent)
    : Window(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
}

void DataDialog::reject() {
    close();
}

DialogWindow::DialogWindow(QWidget* parent)
    : Window(parent) {
    setModal(true);
}

void DialogWindow::Show() {
    exec();
}
