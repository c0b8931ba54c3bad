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
bool busca(BancoLocal& banco, const QString& coluna, const QStringList& chaves,
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
                return banco.falhou(q.lastError().text());
            preparada = n;
        }
        for (qsizetype i = 0; i < n; ++i)
            q.bindValue(int(i), chaves[inicio + i]);
        if (!q.exec())
            return banco.falhou(q.lastError().text());
        while (q.next())
            achados.insert(q.value(0).toLongLong(), {q.value(1).toString(), q.value(2).toString(),
                                                     q.value(3).toString(), q.value(4).toString()});
    }
    return true;
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

bool TabelaDePrecos::apaga() {
    return m_banco.transacao([&] {
        QSqlQuery q(m_banco.db());
        return (q.exec(QStringLiteral("DELETE FROM tabela_preco")) &&
                q.exec(QStringLiteral("DELETE FROM tabela_preco_origem"))) ||
               m_banco.falhou(q.lastError().text());
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

std::optional<QList<ItemDaTabela>>
TabelaDePrecos::procura(const QList<ProdutoProcurado>& produtos) {
    if (!m_banco.aberto())
        return std::nullopt;
    QMap<qint64, ItemDaTabela> achados;
    if (!busca(m_banco, QStringLiteral("barras"), codigos(produtos, &ProdutoProcurado::barras),
               achados) ||
        !busca(m_banco, QStringLiteral("plu"), codigos(produtos, &ProdutoProcurado::plu), achados))
        return std::nullopt;
    return achados.values();
}

} // namespace banco
