#include "store/TabelaDePrecos.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace banco {

namespace {

// Keys asked per statement: well under the 999 parameters older SQLite builds allow.
constexpr qsizetype kChavesPorConsulta = 500;

// The lines whose `coluna` is one of `chaves`, by that key; a key on several lines answers the
// last one.
bool busca(BancoLocal& banco, const QString& coluna, const QStringList& chaves,
           QHash<QString, ItemDaTabela>& achados) {
    QSqlQuery q(banco.db());
    q.setForwardOnly(true);
    qsizetype preparada = -1;
    for (qsizetype inicio = 0; inicio < chaves.size(); inicio += kChavesPorConsulta) {
        const qsizetype n = std::min(kChavesPorConsulta, chaves.size() - inicio);
        if (n != preparada) {
            QString marcas(n * 2 - 1, u',');
            for (qsizetype i = 0; i < n; ++i)
                marcas[i * 2] = u'?';
            if (!q.prepare(
                    QStringLiteral("SELECT barras, plu, preco, obs FROM tabela_preco WHERE ") +
                    coluna + QStringLiteral(" IN (") + marcas + QStringLiteral(") ORDER BY linha")))
                return banco.falhou(q.lastError().text());
            preparada = n;
        }
        for (qsizetype i = 0; i < n; ++i)
            q.bindValue(int(i), chaves[inicio + i]);
        if (!q.exec())
            return banco.falhou(q.lastError().text());
        while (q.next()) {
            ItemDaTabela item{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                              q.value(3).toString()};
            const QString chave = coluna == u"barras" ? item.barras : item.plu;
            achados.insert(chave, std::move(item));
        }
    }
    return true;
}

} // namespace

bool TabelaDePrecos::substitui(const QList<ItemDaTabela>& itens, const QString& arquivo,
                               const QDateTime& quando) {
    return m_banco.transacao([&] {
        QSqlQuery q(m_banco.db());
        if (!q.exec(QStringLiteral("DELETE FROM tabela_preco")) ||
            !q.exec(QStringLiteral("DELETE FROM tabela_preco_origem")))
            return m_banco.falhou(q.lastError().text());
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
            return m_banco.falhou(q.lastError().text());
        q.prepare(QStringLiteral(
            "INSERT INTO tabela_preco_origem (id, arquivo, quando, itens) VALUES (1, ?, ?, ?)"));
        q.bindValue(0, texto(arquivo));
        q.bindValue(1, quando.toMSecsSinceEpoch());
        q.bindValue(2, int(itens.size()));
        return q.exec() || m_banco.falhou(q.lastError().text());
    });
}

std::optional<TabelaDePrecos::Origem> TabelaDePrecos::origem() {
    QSqlQuery q(m_banco.db());
    if (!q.exec(QStringLiteral("SELECT arquivo, quando, itens FROM tabela_preco_origem")) ||
        !q.next())
        return std::nullopt;
    return Origem{q.value(0).toString(), QDateTime::fromMSecsSinceEpoch(q.value(1).toLongLong()),
                  q.value(2).toInt()};
}

QDateTime TabelaDePrecos::data() {
    const auto o = origem();
    return o ? o->quando : QDateTime();
}

QString TabelaDePrecos::arquivo() {
    const auto o = origem();
    return o ? o->arquivo : QString();
}

std::optional<TabelaDePrecos::Achados>
TabelaDePrecos::procura(const QList<ProdutoProcurado>& produtos) {
    if (!m_banco.aberto())
        return std::nullopt;
    QStringList barras;
    QSet<QString> vistos;
    for (const ProdutoProcurado& p : produtos) {
        const QString b = p.barras.trimmed();
        if (!b.isEmpty() && !vistos.contains(b)) {
            vistos.insert(b);
            barras << b;
        }
    }
    QHash<QString, ItemDaTabela> porBarras, porPlu;
    if (!busca(m_banco, QStringLiteral("barras"), barras, porBarras))
        return std::nullopt;
    // Only the products the barcode did not find are looked up by PLU.
    QStringList plus;
    vistos.clear();
    for (const ProdutoProcurado& p : produtos) {
        const QString u = p.plu.trimmed();
        if (!u.isEmpty() && !porBarras.contains(p.barras.trimmed()) && !vistos.contains(u)) {
            vistos.insert(u);
            plus << u;
        }
    }
    if (!busca(m_banco, QStringLiteral("plu"), plus, porPlu))
        return std::nullopt;
    Achados achados;
    achados.reserve(produtos.size());
    for (const ProdutoProcurado& p : produtos) {
        // Only codes that are there were looked up: an empty one finds nothing.
        const auto b = porBarras.constFind(p.barras.trimmed());
        const auto u = porPlu.constFind(p.plu.trimmed());
        if (b != porBarras.cend())
            achados << *b;
        else if (u != porPlu.cend())
            achados << *u;
        else
            achados << std::nullopt;
    }
    return achados;
}

} // namespace banco
