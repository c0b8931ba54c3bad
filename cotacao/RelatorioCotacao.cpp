#include "cotacao/RelatorioCotacao.h"

#include "cotacao/ColunasGrade.h"
#include "cotacao/Textos.h"
#include "formatos/Arquivos.h"
#include "formatos/Quantia.h"
#include "grade/ObjetosGrade.h"
#include "janelas/Caixas.h"
#include "janelas/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/Ini.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "proposta/Textos.h"

#include <array>

using namespace cotacao;
using namespace grade;
using namespace proposta;

namespace cotacao {

QString RodapeDoRelatorio(const QString& contato) {
    const QString linha = contato.simplified();
    return textos::RodapeRelatorio +
           (linha.isEmpty() ? QString() : textos::RodapeSeparador + linha) + textos::RodapePagina;
}

QString ContatoDoFornecedor() {
#ifdef COTACAO_CONTATO
    return QString::fromUtf8(COTACAO_CONTATO);
#else
    return {};
#endif
}

void ImprimeRelatorio(const Proposta& proposta, const QString& codigo) {
    ControleGrade controle;
    FlexCell r;
    r.InitAutoObject(&controle);
    IniciaRelatorio(r);
    PreencheRelatorio(r, proposta);
    MostraRelatorio(r, proposta, codigo);
}

void ImprimeRespostaGuardada(const banco::Recibo& recibo, const QByteArray& resposta) {
    using namespace formatos::Arquivos;
    auto cotacao = formatos::LeCotacao(nucleo::ArquivoDoPrograma(NomeCotacao(recibo.cotacao)));
    if (!cotacao) {
        janelas::Caixas::aviso(nullptr, janelas::textos::Aviso,
                               cotacao.falha().tipo == nucleo::Falha::Tipo::Inexistente
                                   ? proposta::textos::CotacaoAusente.arg(recibo.cotacao)
                                   : nucleo::Diz(cotacao.falha()));
        return;
    }
    nucleo::ArquivoIni arquivo;
    arquivo.usa(resposta);
    Proposta proposta;
    proposta.inicia(std::move(*cotacao));
    proposta.carregaResposta(formatos::LeResposta(arquivo));
    ImprimeRelatorio(proposta, recibo.cotacao);
}

void IniciaRelatorio(FlexCell& g) {
    g.DisplayFocusRect(false);
    g.BackColorBkg(CorOle(255, 255, 255));
    g.DisplayRowIndex(false);
    g.Cols(9);
    static const ColunaGrade colunas[] = {
        {QString(), 0, Alinhamento::Esquerda, {}, false},
        {textos::ColunaPlu, 50, Alinhamento::Esquerda, {}, false},
        {textos::ColunaBarras, 100, Alinhamento::Esquerda, {}, false},
        {textos::ColunaDescricao, 330, Alinhamento::Esquerda, {}, false},
        {textos::ColunaQuantidade, 50, Alinhamento::Direita, {}, true, Leitura::Quantidade},
        {textos::ColunaUnidade, 60, Alinhamento::Centro, {}, false},
        {textos::ColunaPrecoUnitario, 80, Alinhamento::Direita, {}, true},
        {textos::ColunaTotal, 80, Alinhamento::Direita, {}, true},
        {textos::ColunaObservacoes, 330, Alinhamento::Esquerda, {}, false}};
    AplicaColunas(g, colunas);
    g.Rows(1);
}

void PreencheRelatorio(FlexCell& r, const Proposta& proposta) {
    const auto ultima = [&] { return r.Rows().toInt() - 1; };
    const auto linhaToda = [&](int ate) { return r.Range(ultima(), 1, ultima(), ate); };
    const QChar tab = u'\t';

    if (r.Rows().toInt() > 1)
        r.Range(1, 1, ultima(), r.Cols().toInt() - 1).DeleteByRow();
    r.AddItem_(textos::CabecalhoRelatorio, false);
    linhaToda(8).FontBold(true);
    linhaToda(8).FontUnderline(true);

    for (int i = 0; i < proposta.produtos(); ++i) {
        const formatos::Produto& p = proposta.produto(i);
        // The figures as the grid and the status bar show them: one rounding, written once.
        QStringList textos{p.plu,
                           p.codigoBarras,
                           p.descricao,
                           p.quantidade,
                           p.unidade,
                           proposta.precoMostrado(i),
                           formatos::MostraCentavos(proposta.subtotal(i)),
                           proposta.observacao(i)};
        for (QString& t : textos)
            t.replace(tab, u' ');
        r.AddItem_(textos.join(tab), false);
        linhaToda(8).BackColor(i % 2 == 1 ? CorOle(255, 255, 255) : CorOle(230, 230, 230));
    }

    const auto linhaDeTotal = [&](const QString& rotulo, const QString& valor, bool semMascara) {
        r.Range(ultima(), 1, ultima(), 5).Merge();
        r.Cell(ultima(), 1).Text(rotulo);
        r.Cell(ultima(), 1).Alignment(Alinhamento::Direita);
        r.Cell(ultima(), 6).Text(valor);
        if (semMascara)
            r.Cell(ultima(), 6).Mask(0);
        linhaToda(8).FontBold(true);
    };
    r.AddItem_(QString(), false);
    r.AddItem_(QString(), false);
    linhaDeTotal(textos::ValorTotal, formatos::MostraCentavos(proposta.centavos()), true);
    r.AddItem_(QString(), false);
    linhaDeTotal(textos::ProdutosACotar, QString::number(proposta.produtos()), true);
    r.AddItem_(QString(), false);
    linhaDeTotal(textos::ProdutosCotados, QString::number(proposta.cotados()), false);

    for (int i = 0; i < 3; ++i)
        r.AddItem_(QString(), false);
    r.Range(ultima(), 1, ultima(), 8).Merge();
    r.Cell(ultima(), 1).Text(textos::ObservacoesGerais);
    r.Cell(ultima(), 1).Alignment(Alinhamento::Esquerda);
    linhaToda(8).FontBold(true);
    r.AddItem_(QString(), false);
    r.Range(ultima(), 1, ultima(), 8).Merge();
    r.Cell(ultima(), 1).Text(proposta.termos().obsGeral);
    r.Cell(ultima(), 1).Alignment(Alinhamento::Esquerda);
    r.Refresh();
}

void MostraRelatorio(FlexCell& r, const Proposta& proposta, const QString& codigo) {
    const formatos::Termos& termos = proposta.termos();
    r.ReportTitles().Clear();
    const QString fim = QStringLiteral("||");
    const std::array<std::pair<QString, int>, 9> titulos{{
        {textos::TituloRelatorio, 18},
        {QStringLiteral(" "), 10},
        {textos::TituloCodigo + codigo + fim, 10},
        {textos::TituloSolicitante + proposta.cotacao().solicitante.trimmed() + fim, 10},
        {textos::TituloFormaPgto + termos.formaPgto.trimmed() + fim, 10},
        {textos::TituloPrazoEntrega + termos.prazoEntrega.trimmed() + fim, 10},
        {textos::TituloPedidoMinimo + termos.pedidoMinimo.trimmed() + fim, 10},
        {textos::TituloValorFrete + termos.valorFrete.trimmed() + fim, 10},
        {QStringLiteral(" "), 10},
    }};
    for (std::size_t i = 0; i < titulos.size(); ++i) {
        FlexCell_ReportTitle titulo;
        titulo.Text(titulos[i].first);
        FontFlexCell fonte = titulo.Font();
        fonte.Name(QStringLiteral("Times New Roman"));
        fonte.Size(titulos[i].second);
        fonte.Bold(true);
        titulo.PrintOnAllPages(false);
        if (i > 0)
            titulo.AlignTo(0);
        r.ReportTitles().Add(titulo);
    }

    FlexCell_PageSetup pagina = r.PageSetup();
    pagina.Orientation(2);
    pagina.LeftMargin(1.0);
    pagina.RightMargin(1.0);
    pagina.TopMargin(1.5);
    pagina.BottomMargin(1.5);
    pagina.FooterMargin(0.8);
    pagina.Footer(RodapeDoRelatorio(ContatoDoFornecedor()));
    pagina.FooterLineStyle(1);
    r.controle()->relatorio().nomeDocumento = codigo;
    r.PrintPreview(100);
}

} // namespace cotacao
