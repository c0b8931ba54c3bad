#include "proposta/PrecosDaTabela.h"

#include "banco/Textos.h"
#include "formatos/Quantia.h"
#include "formatos/Resposta.h"
#include "nucleo/Regional.h"
#include "proposta/Envio.h"
#include "proposta/Importacao.h"
#include "proposta/Planilha.h"
#include "proposta/Textos.h"

#include <QFileInfo>
#include <QHash>

using namespace nucleo;

namespace proposta {
namespace {

// A price from the file as the answer takes it, or nothing when it is not an amount above zero.
std::optional<QString> preco(const QVariant& celula) {
    const std::optional<formatos::Quantia> p = PrecoDaPlanilha(celula);
    if (!p || p->zero())
        return std::nullopt;
    return p->numero();
}

// Reads the lines as they arrive; a heading without a price column is not the table's.
class Leitor : public LinhasSobCabecalho {
public:
    nucleo::Resultado<PlanoDaTabela> resultado() && {
        if (m_demais)
            return nucleo::Falha{nucleo::Falha::Tipo::Recusada, textos::TextoDemaisNaImportacao};
        return std::move(m_r);
    }

private:
    bool aceita(const ColunasDaPlanilha& c) override {
        m_r.cabecalhoAchado = c.preco >= 0;
        return m_r.cabecalhoAchado;
    }

    bool corpo(const QVariantList& linha) override {
        const Identidade codigos = CodigosDaLinha(linha, &m_r.barrasIlegiveis);
        if (codigos.vazia())
            return true; // a blank line, or a total under the table
        ++m_r.linhasLidas;
        if (linha.value(2).toString().trimmed().isEmpty()) {
            ++m_r.semPreco;
            return true;
        }
        const std::optional<QString> p = preco(linha.value(2));
        if (!p) {
            ++m_r.precosRecusados;
            AnotaRecusa(m_r.recusas, codigos, linha.value(2));
            return true;
        }
        bool cortada = false;
        const banco::ItemDaTabela item{codigos.barras, codigos.plu, *p,
                                       ObservacaoImportada(linha.value(3), &cortada)};
        m_r.cortadas += cortada;
        m_texto += item.obs.size();
        if (m_texto > kMaximoDoTextoImportado) {
            m_demais = true;
            return false;
        }
        // One line per product: a later line of the same codes replaces the earlier one. Lines
        // that share only a barcode (a can and a box) are products of their own.
        const auto onde = m_porCodigos.constFind(codigos.chave());
        if (onde == m_porCodigos.cend()) {
            m_porCodigos.insert(codigos.chave(), m_r.itens.size());
            m_r.itens.append(item);
        } else {
            m_r.itens[*onde] = item;
            ++m_r.duplicados;
        }
        return true;
    }

