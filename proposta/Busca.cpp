#include "proposta/Busca.h"

namespace proposta {

QString ChaveDeBusca(QStringView texto) {
    const QString decomposto = texto.toString().normalized(QString::NormalizationForm_D);
    QString chave;
    chave.reserve(decomposto.size());
    for (const QChar c : decomposto)
        if (c.category() != QChar::Mark_NonSpacing)
            chave += c;
    return chave.toCaseFolded();
}

Busca::Busca(QStringView texto)
    : m_palavras(ChaveDeBusca(texto).split(u' ', Qt::SkipEmptyParts)) {}

bool Busca::corresponde(const QString& chave) const {
    for (const QString& palavra : m_palavras)
        if (!chave.contains(palavra))
            return false;
    return true;
}

} // namespace proposta
