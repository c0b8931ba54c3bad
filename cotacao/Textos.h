#pragma once

#include <QString>

// The quotation form's own words: its menus, labels and notes, the product grid's headings and
// the printed report. What sending, drafts and spreadsheets say is in proposta/Textos.h
// (proposta::textos).
namespace cotacao::textos {

// The menus and the tool bar.
inline const QString MenuArquivo = QStringLiteral("&Arquivo");
inline const QString BarraArquivo = QStringLiteral("Arquivo");
inline const QString ComandoEnviar = QStringLiteral("&Enviar");
inline const QString ComandoImprimir = QStringLiteral("&Imprimir");
inline const QString ComandoSair = QStringLiteral("Sai&r");
inline const QString ComandoExportar = QStringLiteral("E&xportar planilha...");
inline const QString ComandoImportar = QStringLiteral("Im&portar planilha...");
inline const QString MenuEditar = QStringLiteral("E&ditar");
inline const QString ComandoDesfazer = QStringLiteral("&Desfazer");
inline const QString ComandoRefazer = QStringLiteral("&Refazer");
inline const QString ComandoCopiar = QStringLiteral("&Copiar");
inline const QString ComandoColar = QStringLiteral("C&olar");
inline const QString ComandoLimpar = QStringLiteral("&Limpar células");
inline const QString ComandoLocalizar = QStringLiteral("&Localizar");
inline const QString ComandoPreencherUltimos = QStringLiteral("&Preencher com últimos preços");
// What a screen reader says of the search field.
inline const QString NomeLocalizar = QStringLiteral("Localizar");

// The form's fields, as their labels say and as a screen reader says them.
inline const QString NomeFormaPgto = QStringLiteral("Forma de pgto");
inline const QString NomePrazoEntrega = QStringLiteral("Prazo de entrega");
inline const QString NomePedidoMinimo = QStringLiteral("Pedido mínimo");
inline const QString NomeValorFrete = QStringLiteral("Valor do frete");
inline const QString NomeObservacoes = QStringLiteral("Observações do fornecedor");
inline const QString NomeProdutos = QStringLiteral("Produtos da cotação");
inline const QString RotuloFormaPgto = QStringLiteral("Forma de pgto:");
inline const QString RotuloPrazoEntrega = QStringLiteral("Prazo de entrega:");
inline const QString RotuloPedidoMinimo = QStringLiteral("Pedido mínimo:");
inline const QString RotuloValorFrete = QStringLiteral("Valor do frete:");
inline const QString MolduraObservacoes = QStringLiteral("Observações do fornecedor:");
inline const QString MolduraDadosGerais = QStringLiteral("Dados gerais:");
inline const QString MolduraSolicitante = QStringLiteral("Solicitante:");
inline const QString SemSolicitante = QStringLiteral("Nome do estabelecimento");
inline const QString DicaFormaPgto = QStringLiteral("* colocar em dias. Ex1: 30 Ex2: 30/60/90");
inline const QString DicaPrazoEntrega = QStringLiteral("* colocar em dias Ex: 30");
inline const QString DicaEmReais = QStringLiteral("* em reais");
inline const QString Atencao = QStringLiteral("ATENÇÃO");
inline const QString NotaSubstituicao =
    QStringLiteral("1 - Os valores devem ser inseridos com a ST inclusa quando houver.");
inline const QString NotaUnidade =
    QStringLiteral("2 - Os valores devem ser por unidade ou kilo do produto.");
inline const QString NotaPreencher =
    QStringLiteral("3 - Preencha todos os campos antes de enviar a cotação.");

// The product grid's headings.
inline const QString ColunaPlu = QStringLiteral("PLU");
inline const QString ColunaBarras = QStringLiteral("Cód. de barras");
inline const QString ColunaDescricao = QStringLiteral("Descrição");
inline const QString ColunaQuantidade = QStringLiteral("Qtde.");
inline const QString ColunaUnid = QStringLiteral("Unid.");
inline const QString ColunaPreco = QStringLiteral("Preço R$");
inline const QString ColunaObsProduto = QStringLiteral("Observações do produto");

// The printed report: its columns, its heading row, its totals, its titles and its footer, with
// the page number (&p) of the number of pages (&n).
inline const QString ColunaUnidade = QStringLiteral("Unidade");
inline const QString ColunaPrecoUnitario = QStringLiteral("Preço Unit.");
inline const QString ColunaTotal = QStringLiteral("Total");
inline const QString ColunaObservacoes = QStringLiteral("Observações");
inline const QString CabecalhoRelatorio = QStringLiteral(
    "PLU\tCód. de barras\tDescrição\tQtde.\tUnidade\tVlr. Unit.\tSub-total\tObservações");
inline const QString ValorTotal = QStringLiteral("Valor total ->");
inline const QString ProdutosACotar = QStringLiteral("Número de produtos à cotar ->");
inline const QString ProdutosCotados = QStringLiteral("Número de produtos cotados ->");
inline const QString ObservacoesGerais = QStringLiteral("Observações gerais:");
inline const QString TituloRelatorio = QStringLiteral("Cotação de produtos");
inline const QString TituloCodigo = QStringLiteral("Cód. da cotação: ");
inline const QString TituloSolicitante = QStringLiteral("Solicitante: ");
inline const QString TituloFormaPgto = QStringLiteral("Forma de pgto: ");
inline const QString TituloPrazoEntrega = QStringLiteral("Prazo de entrega: ");
inline const QString TituloPedidoMinimo = QStringLiteral("Pedido minimo: ");
inline const QString TituloValorFrete = QStringLiteral("Valor do frete: ");
// The report's footer: the program, the vendor's contact line (from the build) after " - ", and
// the page.
inline const QString RodapeRelatorio = QStringLiteral("Cotação eletrônica");
inline const QString RodapeSeparador = QStringLiteral(" - ");
inline const QString RodapePagina = QStringLiteral("          Página &p de &n");

} // namespace cotacao::textos
