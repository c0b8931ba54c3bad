#include "banco/BancoLocal.h"

#include <QAtomicInt>
#include <QDate>
#include <QFile>
#include <QFileInfo>
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
            // named by its key (cotacao::Identidade: barcode and PLU; the barcode alone in the
            // keys of earlier versions).
            QStringLiteral("CREATE TABLE preco_enviado (produto TEXT NOT NULL, "
                           "cotacao TEXT NOT NULL, preco TEXT NOT NULL, quando INTEGER NOT NULL, "
                           "PRIMARY KEY (produto, cotacao)) WITHOUT ROWID"),
        },
        {
            // What the list of answers shows of each sending, recorded when it is sent; the
            // receipts of earlier versions have none (an empty requester, no products).
            QStringLiteral("ALTER TABLE envio ADD COLUMN solicitante TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("ALTER TABLE envio ADD COLUMN cotados INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("ALTER TABLE envio ADD COLUMN produtos INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("ALTER TABLE envio ADD COLUMN total INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("CREATE INDEX envio_por_quando ON envio (quando)"),
            // The supplier's own price list, one row per line kept, found by barcode or PLU
            // (either may be empty), and where it came from (one row).
            QStringLiteral("CREATE TABLE tabela_preco (linha INTEGER PRIMARY KEY, "
                           "barras TEXT NOT NULL, plu TEXT NOT NULL, preco TEXT NOT NULL, "
                           "obs TEXT NOT NULL)"),
            QStringLiteral("CREATE INDEX tabela_preco_por_barras ON tabela_preco (barras)"),
            QStringLiteral("CREATE INDEX tabela_preco_por_plu ON tabela_preco (plu)"),
            QStringLiteral("CREATE TABLE tabela_preco_origem (id INTEGER PRIMARY KEY "
                           "CHECK (id = 1), arquivo TEXT NOT NULL, quando INTEGER NOT NULL, "
                           "itens INTEGER NOT NULL)"),
        },
    };
    return passos;
}

int versaoDoArquivo(const QSqlDatabase& db) {
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA user_version")) && q.next() ? q.value(0).toInt() : 0;
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
    // A newer version's file stays one for this run: not opened and checked again at every use.
    if (m_aberto || m_abrindo || m_problema == Problema::VersaoNova)
        return;
    m_tentou = true;
    m_abrindo = true; // the migration below uses the connection being opened
    m_problema = tentaAbrir();
    // A damaged file is kept aside for whoever may rescue it, and the drafts start over.
    if (m_problema == Problema::Danificado && moveDanificado())
        m_problema = tentaAbrir();
    m_abrindo = false;
    m_aberto = m_problema == Problema::Nenhum;
}

BancoLocal::Problema BancoLocal::tentaAbrir() {
    QSqlDatabase db = QSqlDatabase::contains(m_conexao)
                          ? QSqlDatabase::database(m_conexao, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_conexao);
    db.setDatabaseName(m_caminho);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    // SQLITE_CORRUPT and SQLITE_NOTADB, in their primary codes.
    const auto danificado = [](const QSqlError& e) {
        const int codigo = e.nativeErrorCode().toInt() & 0xff;
        return codigo == 11 || codigo == 26;
    };
    const auto falha = [&](const QSqlError& e, const QString& texto) {
        m_erro = texto.isEmpty() ? e.text() : texto;
        db.close();
        return danificado(e) ? Problema::Danificado : Problema::NaoAbre;
    };
    if (!db.open())
        return falha(db.lastError(), QString());
    QSqlQuery q(db);
    // WAL: a save appends to the log, and a process killed in the middle of one leaves the last
    // committed state. FULL syncs every commit, so a power cut loses no saved draft either.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next() ||
        q.value(0).toString() != u"wal" || !q.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return falha(q.lastError(), q.lastError().text().isEmpty()
                                        ? QStringLiteral("WAL journal not available")
                                        : QString());
    // A file whose pages are damaged may still open: the whole file is checked once, which
    // for a file of drafts takes a few milliseconds.
    if (!q.exec(QStringLiteral("PRAGMA quick_check(1)")) || !q.next())
        return falha(q.lastError(), QString());
    if (q.value(0).toString() != u"ok") {
        m_erro = q.value(0).toString();
        q.finish();
        db.close();
        return Problema::Danificado;
    }
    q.finish();
    const int versao = versaoDoArquivo(db);
    if (versao > migracoes().size()) {
        m_erro = QStringLiteral("database of a newer version (%1)").arg(versao);
        db.close();
        return Problema::VersaoNova;
    }
    if (!migra())
        return falha(QSqlQuery(db).lastError(), m_erro);
    return Problema::Nenhum;
}

bool BancoLocal::moveDanificado() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_conexao, false);
        if (db.isOpen())
            db.close();
    }
    const QString base =
        m_caminho + QStringLiteral(".danificado-") + QDate::currentDate().toString(u"yyyyMMdd");
    QString destino = base;
    for (int n = 2; QFileInfo::exists(destino) || QFileInfo::exists(destino + u"-wal"); ++n)
        destino = base + u'-' + QString::number(n);
    if (!QFile::rename(m_caminho, destino)) {
        m_erro = QStringLiteral("could not move %1 aside").arg(m_caminho);
        return false;
    }
    // The log and the index of the damaged file go with it: left behind, SQLite would apply
    // them to the fresh file.
    for (const QString& sufixo : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFileInfo::exists(m_caminho + sufixo))
            QFile::rename(m_caminho + sufixo, destino + sufixo);
    m_movidoPara = destino;
    return true;
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
    const int versao = versaoDoArquivo(db());
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
