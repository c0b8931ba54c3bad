#pragma once

#include "nucleo/Resultado.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace banco {

// The program's local database: one SQLite file in the program directory holding the drafts of
// answers not yet sent, the receipts of sendings, the last prices sent and the supplier's own
// price table, and the servers that spoke TLS to it. WAL journal, one transaction per save; the
// program creates and migrates its schema itself (PRAGMA user_version). Every failure is answered
// as a Resultado whose text says why in the supplier's words (SQLite's own words go to its detail);
// nothing here shows anything. The file is opened at the first use, not at construction: the
// start-up does not wait for it, and a file that could not be opened is tried again at the next use
// (one of a newer version is not). A damaged file is moved aside (never deleted) as
// "<name>.danificado-AAAAMMDD" and a fresh one started.
class BancoLocal {
public:
    explicit BancoLocal(const QString& caminho);
    ~BancoLocal();
    BancoLocal(const BancoLocal&) = delete;
    BancoLocal& operator=(const BancoLocal&) = delete;

    // Opens the file at the first call (and after a failure); fails, saying why, unless it is
    // open and its schema current. The failure's kind says what the file is: Recusada, written by
    // a newer version of the program (left as it is, and not tried again in this run); Ilegivel,
    // damaged, and it could not be moved aside; Banco, it cannot be opened or written here.
    nucleo::Resultado<void> abre();
    bool aberto() { return abre().ok(); }
    const QString& caminho() const { return m_caminho; }

    // Where a damaged file was moved aside, until told with esqueceMovido().
    const QString& movidoPara() const { return m_movidoPara; }
    void esqueceMovido() { m_movidoPara.clear(); }

    QSqlDatabase db();

    // Runs `passos` in one transaction: committed when they succeed, rolled back otherwise.
    nucleo::Resultado<void> transacao(const std::function<nucleo::Resultado<void>()>& passos);

private:
    void tentaAbrirUmaVez();
    // One attempt at opening the file as it is (failing Ilegivel when SQLite finds it damaged).
    nucleo::Resultado<void> tentaAbrir();
    nucleo::Resultado<void> migra();
    nucleo::Resultado<void> moveDanificado();

    QString m_caminho;
    QString m_conexao;
    bool m_tentou = false;
    bool m_aberto = false;
    bool m_abrindo = false;
    nucleo::Falha m_falha; // why it is not open
    QString m_movidoPara;
};

// A failure of SQLite told in the supplier's words, with SQLite's own in its detail.
nucleo::Falha FalhaDoBanco(const QSqlError& erro);

} // namespace banco
