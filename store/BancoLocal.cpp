#include "store/BancoLocal.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace banco {

namespace {

QAtomicInt g_conexoes;

// Each version of the schema is the list of statements that brings the previous one to it.
const QList<QStringList>& migracoes() {
    static const QList<QStringList> passos{
        {
            // What was typed and not yet sent: one value per price, remark or term, with the
            // time of its change. `produto` names the product the row held ("PLU\tbarcode"), so
            // a draft never lands on another product if the quotation changed meanwhile.
            QStringLiteral("CREATE TABLE rascunho (cotacao TEXT NOT NULL, cnpj TEXT NOT NULL, "
                           "campo TEXT NOT NULL, linha INTEGER NOT NULL, produto TEXT NOT NULL, "
                           "valor TEXT NOT NULL, alterado INTEGER NOT NULL, "
                           "PRIMARY KEY (cotacao, cnpj, campo, linha)) WITHOUT ROWID"),
            // A receipt of every verified sending.
            QStringLiteral("CREATE TABLE envio (id INTEGER PRIMARY KEY, quando INTEGER NOT NULL, "
                           "cotacao TEXT NOT NULL, cnpj TEXT NOT NULL, arquivo TEXT NOT NULL, "
                           "tamanho INTEGER NOT NULL, sha256 TEXT NOT NULL)"),
            QStringLiteral("CREATE INDEX envio_por_cotacao ON envio (cotacao, cnpj, quando)"),
            // The prices of every verified sending, one per product and quotation, the product
            // named by its barcode (or "PLU:<plu>" where the barcode is empty).
            QStringLiteral("CREATE TABLE preco_enviado (produto TEXT NOT NULL, "
                           "cotacao TEXT NOT NULL, preco TEXT NOT NULL, quando INTEGER NOT NULL, "
                           "PRIMARY KEY (produto, cotacao)) WITHOUT ROWID"),
        },
    };
    return passos;
}

} // namespace

BancoLocal::BancoLocal(const QString& caminho)
    : m_caminho(caminho)
    , m_conexao(QStringLiteral("banco-local-%1").arg(g_conexoes.fetchAndAddRelaxed(1))) {}

bool BancoLocal::aberto() {
    abre();
    return m_aberto;
}

void BancoLocal::abre() {
    if (m_tentou)
        return;
    m_tentou = true;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_conexao);
    db.setDatabaseName(m_caminho);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        m_erro = db.lastError().text();
        return;
    }
    QSqlQuery q(db);
    // WAL: a save appends to the log, and a process killed in the middle of one leaves the last
    // committed state. FULL syncs every commit, so a power cut loses no saved draft either.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next() ||
        q.value(0).toString() != u"wal" || !q.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        m_erro = q.lastError().text().isEmpty() ? QStringLiteral("WAL journal not available")
                                                : q.lastError().text();
        db.close();
        return;
    }
    m_aberto = migra();
    if (!m_aberto)
        db.close();
}

BancoLocal::~BancoLocal() {
    if (!m_tentou)
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_conexao, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_conexao);
}

QSqlDatabase BancoLocal::db() {
    abre();
    return QSqlDatabase::database(m_conexao, false);
}

bool BancoLocal::falhou(const QString& texto) {
    m_erro = texto;
    return false;
}

bool BancoLocal::transacao(const std::function<bool()>& passos) {
    QSqlDatabase base = db();
    if (!base.isOpen())
        return falhou(m_erro.isEmpty() ? QStringLiteral("database not open") : m_erro);
    if (!base.transaction())
        return falhou(base.lastError().text());
    if (!passos()) {
        base.rollback();
        return false;
    }
    if (!base.commit()) {
        const QString texto = base.lastError().text();
        base.rollback();
        return falhou(texto);
    }
    return true;
}

bool BancoLocal::migra() {
    QSqlQuery q(db());
    if (!q.exec(QStringLiteral("PRAGMA user_version")) || !q.next())
        return falhou(q.lastError().text());
    const int versao = q.value(0).toInt();
    if (versao > migracoes().size())
        return falhou(QStringLiteral("database of a newer version (%1)").arg(versao));
    for (int v = versao; v < migracoes().size(); ++v) {
        const bool ok = transacao([&] {
            for (const QString& comando : migracoes()[v])
                if (!q.exec(comando))
                    return falhou(q.lastError().text());
            return q.exec(QStringLiteral("PRAGMA user_version=%1").arg(v + 1)) ||
                   falhou(q.lastError().text());
        });
        if (!ok)
            return false;
    }
    return true;
}

} // namespace banco
