#include "banco/TabelaDePrecos.h"

#include <QMap>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace banco {

namespace {

// Keys asked per statement: well under the 999 parameters older SQLite builds allow.
constexpr qsizetype kChavesPorConsulta = 500;

// The lines whose `coluna` is one of `chaves`, by their place in the table.
nucleo::Resultado<void> busca(BancoLocal& banco, const QString& coluna, const QStringList& chaves,
                              QMap<qint64, ItemDaTabela>& achados) {
    QSqlQuery q(banco.db());
    q.setForwardOnly(true);
    qsizetype preparada = -1;
    for (qsizetype inicio = 0; inicio < chaves.size(); inicio += kChavesPorConsulta) {
        const qsizetype n = std::min(kChavesPorConsulta, chaves.size() - inicio);
        if (n != preparada) {
            QString marcas(n * 2 - 1, u',');
            for (qsizetype i = 0; i < n; ++i)
                marcas[i * 2] = u'?';
            if (!q.prepare(QStringLiteral(
                               "SELECT linha, barras, plu, preco, obs FROM tabela_preco WHERE ") +
                           coluna + QStringLiteral(" IN (") + marcas + u')'))
                return FalhaDoBanco(q.lastError());
            preparada = n;
        }
        for (qsizetype i = 0; i < n; ++i)
            q.bindValue(int(i), chaves[inicio + i]);
        if (!q.exec())
            return FalhaDoBanco(q.lastError());
        while (q.next())
            achados.insert(q.value(0).toLongLong(), {q.value(1).toString(), q.value(2).toString(),
                                                     q.value(3).toString(), q.value(4).toString()});
    }
    return {};
}

// Each code once, blanks around it taken off, empty ones left out.
QStringList codigos(const QList<ProdutoProcurado>& produtos, QString ProdutoProcurado::*campo) {
    QStringList lista;
    QSet<QString> vistos;
    for (const ProdutoProcurado& p : produtos) {
        const QString c = (p.*campo).trimmed();
        if (!c.isEmpty() && !vistos.contains(c)) {
            vistos.insert(c);
            lista << c;
        }
    }
    return lista;
}

} // namespace

nucleo::Resultado<void> TabelaDePrecos::substitui(const QList<ItemDaTabela>& itens,
                                                  const QString& arquivo, const QDateTime& quando) {
    return m_banco.transacao([&]() -> nucleo::Resultado<void> {
        QSqlQuery q(m_banco.db());
        if (!q.exec(QStringLiteral("DELETE FROM tabela_preco")) ||
            !q.exec(QStringLiteral("DELETE FROM tabela_preco_origem")))
            return FalhaDoBanco(q.lastError());
        // One statement bound column by column; a null text would be bound as NULL.
        QVariantList barras, plu, preco, obs;
        barras.reserve(itens.size());
        plu.reserve(itens.size());
        preco.reserve(itens.size());
        obs.reserve(itens.size());
        const auto texto = [](const QString& t) { return t.isNull() ? QStringLiteral("") : t; };
        for (const ItemDaTabela& item : itens) {
            barras << texto(item.barras.trimmed());
            plu << texto(item.plu.trimmed());
            preco << texto(item.preco);
            obs << texto(item.obs);
        }
        q.prepare(QStringLiteral(
            "INSERT INTO tabela_preco (barras, plu, preco, obs) VALUES (?, ?, ?, ?)"));
        q.addBindValue(barras);
        q.addBindValue(plu);
        q.addBindValue(preco);
        q.addBindValue(obs);
        if (!itens.isEmpty() && !q.execBatch())
            return FalhaDoBanco(q.lastError());
        q.prepare(QStringLiteral(
            "INSERT INTO tabela_preco_origem (id, arquivo, quando, itens) VALUES (1, ?, ?, ?)"));
        q.bindValue(0, texto(arquivo));
        q.bindValue(1, quando.toMSecsSinceEpoch());
        q.bindValue(2, int(itens.size()));
        if (!q.exec())
            return FalhaDoBanco(q.lastError());
        return {};
    });
}

nucleo::Resultado<void> TabelaDePrecos::apaga() {
    return m_banco.transacao([&]() -> nucleo::Resultado<void> {
        QSqlQuery q(m_banco.db());
        if (!q.exec(QStringLiteral("DELETE FROM tabela_preco")) ||
            !q.exec(QStringLiteral("DELETE FROM tabela_preco_origem")))
            return FalhaDoBanco(q.lastError());
        return {};
    });
}

nucleo::Resultado<std::optional<TabelaDePrecos::Origem>> TabelaDePrecos::origem() {
    if (auto aberto = m_banco.abre(); !aberto)
        return aberto.falha();
    QSqlQuery q(m_banco.db());
    if (!q.exec(QStringLiteral("SELECT arquivo, quando, itens FROM tabela_preco_origem")))
        return FalhaDoBanco(q.lastError());
    if (!q.next())
        return std::optional<Origem>();
    return std::optional(Origem{q.value(0).toString(),
                                QDateTime::fromMSecsSinceEpoch(q.value(1).toLongLong()),
                                q.value(2).toInt()});
}

nucleo::Resultado<QList<ItemDaTabela>>
TabelaDePrecos::procura(const QList<ProdutoProcurado>& produtos) {
    if (auto aberto = m_banco.abre(); !aberto)
        return aberto.falha();
    QMap<qint64, ItemDaTabela> achados;
    for (auto [coluna, campo] : {std::pair(QStringLiteral("barras"), &ProdutoProcurado::barras),
                                 std::pair(QStringLiteral("plu"), &ProdutoProcurado::plu)})
        if (auto feito = busca(m_banco, coluna, codigos(produtos, campo), achados); !feito)
            return feito.falha();
    return achados.values();
}

} // namespace banco
