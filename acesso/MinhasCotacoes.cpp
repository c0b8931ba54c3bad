#include "acesso/MinhasCotacoes.h"

#include "acesso/Textos.h"
#include "banco/Rascunhos.h"
#include "formatos/Arquivos.h"
#include "nucleo/Ini.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>

using namespace formatos;
using namespace nucleo;

namespace acesso {

namespace {

// Receipts and drafts, newest first. A draft's requester costs a read of its quotation file:
// only the list shows it.
nucleo::Resultado<QList<RespostaListada>> respostas(banco::BancoLocal& banco,
                                                    bool solicitantesDosRascunhos) {
    if (auto aberto = banco.abre(); !aberto)
        return aberto.falha();
    const auto recibos = banco::Recibos(banco).todos();
    if (!recibos)
        return recibos.falha();
    const auto rascunhos = banco::Rascunhos(banco).pendentes();
    if (!rascunhos)
        return rascunhos.falha();
    QList<RespostaListada> lista;
    lista.reserve(recibos->size() + rascunhos->size());
    QHash<QString, QString> solicitantes; // of each quotation, from its latest receipt that says
    for (const banco::Recibo& r : *recibos) {
        lista.append({r.quando, r.cotacao, r.cnpj, r.solicitante.trimmed(), r});
        if (!r.solicitante.trimmed().isEmpty() && !solicitantes.contains(r.cotacao))
            solicitantes.insert(r.cotacao, r.solicitante.trimmed());
    }
    // Drafts are few: each one's requester is read from its quotation file when it is here, or
    // taken from an answer sent to the same quotation.
    for (const banco::RascunhoPendente& p : *rascunhos) {
        QString solicitante;
        if (solicitantesDosRascunhos && Arquivos::NumeroCotacaoValido(p.cotacao))
            GetFileIni(Arquivos::Secao, Arquivos::Cotacao::Solicitante, QString(),
                       ArquivoDoPrograma(Arquivos::NomeCotacao(p.cotacao)), solicitante);
        solicitante = solicitante.trimmed();
        if (solicitante.isEmpty())
            solicitante = solicitantes.value(p.cotacao);
        lista.append({p.alterado, p.cotacao, p.cnpj, solicitante, std::nullopt});
    }
    // Both lists come newest first: a stable sort keeps each one's own order among equal times.
    std::stable_sort(
        lista.begin(), lista.end(),
        [](const RespostaListada& a, const RespostaListada& b) { return a.quando > b.quando; });
    return lista;
}

} // namespace

nucleo::Resultado<QList<RespostaListada>> RespostasDoComputador(banco::BancoLocal& banco) {
    return respostas(banco, true);
}

QStringList NumerosRecentes(banco::BancoLocal& banco, int maximo) {
    QStringList numeros;
    QSet<QString> vistos;
    // The recent numbers only help the typing: a database that cannot be read offers none.
    const auto lista = respostas(banco, false);
    for (const RespostaListada& r : lista ? *lista : QList<RespostaListada>()) {
        if (numeros.size() >= maximo)
            break;
        if (!vistos.contains(r.cotacao)) {
            vistos.insert(r.cotacao);
            numeros << r.cotacao;
        }
    }
    return numeros;
}

nucleo::Resultado<QByteArray> ConfereCopia(const banco::Recibo& recibo) {
    using nucleo::Falha;
    const QString caminho = ArquivoDoPrograma(Arquivos::NomeResposta(recibo.cotacao, recibo.cnpj));
    // Each answer is named by its quotation and the moment it was sent.
    const auto diz = [&](const QString& texto) {
        return texto.arg(recibo.cotacao, DateToText(recibo.quando.date()),
                         TimeToText(recibo.quando.time()));
    };
    QFile arquivo(caminho);
    const auto ilegivel = [&] {
        return Falha{Falha::Tipo::Ilegivel, diz(textos::CopiaIlegivel),
                     caminho + QStringLiteral(": ") + arquivo.errorString()};
    };
    const Falha diferente{Falha::Tipo::Recusada, diz(textos::CopiaDiferente), caminho};
    if (!arquivo.open(QIODevice::ReadOnly))
        return QFileInfo::exists(caminho)
                   ? ilegivel()
                   : Falha{Falha::Tipo::Inexistente, diz(textos::CopiaAusente), caminho};
    // A copy of another size is not the one sent: it is not even read.
    if (arquivo.size() != recibo.tamanho)
        return diferente;
    const QByteArray bytes = arquivo.readAll();
    if (arquivo.error() != QFileDevice::NoError)
        return ilegivel();
    if (!recibo.confere(bytes))
        return diferente;
    return bytes;
}

} // namespace acesso
