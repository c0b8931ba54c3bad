#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace formatos {

// Bracketed lists: every item written as "[|", its text, "|]", items side by side with nothing
// between them; a record is a run of a fixed number of items. One list is one INI value.
//
// The format has no escape: an item holding "|]" (or starting with "]", which follows the
// opener's "|") would end early for every reader, and a line break would end the INI value. The
// writer therefore never lets either into an item: "|]" becomes "| ]", a leading "]" gets a
// blank before it, a line break becomes a blank.

QString EscreveLista(const QStringList& itens);

// The text an item is written with.
QString TextoDeItem(QString texto);

// The length of the list EscreveLista writes of these items.
qsizetype TamanhoDaLista(const QStringList& itens);

// Reads the items of a list in one pass, as views into it (the list must outlive them). Text
// between items is skipped; an opener without a closer ends the list.
class LeitorLista {
public:
    explicit LeitorLista(QStringView lista)
        : m_resto(lista) {}

    // The next item; false when the list has no complete item left.
    bool proximo(QStringView& item);

    // Fills a record of `campos` items; false when fewer are left (an incomplete last record is
    // never read as a record).
    bool registro(QStringView* campos, int quantos);

private:
    QStringView m_resto;
};

// The records of `campos` items, in order; an incomplete last record is dropped.
QList<QStringList> LeRegistros(QStringView lista, int campos);

// The items of a list of one-item records (the answer lists).
QStringList LeItens(QStringView lista);

} // namespace formatos
