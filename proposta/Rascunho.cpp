#include "proposta/Rascunho.h"

#include "nucleo/Erro.h"
#include "nucleo/Regional.h"
#include "proposta/Proposta.h"
#include "proposta/Textos.h"

#include <QDir>

namespace proposta {

namespace {
// What the draft calls a product's two values.
const QString kCampoPreco = QStringLiteral("preco");
const QString kCampoObs = QStringLiteral("obs");
} // namespace

Rascunho::Rascunho(banco::BancoLocal* banco, QString cotacao, QString cnpj,
                   AvisoDeFalha avisoDeFalha)
    : m_banco(banco)
    , m_cotacao(std::move(cotacao))
    , m_cnpj(std::move(cnpj))
    , m_avisoDeFalha(std::move(avisoDeFalha)) {
    m_temporizador.setSingleShot(true);
    m_temporizador.setInterval(atraso);
    // A save that failed was told through avisoDeFalha; the timer tries again.
    QObject::connect(&m_temporizador, &QTimer::timeout, this,
                     [this] { static_cast<void>(guardaAgora()); });
}

Rascunho::~Rascunho() {
    // The window that closes asked before (FormCotacao::QueryClose); nothing is left to tell.
    static_cast<void>(guardaAgora());
}

void Rascunho::acompanha(const Proposta& proposta) {
    QObject::connect(&proposta, &Proposta::alterada, this,
                     [this, &proposta](const QList<Alteracao>& feitas) {
                         for (const Alteracao& a : feitas)
                             anota(a.campo == Campo::Preco ? kCampoPreco : kCampoObs, a.produto + 1,
                                   proposta.chave(a.produto), a.depois);
                     });
    QObject::connect(
        &proposta, &Proposta::termoAlterado, this,
        [this](const QString& campo, const QString& texto) { anota(campo, 0, QString(), texto); });
}

void Rascunho::anota(const QString& campo, int linha, const QString& produto,
                     const QString& valor) {
    // Noted even while the database is unavailable: saving then fails, and says so.
    if (!m_banco)
        return;
    m_pendentes.insert({campo, linha},
                       {campo, linha, produto, valor, QDateTime::currentDateTime()});
    // Started by the first change and not pushed back by the next ones: a supplier typing
    // without pause still gets his work saved every half second.
    if (!m_temporizador.isActive())
        m_temporizador.start();
}

nucleo::Resultado<void> Rascunho::guardaAgora() {
    m_temporizador.stop();
    if (m_pendentes.isEmpty() || !m_banco)
        return {};
    if (auto aberto = m_banco->abre(); !aberto) {
        // Not retried by the timer: the next change tries again.
        m_falhou = true;
        if (m_avisoDeFalha)
            m_avisoDeFalha(nucleo::Diz(aberto.falha()));
        return aberto;
    }
    if (auto guardado = banco::Rascunhos(*m_banco).guarda(m_cotacao, m_cnpj, m_pendentes.values());
        !guardado) {
        m_falhou = true;
        if (m_avisoDeFalha)
            m_avisoDeFalha(nucleo::Diz(guardado.falha()));
        m_temporizador.start(); // try again
        return guardado;
    }
    m_pendentes.clear();
    if (m_falhou && m_avisoDeFalha)
        m_avisoDeFalha(QString());
    m_falhou = false;
    return {};
}

namespace {
// Whether the draft's `chave` names product `i`: its key, or the key an earlier version kept (the
// barcode alone, and before that "PLU\tbarcode").
bool mesmoProduto(const Proposta& proposta, int i, const QString& chave) {
    const Identidade& id = proposta.identidade(i);
    const formatos::Produto& p = proposta.produto(i);
    return chave == proposta.chave(i) || (!id.barras.isEmpty() && chave == id.barras) ||
           chave == p.plu + u'\t' + p.codigoBarras;
}
} // namespace

nucleo::Resultado<void> Rascunho::recupera(Proposta& proposta) const {
    if (!m_banco)
        return {};
    const auto itens = banco::Rascunhos(*m_banco).le(m_cotacao, m_cnpj);
    if (!itens)
        return itens.falha();
    QList<Alteracao> valores;
    for (const banco::ItemRascunho& item : *itens) {
        if (item.linha == 0) {
            proposta.defineTermo(item.campo, item.valor);
            continue;
        }
        const int i = item.linha - 1;
        if (i >= proposta.produtos())
            continue;
        if (!mesmoProduto(proposta, i, item.produto))
            continue;
        valores.append(
            {i, item.campo == kCampoPreco ? Campo::Preco : Campo::Observacao, {}, item.valor});
    }
    proposta.altera(valores);
    return {};
}

nucleo::Resultado<std::optional<QDateTime>> Rascunho::alteradoEm() const {
    // A database that did not open holds no draft to offer; the form told it as it opened.
    if (!m_banco || !m_banco->aberto())
        return std::optional<QDateTime>();
    return banco::Rascunhos(*m_banco).ultimaAlteracao(m_cotacao, m_cnpj);
}

void Rascunho::esquece() {
    m_temporizador.stop();
    m_pendentes.clear();
}

nucleo::Resultado<void> Rascunho::descarta() {
    esquece();
    if (!m_banco)
        return {};
    return banco::Rascunhos(*m_banco).descarta(m_cotacao, m_cnpj);
}

nucleo::Resultado<bool> Rascunho::oferece(Proposta& proposta,
                                          const std::optional<QDateTime>& ultimoEnvio,
                                          const std::function<bool(const QString&)>& pergunta) {
    const auto alterado = alteradoEm();
    if (!alterado)
        return alterado.falha();
    const std::optional<QDateTime>& quando = *alterado;
    if (!quando)
        return false;
    if ((ultimoEnvio && *ultimoEnvio >= *quando) ||
        !pergunta(textos::RecuperarRascunho.arg(DateToText(quando->date()),
                                                quando->time().toString(u"HH:mm")))) {
        if (auto descartado = descarta(); !descartado)
            return descartado.falha();
        return false;
    }
    if (auto recuperado = recupera(proposta); !recuperado)
        return recuperado.falha();
    return true;
}

QStringList AvisosDoBanco(banco::BancoLocal& banco) {
    using namespace textos;
    QStringList avisos;
    const QString arquivo = QDir::toNativeSeparators(banco.caminho());
    if (!banco.movidoPara().isEmpty()) {
        avisos << BancoDanificado.arg(arquivo, QDir::toNativeSeparators(banco.movidoPara()));
        banco.esqueceMovido();
    }
    const auto aberto = banco.abre();
    if (aberto)
        return avisos;
    const QString motivo = aberto.falha().tipo == nucleo::Falha::Tipo::Recusada
                               ? BancoVersaoNova.arg(arquivo)
                               : BancoNaoAbre.arg(arquivo, nucleo::Diz(aberto.falha()));
    avisos << RascunhosIndisponiveis.arg(motivo);
    return avisos;
}

} // namespace proposta
