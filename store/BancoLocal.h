#pragma once

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace banco {

// The program's local database: one SQLite file in the program directory holding the drafts of
// answers not yet sent, the receipts of sendings and the last prices sent. WAL journal, one
// transaction per save; the program creates and migrates its schema itself (PRAGMA user_version).
// Every failure is reported by the result and by erro(); nothing here shows anything. The file is
// opened at the first use, not at construction: the start-up does not wait for it.
class BancoLocal {
public:
    explicit BancoLocal(const QString& caminho);
    ~BancoLocal();
    BancoLocal(const BancoLocal&) = delete;
    BancoLocal& operator=(const BancoLocal&) = delete;

    // Opens the file at the first call; true when it is open and its schema current.
    bool aberto();
    // The last failure, as the database described it.
    const QString& erro() const { return m_erro; }

    QSqlDatabase db();

    // Runs `passos` in one transaction: committed when they answer true, rolled back otherwise.
    bool transacao(const std::function<bool()>& passos);

    // Records a failure of a query of ours (its text becomes erro()); answers false.
    bool falhou(const QString& texto);

private:
    void abre();
    bool migra();

    QString m_caminho;
    QString m_conexao;
    bool m_tentou = false;
    bool m_aberto = false;
    QString m_erro;
};

} // namespace banco
