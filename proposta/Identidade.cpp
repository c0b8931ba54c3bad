#include "proposta/Identidade.h"

namespace proposta {

namespace {
const QString kPlu = QStringLiteral("PLU:");
const QString kSeparador = QStringLiteral(" PLU:");
} // namespace

Identidade Identidade::de(const QString& barras, const QString& plu) {
    return {barras.trimmed(), plu.trimmed()};
}

QString Identidade::chave() const {
    if (barras.isEmpty())
        return kPlu + plu;
    return plu.isEmpty() ? barras : barras + kSeparador + plu;
}

Identidade Identidade::daChave(const QString& chave) {
    if (chave.startsWith(kPlu))
        return {QString(), chave.sliced(kPlu.size())};
    const qsizetype s = chave.indexOf(kSeparador);
    if (s < 0)
        return {chave, QString()};
    return {chave.first(s), chave.sliced(s + kSeparador.size())};
}

Correspondencia Compara(const Identidade& linha, const Identidade& produto) {
    const bool barras = !linha.barras.isEmpty() && !produto.barras.isEmpty();
    const bool plu = !linha.plu.isEmpty() && !produto.plu.isEmpty();
    if ((!barras && !plu) || (barras && linha.barras != produto.barras) ||
        (plu && linha.plu != produto.plu))
        return Correspondencia::Nenhuma;
    if (linha == produto)
        return Correspondencia::Identica;
    return barras ? Correspondencia::PorBarras : Correspondencia::PorPlu;
}

} // namespace proposta
