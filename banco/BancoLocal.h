#pragma once

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace banco {

// The program's local database: one SQLite file in the program directory holding the drafts of
// answers not yet sent, the receipts of sendings, the last prices sent and the supplier's own
// price table. WAL journal, one transaction per save; the program creates and migrates its schema
// itself (PRAGMA user_version). Every failure is reported by the result and by erro(); nothing
// here shows anything. The file is opened at the first use, not at construction: the start-up
// does not wait for it, and a file that could not be opened is tried again at the next use (one
// of a newer version is not). A damaged file is moved aside (never deleted) as
// "<name>.danificado-AAAAMMDD" and a fresh one started.
class BancoLocal {
public:
    explicit BancoLocal(const QString& caminho);
    ~BancoLocal();
    BancoLocal(const BancoLocal&) = delete;
    BancoLocal& operator=(const BancoLocal&) = delete;

    // Opens the file at the first call (and after a failure); true when it is open and its
    // schema current.
    bool aberto();
    const QString& caminho() const { return m_caminho; }

    // The last failure, as the database described it.
    const QString& erro() const { return m_erro; }

    // Why the file is not open.
    enum class Problema {
        Nenhum,
        NaoAbre,    // it cannot be opened or written here (erro() says why)
        VersaoNova, // written by a newer version of the program: left as it is
        Danificado, // damaged, and it could not be moved aside
    };
    Problema problema() const { return m_problema; }

    // Where a damaged file was moved aside, until told with esqueceMovido().
    const QString& movidoPara() const { return m_movidoPara; }
    void esqueceMovido() { m_movidoPara.clear(); }

    QSqlDatabase db();

    // Runs `passos` in one transaction: committed when they answer true, rolled back otherwise.
    bool transacao(const std::function<bool()>& passos);

    // Records a failure of a query of ours (its text becomes erro()); answers false.
    bool falhou(const QString& texto);

private:
    void abre();
    // One attempt at opening the file as it is; Danificado when SQLite finds it damaged.
    Problema tentaAbrir();
    bool migra();
    bool moveDanificado();

    QString m_caminho;
    QString m_conexao;
    bool m_tentou = false;
    bool m_aberto = false;
    bool m_abrindo = false;
    Problema m_problema = Problema::Nenhum;
    QString m_erro;
    QString m_movidoPara;
};

} // namespace banco
