#include "banco/BancoLocal.h"

#include "banco/Textos.h"

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
            // named by its key (proposta::Identidade: barcode and PLU; the barcode alone in the
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
        {
            // The servers that have spoken TLS to this program, with the key their certificate
            // was pinned to (empty when the system's trust store vouched for it): never again
            // the password in clear to them, nor to another key.
            QStringLiteral("CREATE TABLE servidor_tls (servidor TEXT PRIMARY KEY, "
                           "chave TEXT NOT NULL, desde INTEGER NOT NULL) WITHOUT ROWID"),
        },
    };
    return passos;
}

int versaoDoArquivo(const QSqlDatabase& db) {
    QSqlQuery q(db);
    return q.exec(QStringLiteral("PRAGMA user_version")) && q.next() ? q.value(0).toInt() : 0;
}

// SQLite's primary result code of a failure.
int codigoPrimario(const QSqlError& e) {
    return e.nativeErrorCode().toInt() & 0xff;
}

nucleo::Falha falhaDe(const QString& texto, const QString& detalhe) {
    return {nucleo::Falha::Tipo::Banco, texto, detalhe};
}

} // namespace

nucleo::Falha FalhaDoBanco(const QSqlError& erro) {
    QString texto;
    switch (codigoPrimario(erro)) {
    case 13: // SQLITE_FULL
        texto = textos::DiscoCheio;
        break;
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        texto = textos::EmUso;
        break;
    case 3:  // SQLITE_PERM
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
        texto = textos::SemPermissao;
        break;
    case 10: // SQLITE_IOERR
        texto = textos::ErroDeDisco;
        break;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        texto = textos::Danificado;
        break;
    default:
        texto = textos::Outro;
    }
    return falhaDe(texto, erro.text());
}

BancoLocal::BancoLocal(const QString& caminho)
    : m_caminho(caminho)
    , m_conexao(QStringLiteral("banco-local-%1").arg(g_conexoes.fetchAndAddRelaxed(1))) {}

nucleo::Resultado<void> BancoLocal::abre() {
    tentaAbrirUmaVez();
    if (m_aberto)
        return {};
    return m_falha;
}

void BancoLocal::tentaAbrirUmaVez() {
    // A newer version's file stays one for this run: not opened and checked again at every use.
    if (m_aberto || m_abrindo || (m_tentou && m_falha.tipo == nucleo::Falha::Tipo::Recusada))
        return;
    m_tentou = true;
    m_abrindo = true; // the migration below uses the connection being opened
    auto aberto = tentaAbrir();
    // A damaged file is kept aside for whoever may rescue it, and the drafts start over; one
    // that cannot be moved fails as what stopped the move.
    if (!aberto && aberto.falha().tipo == nucleo::Falha::Tipo::Ilegivel) {
        if (auto movido = moveDanificado(); movido)
            aberto = tentaAbrir();
        else
            aberto = movido;
    }
    m_abrindo = false;
    m_aberto = aberto.ok();
    if (!aberto)
        m_falha = aberto.falha();
}

nucleo::Resultado<void> BancoLocal::tentaAbrir() {
    QSqlDatabase db = QSqlDatabase::contains(m_conexao)
                          ? QSqlDatabase::database(m_conexao, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_conexao);
    db.setDatabaseName(m_caminho);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    const auto falha = [&](const QSqlError& e) {
        nucleo::Falha f = FalhaDoBanco(e);
        db.close();
        const int codigo = codigoPrimario(e);
        if (codigo == 11 || codigo == 26)
            f.tipo = nucleo::Falha::Tipo::Ilegivel;
        return f;
    };
    if (!db.open())
        return falha(db.lastError());
    QSqlQuery q(db);
    // WAL: a save appends to the log, and a process killed in the middle of one leaves the last
    // committed state. FULL syncs every commit, so a power cut loses no saved draft either.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next() ||
        q.value(0).toString() != u"wal" || !q.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        if (q.lastError().isValid())
            return falha(q.lastError());
        db.close();
        return falhaDe(textos::SemDiario, QStringLiteral("journal_mode=WAL refused"));
    }
    // A file whose pages are damaged may still open: the whole file is checked once, which
    // for a file of drafts takes a few milliseconds.
    if (!q.exec(QStringLiteral("PRAGMA quick_check(1)")) || !q.next())
        return falha(q.lastError());
    if (q.value(0).toString() != u"ok") {
        nucleo::Falha danificado = falhaDe(textos::Danificado, q.value(0).toString());
        danificado.tipo = nucleo::Falha::Tipo::Ilegivel;
        q.finish();
        db.close();
        return danificado;
    }
    q.finish();
    const int versao = versaoDoArquivo(db);
    if (versao > migracoes().size()) {
        nucleo::Falha nova =
            falhaDe(textos::VersaoNova, QStringLiteral("user_version %1").arg(versao));
        nova.tipo = nucleo::Falha::Tipo::Recusada;
        db.close();
        return nova;
    }
    if (auto migrado = migra(); !migrado) {
        db.close();
        return migrado.falha();
    }
    return {};
}

nucleo::Resultado<void> BancoLocal::moveDanificado() {
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
        nucleo::Falha naoMovido =
            falhaDe(textos::NaoMovido, m_caminho + QStringLiteral(" -> ") + destino);
        naoMovido.tipo = nucleo::Falha::Tipo::Ilegivel;
        return naoMovido;
    }
    // The log and the index of the damaged file go with it: left behind, SQLite would apply
    // them to the fresh file.
    for (const QString& sufixo : {QStringLiteral("-wal"), QStringLiteral("-shm")})
        if (QFileInfo::exists(m_caminho + sufixo))
            QFile::rename(m_caminho + sufixo, destino + sufixo);
    m_movidoPara = destino;
    return {};
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
    tentaAbrirUmaVez();
    return QSqlDatabase::database(m_conexao, false);
}

nucleo::Resultado<void>
BancoLocal::transacao(const std::function<nucleo::Resultado<void>()>& passos) {
    QSqlDatabase base = db();
    if (!base.isOpen())
        return m_abrindo || m_aberto ? FalhaDoBanco(base.lastError()) : m_falha;
    if (!base.transaction())
        return FalhaDoBanco(base.lastError());
    if (auto feito = passos(); !feito) {
        base.rollback();
        return feito;
    }
    if (!base.commit()) {
        const nucleo::Falha falha = FalhaDoBanco(base.lastError());
        base.rollback();
        return falha;
    }
    return {};
}

nucleo::Resultado<void> BancoLocal::migra() {
    QSqlQuery q(db());
    const int versao = versaoDoArquivo(db());
    for (int v = versao; v < migracoes().size(); ++v) {
        auto feito = transacao([&]() -> nucleo::Resultado<void> {
            for (const QString& comando : migracoes()[v])
                if (!q.exec(comando))
                    return FalhaDoBanco(q.lastError());
            if (!q.exec(QStringLiteral("PRAGMA user_version=%1").arg(v + 1)))
                return FalhaDoBanco(q.lastError());
            return {};
        });
        if (!feito)
            return feito;
    }
    return {};
}

} // namespace banco
