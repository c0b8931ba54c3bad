#pragma once

#include "nucleo/Plural.h"

#include <QString>

namespace proposta::textos {
inline const QString Titulo = QStringLiteral("Cotação de mercadorias ...");
inline const QString PerguntaSair = QStringLiteral(
    "Deseja enviar os dados preenchidos para o cliente? Caso não seja efetuado o envio os dados "
    "serão perdidos.");
inline const QString PerguntaImprimir = QStringLiteral("Deseja imprimir a cotação preenchida?");
inline const QString Sim = QStringLiteral("Sim");
inline const QString Nao = QStringLiteral("Não");
inline const QString Enviada = QStringLiteral("Cotação enviada com sucesso.");
inline const QString ErroEnvio = QStringLiteral("ERRO no envio da cotação. Tente novamente.");
inline const QString Enviando = QStringLiteral("Enviando ...");

inline const QString TermosNaoGuardados = QStringLiteral(
    "A cotação foi enviada, mas as condições gerais não foram guardadas para a próxima cotação.");

// What the buyer's system reads of each value of the answer.
inline const nucleo::Plural EspacoNasObservacoes{
    QStringLiteral("Observações dos produtos: resta %1 caractere."),
    QStringLiteral("Observações dos produtos: restam %1 caracteres.")};
inline const nucleo::Plural ObservacoesAlemDoLimite{
    QStringLiteral("Observações dos produtos: %1 caractere além do que o cliente consegue ler."),
    QStringLiteral("Observações dos produtos: %1 caracteres além do que o cliente consegue ler.")};
inline const nucleo::Plural ObservacoesLongasDemais{
    QStringLiteral(
        "A cotação não foi enviada: as observações dos produtos passam em %1 caractere do que o "
        "sistema do cliente consegue ler. Encurte as observações mais longas:\n\n%2"),
    QStringLiteral(
        "A cotação não foi enviada: as observações dos produtos passam em %1 caracteres do que o "
        "sistema do cliente consegue ler. Encurte as observações mais longas:\n\n%2")};
inline const nucleo::Plural LinhaObservacaoLonga{QStringLiteral("%1: %2 caractere\n"),
                                                 QStringLiteral("%1: %2 caracteres\n")};
inline const nucleo::Plural ValorLongoDemais{
    QStringLiteral("A cotação não foi enviada: %1 passa em %2 caractere do que o sistema do "
                   "cliente consegue ler."),
    QStringLiteral("A cotação não foi enviada: %1 passa em %2 caracteres do que o sistema do "
                   "cliente consegue ler.")};

// The draft of what was typed and not sent, and the receipt of the last sending.
inline const QString RecuperarRascunho = QStringLiteral(
    "Há preços e dados digitados em %1 às %2 que não foram enviados. Deseja recuperá-los?");
inline const QString UltimoEnvio = QStringLiteral("Última resposta enviada em %1 às %2");
inline const QString RespostaDiferente =
    QStringLiteral("A resposta no servidor não é a que foi enviada deste computador em %1 às %2. "
                   "Deseja ver a que foi enviada daqui?");
inline const QString CarregadaDaqui = QStringLiteral(
    "Resposta enviada em %1 às %2 carregada deste computador; o servidor não respondeu.");
inline const QString RespostaIlegivel = QStringLiteral(
    "Não foi possível ler a resposta enviada antes: o servidor não respondeu. Os preços abaixo "
    "não são os dela.");
inline const QString SubstituirIlegivel =
    QStringLiteral("Não foi possível ler a resposta enviada antes. Enviar agora substitui aquela "
                   "resposta por esta. Deseja enviar?");
inline const QString RascunhosIndisponiveis = QStringLiteral(
    "Os preços e dados digitados não poderão ser guardados neste computador até o envio: %1 Se "
    "sair sem enviar, o que foi digitado será perdido.");
inline const QString BancoNaoAbre = QStringLiteral("o arquivo %1 não pôde ser aberto (%2).");
inline const QString BancoVersaoNova =
    QStringLiteral("o arquivo %1 foi gravado por uma versão mais nova do programa.");
inline const QString BancoDanificado = QStringLiteral(
    "O arquivo de rascunhos %1 estava danificado. Ele foi guardado como %2 e um novo foi "
    "criado; os rascunhos que ele tinha não puderam ser recuperados.");
inline const QString RascunhoNaoGuardadoAoSair = QStringLiteral(
    "Não foi possível guardar o que foi digitado neste computador (%1). Se sair agora sem "
    "enviar, o que foi digitado será perdido. Deseja sair assim mesmo?");
// The status bar's summary of the answer.
inline const QString Resumo = QStringLiteral("Cotados: %1 de %2  |  Total: %3");
inline const QString MinimoAtingido = QStringLiteral("  |  Pedido mínimo atingido");
inline const QString AbaixoDoMinimo = QStringLiteral("  |  Abaixo do pedido mínimo (faltam %1)");
inline const QString ReciboIlegivel = QStringLiteral(
    "O recibo do último envio desta cotação não pôde ser lido neste computador (%1): a resposta "
    "que está no servidor não será conferida com a enviada daqui.");
inline const QString RascunhoIlegivel = QStringLiteral(
    "O que foi digitado e não enviado nesta cotação não pôde ser lido neste computador (%1). "
    "Ele continua guardado e será oferecido de novo no próximo acesso.");
inline const QString ReciboNaoGuardado = QStringLiteral(
    "A cotação foi enviada, mas o recibo do envio não foi guardado neste computador (%1): no "
    "próximo acesso não será possível conferir a resposta do servidor com a enviada daqui.");
inline const QString RascunhoFalhou =
    QStringLiteral("Não foi possível guardar o rascunho da cotação: %1");

// Commands of the product grid and of spreadsheets.
inline const QString Localizar = QStringLiteral("Localizar:");
inline const QString ProcurarDica = QStringLiteral("descrição, PLU ou código de barras");
inline const QString NenhumProdutoEncontrado = QStringLiteral("Nenhum produto encontrado.");
// Agrees with the products in all (%2).
inline const nucleo::Plural ProdutosMostrados{QStringLiteral("%1 de %2 produto mostrado."),
                                              QStringLiteral("%1 de %2 produtos mostrados.")};
inline const nucleo::Plural Colados{QStringLiteral("%1 valor colado"),
                                    QStringLiteral("%1 valores colados")};
inline const nucleo::Plural ColadosRecusados{QStringLiteral(", %1 recusado."),
                                             QStringLiteral(", %1 recusados.")};
// Why a pasted price went into its cell red: the first text refused, and the rule.
inline const QString ColadoNaoEValor = QStringLiteral(" \"%1\" não é um valor (%2).");
inline const nucleo::Plural Preenchidos{
    QStringLiteral("%1 preço preenchido com os últimos preços enviados."),
    QStringLiteral("%1 preços preenchidos com os últimos preços enviados.")};
inline const QString UltimoPreco = QStringLiteral("Último preço enviado: %1 em %2");
inline const QString TituloExportar = QStringLiteral("Exportar planilha");
inline const QString TituloImportar = QStringLiteral("Importar planilha");
inline const QString FiltrosDePlanilha =
    QStringLiteral("Planilha do Excel (*.xlsx);;CSV separado por ponto e vírgula (*.csv)");
inline const QString FiltrosParaImportar =
    QStringLiteral("Planilhas (*.xlsx *.csv);;Planilha do Excel (*.xlsx);;CSV (*.csv)");
inline const QString Exportada = QStringLiteral("Planilha gravada em %1.");
inline const QString PlanilhaIlegivel =
    QStringLiteral("Não foi possível ler a planilha %1. Verifique se é um arquivo .xlsx ou .csv.");
inline const QString PlanilhaSemColunas = QStringLiteral(
    "A planilha %1 não tem as colunas esperadas: é preciso um título \"Cód. de barras\" ou "
    "\"PLU\" e um título \"Preço\" ou \"Observações\".");
inline const QString ResumoImportacao =
    QStringLiteral("Linhas que correspondem a produtos desta cotação: %1 (%2 só pelo código de "
                   "barras, %3 só pelo PLU)\n"
                   "Linhas sem produto correspondente: %4\n"
                   "Linhas cujo código serve a mais de um produto (ficam de fora): %5\n"
                   "Preços recusados (não são valores): %6\n"
                   "Preços que vão mudar: %7\n"
                   "Observações que vão mudar: %8\n"
                   "Células de preço ou observação em branco (ficam como estão): %9");
// The rule a price follows, for a text refused by it.
inline const QString RegraDaQuantia =
    QStringLiteral("use só números, com vírgula ou ponto antes dos centavos, como 1.234,56 ou "
                   "R$ 1.234,56");
inline const QString PrecosQueNaoSaoValores =
    QStringLiteral("\n\nPreços que não são valores (%1):\n%2");
inline const QString MaisRecusados = QStringLiteral("e mais %1.\n");
inline const QString BarrasIlegiveis = QStringLiteral(
    "\nCódigos de barras ilegíveis, deixados de lado (o produto é procurado pelo PLU): %1 - o "
    "Excel mostra códigos longos como 7,89E+12: prefira .xlsx");
inline const QString PerguntaAplicarPlanilha = QStringLiteral("\n\nDeseja aplicar a planilha?");
// Why a spreadsheet was refused (after PlanilhaIlegivel) or not written.
inline const QString MotivoDaRecusa = QStringLiteral("\n\nMotivo: %1");
inline const QString ArquivoGrandeDemais = QStringLiteral("o arquivo tem mais de 20 MB.");
inline const QString ParteGrandeDemais =
    QStringLiteral("uma parte do arquivo passa de 50 MB quando descompactada.");
inline const QString ForaDosLimites = QStringLiteral(
    "há linhas ou colunas além do que uma planilha comporta (1.048.576 linhas e 16.384 colunas).");
inline const QString ConteudoDanificado = QStringLiteral("o conteúdo da planilha está danificado.");
inline const QString DeclaracaoDeTipo = QStringLiteral(
    "a planilha traz uma declaração de tipo de documento (DTD), que nenhuma planilha do Excel "
    "tem.");
inline const QString CompactacaoDanificada =
    QStringLiteral("o arquivo compactado está danificado (a soma de verificação não confere).");
inline const QString NaoEPastaDeTrabalho =
    QStringLiteral("o arquivo não é uma pasta de trabalho do Excel (.xlsx).");
inline const QString TextoGrandeDemais =
    QStringLiteral("há um texto maior do que uma célula de planilha comporta.");
inline const QString LinhaCsvGrandeDemais = QStringLiteral("há uma linha com mais de 64 KB.");
inline const QString ArquivoNaoAbre = QStringLiteral("o arquivo não pôde ser aberto.");
inline const QString CelulaGrandeDemais = QStringLiteral(
    "A linha %1 da planilha tem um texto maior do que uma célula comporta (32.767 caracteres). "
    "Nada foi gravado.");
inline const QString TextoDemaisNaImportacao = QStringLiteral(
    "as observações da planilha passam de 8.000.000 de caracteres, mais do que uma importação "
    "guarda.");
inline const QString ObservacoesCortadas =
    QStringLiteral("\nObservações cortadas em %2 caracteres: %1");
inline const QString ColagemGrandeDemais = QStringLiteral(
    "O que foi copiado tem mais de 1.000.000 de caracteres, mais do que a grade recebe de uma "
    "vez. Copie menos linhas de cada vez.");
inline const QString Aplicar = QStringLiteral("Aplicar");
inline const QString Cancelar = QStringLiteral("Cancelar");
inline const nucleo::Plural Importada{QStringLiteral("Planilha importada: %1 valor alterado."),
                                      QStringLiteral("Planilha importada: %1 valores alterados.")};
inline const QString SegundaOlhada = QStringLiteral(
    "Os preços abaixo estão muito diferentes do último preço enviado para o mesmo produto "
    "(dez vezes ou mais):\n\n%1\nDeseja enviar a cotação assim mesmo?");
// Each product with the prices it is measured against: the last one sent, the table's, or both.
inline const QString LinhaSegundaOlhada = QStringLiteral("%1: %2 (%3)\n");
inline const QString ReferenciaUltimo = QStringLiteral("último enviado: %1 em %2");
inline const QString ReferenciaTabela = QStringLiteral("tabela de preços: %1, importada em %2");
inline const QString SeparaReferencias = QStringLiteral("; ");
inline const QString SegundaOlhadaComTabela = QStringLiteral(
    "Os preços abaixo estão muito diferentes do último preço enviado ou do preço da tabela de "
    "preços para o mesmo produto (dez vezes ou mais):\n\n%1\nDeseja enviar a cotação assim "
    "mesmo?");

// Prices that are not amounts, and quantities of the quotation that are not quantities.
inline const nucleo::Plural PrecosACorrigir{QStringLiteral("  |  %1 preço a corrigir"),
                                            QStringLiteral("  |  %1 preços a corrigir")};
inline const QString PrecoACorrigir = QStringLiteral(
    "Este preço não é um valor (use só números, com vírgula ou ponto antes dos centavos, como "
    "1.234,56). Enquanto não for corrigido, conta como 0,00 e vai como 0,00 no envio.");
inline const QString PrecosRecusadosNoEnvio = QStringLiteral(
    "Os preços abaixo não são valores e seriam enviados como 0,00 (sem preço):\n\n%1\nDeseja "
    "enviar a cotação assim mesmo?");
inline const QString LinhaPrecoRecusado = QStringLiteral("%1: \"%2\"\n");
inline const nucleo::Plural QuantidadesIlegiveis{
    QStringLiteral("%1 produto desta cotação tem uma quantidade que não é um número válido. Ele "
                   "aparece como está, mas conta como quantidade 0 nos totais:\n\n%2"),
    QStringLiteral("%1 produtos desta cotação têm uma quantidade que não é um número válido. Eles "
                   "aparecem como estão, mas contam como quantidade 0 nos totais:\n\n%2")};
inline const QString LinhaQuantidade = QStringLiteral("%1: \"%2\"\n");

inline const QString AjudaEnviar =
    QStringLiteral("Envia os dados preenchidos para o cliente que solicitou a cotação.");
inline const QString AjudaImprimir = QStringLiteral("Imprime um relatório da cotação preenchida.");
inline const QString AjudaSair = QStringLiteral("Sai do sistema de cotação.");
inline const QString AjudaExportar =
    QStringLiteral("Grava os produtos, preços e observações numa planilha (.xlsx ou .csv).");
inline const QString AjudaImportar =
    QStringLiteral("Preenche preços e observações a partir de uma planilha (.xlsx ou .csv).");
inline const QString AjudaDesfazer =
    QStringLiteral("Desfaz a última mudança de preços ou observações.");
inline const QString AjudaRefazer = QStringLiteral("Refaz a mudança desfeita.");
inline const QString AjudaCopiar = QStringLiteral("Copia as células selecionadas.");
inline const QString AjudaColar =
    QStringLiteral("Cola preços e observações copiados de uma planilha, a partir da célula atual.");
inline const QString AjudaLocalizar =
    QStringLiteral("Mostra só os produtos com o texto procurado (Esc mostra todos).");
inline const QString IrParaSemPreco = QStringLiteral("&Ir para o primeiro sem preço");
inline const QString AjudaIrParaSemPreco =
    QStringLiteral("Leva ao preço do primeiro produto mostrado que ainda não tem preço.");
inline const QString TodosComPreco = QStringLiteral("Todos os produtos mostrados têm preço.");
inline const nucleo::Plural OcultosSemPreco{
    QStringLiteral("Todos os produtos mostrados têm preço; %1 produto sem preço está oculto pela "
                   "busca (Esc em Localizar mostra todos)."),
    QStringLiteral("Todos os produtos mostrados têm preço; %1 produtos sem preço estão ocultos "
                   "pela busca (Esc em Localizar mostra todos).")};
inline const QString AjudaLimpar = QStringLiteral(
    "Apaga os preços e observações selecionados (Delete ou Backspace), de uma vez só para "
    "desfazer.");
inline const QString AjudaUltimos = QStringLiteral(
    "Preenche os produtos sem preço com o último preço enviado para o mesmo produto.");

// The supplier's own price list.
inline const QString MenuTabelaDePrecos = QStringLiteral("Tabela de preços");
inline const QString ImportarTabela = QStringLiteral("Importar...");
inline const QString TituloImportarTabela = QStringLiteral("Importar tabela de preços");
inline const QString PreencherComTabela = QStringLiteral("Preencher com a tabela de preços");
inline const QString AjudaImportarTabela = QStringLiteral(
    "Guarda neste computador a sua tabela de preços (.xlsx ou .csv), no lugar da anterior.");
inline const QString AjudaPreencherComTabela = QStringLiteral(
    "Preenche os produtos sem preço com o preço da sua tabela, pelo código de barras ou PLU.");
inline const QString TabelaSemColunas = QStringLiteral(
    "A planilha %1 não tem as colunas esperadas: é preciso um título \"Cód. de barras\" ou "
    "\"PLU\" e um título \"Preço\".");
inline const QString TabelaSemPrecos = QStringLiteral(
    "A planilha %1 não tem nenhum preço válido. A tabela de preços não foi alterada.");
inline const QString ResumoTabela =
    QStringLiteral("Linhas lidas: %1\n"
                   "Preços que vão para a tabela: %2\n"
                   "Linhas sem preço: %3\n"
                   "Preços recusados (não são valores): %4\n"
                   "Produtos repetidos: %5 (vale a última linha do mesmo código de barras e PLU)");
inline const QString TabelaNestaCotacao =
    QStringLiteral("Produtos desta cotação com preço na tabela: %1 de %2");
inline const QString ComoPreencherComTabela = QStringLiteral(
    "Depois de importar, \"Editar > Preencher com a tabela de preços\" (%1) preenche com ela os "
    "produtos ainda sem preço.");
inline const QString PerguntaImportarTabela = QStringLiteral(
    "A tabela de preços guardada neste computador será substituída por esta. Deseja importar?");
inline const QString Importar = QStringLiteral("Importar");
inline const nucleo::Plural TabelaImportada{
    QStringLiteral("Tabela de preços importada: %1 preço de %2."),
    QStringLiteral("Tabela de preços importada: %1 preços de %2.")};
inline const QString TabelaNaoImportada = QStringLiteral(
    "A tabela de preços não foi importada (%1). A tabela anterior continua valendo.");
inline const QString SemTabela =
    QStringLiteral("Não há tabela de preços neste computador. Importe a sua em Arquivo > "
                   "Tabela de preços > Importar...");
inline const nucleo::Plural PreenchidosPelaTabela{
    QStringLiteral("%1 preço preenchido pela tabela de %2"),
    QStringLiteral("%1 preços preenchidos pela tabela de %2")};
inline const QString ComoPelaTabela = QStringLiteral(
    " (%1 pelo código de barras e PLU, %2 só pelo código de barras, %3 só pelo PLU); ");
inline const nucleo::Plural SemPrecoNaTabela{QStringLiteral("%1 produto sem preço na tabela."),
                                             QStringLiteral("%1 produtos sem preço na tabela.")};
inline const QString PrecoDaTabela = QStringLiteral("Tabela de preços: %1 (importada em %2)");
inline const QString VerTabela = QStringLiteral("&Ver a tabela...");
inline const QString AjudaVerTabela = QStringLiteral(
    "Mostra quantos preços a tabela guardada neste computador tem, de que arquivo e quando.");
inline const QString ApagarTabela = QStringLiteral("&Apagar a tabela...");
inline const QString AjudaApagarTabela =
    QStringLiteral("Apaga a tabela de preços guardada neste computador.");
inline const nucleo::Plural SobreATabela{
    QStringLiteral(
        "A tabela de preços guardada neste computador tem %1 preço, importado de %2 em %3 às %4."),
    QStringLiteral("A tabela de preços guardada neste computador tem %1 preços, importados de %2 "
                   "em %3 às %4.")};
inline const nucleo::Plural PerguntaApagarTabela{
    QStringLiteral("Apagar a tabela de preços guardada neste computador (%1 preço de %2)? As "
                   "cotações já preenchidas não mudam."),
    QStringLiteral("Apagar a tabela de preços guardada neste computador (%1 preços de %2)? As "
                   "cotações já preenchidas não mudam.")};
inline const QString TabelaApagada = QStringLiteral("Tabela de preços apagada.");
inline const QString PrecosGuardadosIlegiveis = QStringLiteral(
    "Os últimos preços enviados e a tabela de preços guardados neste computador não puderam ser "
    "lidos agora (%1). Os preços desta cotação não foram afetados.");
inline const QString TabelaNaoApagada = QStringLiteral("A tabela de preços não foi apagada (%1).");
inline const QString CotacaoAusente = QStringLiteral(
    "O arquivo da cotação %1 não está mais neste computador: o relatório desta resposta não pode "
    "ser impresso.");
} // namespace proposta::textos
