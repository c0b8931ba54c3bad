#pragma once

#include "store/Rascunhos.h"

#include <QHash>
#include <QObject>
#include <QTimer>

#include <functional>

namespace cotacao {

// Keeps the draft of the answer on screen: every change is noted with its time and saved to the
// local database within a second, all pending changes in one transaction, so typing never waits
// for the disk and a process killed at any moment loses at most the last second.
class Rascunho : public QObject {
public:
    // The current value of a field of a row (0 for the terms) and the product the row holds.
    struct Valor {
        QString produto;
        QString valor;
    };
    using LeValor = std::function<Valor(const QString& campo, int linha)>;
    // Told when a save failed (with the database's words) and when saving works again.
    using AvisoDeFalha = std::function<void(const QString& erro)>;

    Rascunho(banco::BancoLocal* banco, QString cotacao, QString cnpj, LeValor leValor,
             AvisoDeFalha avisoDeFalha = {});
    ~Rascunho() override;

    // Notes a change of a field of a row; saved within `atraso`.
    void alterou(const QString& campo, int linha);
    // Saves what is pending now; false when the database refused it or is unavailable (it
    // stays pending). Without a database at all there is nothing to save.
    bool guardaAgora();

    // The draft kept from an earlier session, and when it last changed.
    QList<banco::ItemRascunho> anterior() const;
    std::optional<QDateTime> alteradoEm() const;
    void descarta();

    static constexpr int atraso = 500; // milliseconds

private:
    banco::BancoLocal* m_banco;
    QString m_cotacao;
    QString m_cnpj;
    LeValor m_leValor;
    AvisoDeFalha m_avisoDeFalha;
    QHash<QPair<QString, int>, QDateTime> m_pendentes;
    QTimer m_temporizador;
    bool m_falhou = false;
};

} // namespace cotacao
