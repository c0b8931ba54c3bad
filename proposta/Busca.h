#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace proposta {

// A text as the search compares it: without accents, case folded ("AÇÚCAR" and "acucar" alike).
QString ChaveDeBusca(QStringView texto);

// What the supplier typed in the search field: a row shows when every word typed appears in its
// key (ChaveDeBusca of its PLU, barcode and description). An empty search shows every row.
class Busca {
public:
    explicit Busca(QStringView texto);
    bool vazia() const { return m_palavras.isEmpty(); }
    bool corresponde(const QString& chave) const;

private:
    QStringList m_palavras;
};

} // namespace proposta
