#include "quotation/Rascunho.h"

namespace cotacao {

Rascunho::Rascunho(banco::BancoLocal* banco, QString cotacao, QString cnpj, LeValor leValor,
                   AvisoDeFalha avisoDeFalha)
    : m_banco(banco)
    , m_cotacao(std::move(cotacao))
    , m_cnpj(std::move(cnpj))
    , m_leValor(std::move(leValor))
    , m_avisoDeFalha(std::move(avisoDeFalha)) {
    m_temporizador.setSingleShot(true);
    m_temporizador.setInterval(atraso);
    QObject::connect(&m_temporizador, &QTimer::timeout, this, [this] { guardaAgora(); });
}

Rascunho::~Rascunho() {
    guardaAgora();
}

void Rascunho::alterou(const QString& campo, int linha) {
    // Noted even while the database is unavailable: saving then fails, and says so.
    if (!m_banco)
        return;
    m_pendentes.insert({campo, linha}, QDateTime::currentDateTime());
    // Started by the first change and not pushed back by the next ones: a supplier typing
    // without pause still gets his work saved every half second.
    if (!m_temporizador.isActive())
        m_temporizador.start();
}

bool Rascunho::guardaAgora() {
    m_temporizador.stop();
    if (m_pendentes.isEmpty() || !m_banco)
        return true;
    if (!m_banco->aberto()) {
        // Not retried by the timer: the next change tries again.
        m_falhou = true;
        if (m_avisoDeFalha)
            m_avisoDeFalha(m_banco->erro());
        return false;
    }
    QList<banco::ItemRascunho> itens;
    itens.reserve(m_pendentes.size());
    for (auto i = m_pendentes.cbegin(); i != m_pendentes.cend(); ++i) {
        const Valor v = m_leValor(i.key().first, i.key().second);
        itens.append({i.key().first, i.key().second, v.produto, v.valor, i.value()});
    }
    if (!banco::Rascunhos(*m_banco).guarda(m_cotacao, m_cnpj, itens)) {
        m_falhou = true;
        if (m_avisoDeFalha)
            m_avisoDeFalha(m_banco->erro());
        m_temporizador.start(); // try again
        return false;
    }
    m_pendentes.clear();
    if (m_falhou && m_avisoDeFalha)
        m_avisoDeFalha(QString());
    m_falhou = false;
    return true;
}

QList<banco::ItemRascunho> Rascunho::anterior() const {
    if (!m_banco || !m_banco->aberto())
        return {};
    return banco::Rascunhos(*m_banco).le(m_cotacao, m_cnpj);
}

std::optional<QDateTime> Rascunho::alteradoEm() const {
    if (!m_banco || !m_banco->aberto())
        return std::nullopt;
    return banco::Rascunhos(*m_banco).ultimaAlteracao(m_cotacao, m_cnpj);
}

void Rascunho::descarta() {
    m_temporizador.stop();
    m_pendentes.clear();
    if (m_banco && m_banco->aberto())
        banco::Rascunhos(*m_banco).descarta(m_cotacao, m_cnpj);
}

} // namespace cotacao
