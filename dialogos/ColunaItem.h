#pragma once

#include "janelas/Janela.h"

#include <QComboBox>
#include <QIcon>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// Three dialogs the program carries for its browse screens; no form of the quotation opens them.

// Collects the definition of a new browse column.
class ColumnAdd : public DialogWindow {
public:
    explicit ColumnAdd(QWidget* dono = nullptr);
    void BtnOK();
    void BtnCancel();

    bool lAdiciona = false;
    QString cColuna, cWidth, cEdit, cBlock;

    QLineEdit* Coluna = nullptr;
    QLineEdit* Codigo = nullptr;
    QComboBox* Editavel = nullptr;
    QLineEdit* Largura = nullptr;
};

// Asks for a new position of a column; the typed number is taken however the window closes.
class ColumnMov : public DataDialog {
public:
    explicit ColumnMov(QWidget* dono = nullptr);
    void BtnOK();

    int nNewColuna = 0;
    QLineEdit* nColuna = nullptr;

protected:
    bool QueryClose() override;

private:
    void tomaNumero();
};

// Asks which kind of new item to create and remembers the choice in "Estoque.Ini".
class NovoItem : public DialogWindow {
public:
    explicit NovoItem(QWidget* dono = nullptr);
    void BtnNovo();
    void BtnSair();

    int nPressed = 0; // 1 simple item, 2 linked item
    QRadioButton* RadioSimples = nullptr;
    QRadioButton* RadioVinculo = nullptr;

    // "Estoque.Ini" is a bare name: it lives in the program directory.
    static QString arquivo();
};

// The program's icon.
class TARVO : public QIcon {
public:
    TARVO();
};