    PlanoDaTabela m_r;
    QHash<QString, qsizetype> m_porCodigos; // each product's line in m_r.itens
    qsizetype m_texto = 0;                  // the remarks' characters read so far
    bool m_demais = false;                  // past kMaximoDoTextoImportado: the file is refused
};

} // namespace

nucleo::Resultado<PlanoDaTabela> LeTabelaDePrecos(const QString& caminho) {
    Leitor leitor;
    // Nothing of a file read halfway is kept.
    if (auto lida = PercorrePlanilha(caminho, leitor); !lida)
        return lida.falha();
    return std::move(leitor).resultado();
}

ResumoDaTabela ResumeTabela(const PlanoDaTabela& plano, const QString& caminho,
                            const Proposta& proposta, const QString& atalho) {
    using namespace textos;
    const QString nome = QFileInfo(caminho).fileName();
    if (!plano.cabecalhoAchado)
        return {false, TabelaSemColunas.arg(nome)};
    const QString contas =
        ResumoTabela.arg(ComMilhares(plano.linhasLidas, 0), ComMilhares(plano.itens.size(), 0),
                         ComMilhares(plano.semPreco, 0), ComMilhares(plano.precosRecusados, 0),
                         ComMilhares(plano.duplicados, 0)) +
        DescreveOQueFicou(plano.barrasIlegiveis, plano.cortadas, plano.recusas,
                          plano.precosRecusados);
    if (plano.itens.isEmpty())
        return {false, TabelaSemPrecos.arg(nome) + u"\n\n" + contas};
    PrecosConhecidos precos;
    precos.reserve(plano.itens.size());
    for (const banco::ItemDaTabela& item : plano.itens)
        if (const auto preco = formatos::Quantia::le(item.preco))
            precos.append({Identidade::de(item.barras, item.plu), {*preco, QDate()}});
    const QString nestaCotacao = TabelaNestaCotacao.arg(ComMilhares(proposta.comPrecoEm(precos), 0),
                                                        ComMilhares(proposta.produtos(), 0));
    return {true, contas + u'\n' + nestaCotacao + u"\n\n" + ComoPreencherComTabela.arg(atalho) +
                      u"\n\n" + PerguntaImportarTabela};
}

nucleo::Resultado<void> ImportaTabelaDePrecos(banco::BancoLocal& banco, const PlanoDaTabela& plano,
                                              const QString& caminho, const QDateTime& quando) {
    // A file that was refused or held no price never wipes the table kept.
    if (plano.itens.isEmpty())
        return nucleo::Falha{nucleo::Falha::Tipo::Recusada,
                             textos::TabelaSemPrecos.arg(QFileInfo(caminho).fileName())};
    return banco::TabelaDePrecos(banco).substitui(plano.itens, QFileInfo(caminho).fileName(),
                                                  quando);
}

nucleo::Resultado<std::optional<PrecosDaTabela>> LinhasDaTabela(banco::BancoLocal& banco,
                                                                const Proposta& proposta) {
    banco::TabelaDePrecos tabela(banco);
    const auto guardada = tabela.origem();
    if (!guardada)
        return guardada.falha();
    const std::optional<banco::TabelaDePrecos::Origem>& origem = *guardada;
    if (!origem)
        return std::optional<PrecosDaTabela>();
    QList<banco::ProdutoProcurado> produtos;
    produtos.reserve(proposta.produtos());
    for (int i = 0; i < proposta.produtos(); ++i)
        produtos.append({proposta.identidade(i).barras, proposta.identidade(i).plu});
    PrecosDaTabela r{origem->quando.date(), {}};
    const auto linhas = tabela.procura(produtos);
    if (!linhas)
        return linhas.falha();
    r.precos.reserve(linhas->size());
    for (const banco::ItemDaTabela& item : *linhas)
        if (const auto preco = formatos::Quantia::le(item.preco))
            r.precos.append({Identidade::de(item.barras, item.plu), {*preco, r.data}});
    return std::optional(std::move(r));
}

nucleo::Resultado<void> CarregaTabela(banco::BancoLocal* banco, Proposta& proposta) {
    proposta.defineTabela(PrecosConhecidos());
    if (!banco)
        return {};
    const auto tabela = LinhasDaTabela(*banco, proposta);
    if (!tabela)
        return tabela.falha();
    if (*tabela)
        proposta.defineTabela((*tabela)->precos, (*tabela)->data);
    return {};
}

nucleo::Resultado<void> CarregaPrecosGuardados(banco::BancoLocal* banco, Proposta& proposta,
                                               const QString& numero) {
    const auto ultimos = banco ? UltimosPrecosEnviados(*banco, numero)
                               : nucleo::Resultado<PrecosConhecidos>(PrecosConhecidos());
    proposta.defineUltimosPrecos(ultimos ? *ultimos : PrecosConhecidos());
    const auto tabela = CarregaTabela(banco, proposta);
    if (!banco || !banco->aberto())
        return {};
    return ultimos ? tabela : nucleo::Resultado<void>(ultimos.falha());
}

nucleo::Resultado<void> PodeGuardarTabela(banco::BancoLocal* banco) {
    if (!banco)
        return nucleo::Falha{nucleo::Falha::Tipo::Banco, banco::textos::Outro};
    return banco->abre();
}

nucleo::Resultado<std::optional<banco::TabelaDePrecos::Origem>>
OrigemDaTabela(banco::BancoLocal& banco) {
    return banco::TabelaDePrecos(banco).origem();
}

nucleo::Resultado<void> ApagaTabelaDePrecos(banco::BancoLocal& banco) {
    return banco::TabelaDePrecos(banco).apaga();
}

} // namespace proposta
