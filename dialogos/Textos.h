#pragma once

#include <QString>

// The dialogs' own words: the question dialog and the column and new-item dialogs.
namespace dialogos::textos {

// The question dialog: its title, its text before it is given one, its buttons.
inline const QString TituloAtencao = QStringLiteral("   A T E N Ç Ã O !");
inline const QString SemInformacao = QStringLiteral("Sem informação!");
inline const QString BotaoOK = QStringLiteral("&OK");
inline const QString BotaoCancela = QStringLiteral("&Cancela");

// Adding a column.
inline const QString TituloInserindoColuna = QStringLiteral("Inserindo coluna . . .");
inline const QString DicaColuna = QStringLiteral("Nome do Objeto FieldSpec");
inline const QString AjudaColuna = QStringLiteral("Cria coluna com dados.");
inline const QString DicaCodigo =
    QStringLiteral("String para o Bloco de Código. Ex: oWin:Server:Recno");
inline const QString AjudaEditavel =
    QStringLiteral("Cria coluna editavel ou bloqueada para edição.");
inline const QString BotaoAdiciona = QStringLiteral("Adiciona");
inline const QString BotaoCancelaColuna = QStringLiteral("Cancela");
inline const QString RotuloNomeDoCampo = QStringLiteral("Nome do campo:");
inline const QString RotuloCampoEditavel = QStringLiteral("Campo editável");
inline const QString RotuloBlocoDeCodigo = QStringLiteral("Bloco de código");
inline const QString RotuloLargura = QStringLiteral("Largura da coluna");

// Moving a column.
inline const QString TituloReposicionando = QStringLiteral("Reposicionando coluna . . .");
inline const QString RotuloColuna = QStringLiteral("Coluna:");
inline const QString DicaNovaPosicao =
    QStringLiteral("Digite o novo número para posicionamento da coluna.");
inline const QString BotaoOk = QStringLiteral("&Ok");
inline const QString AjudaOkPosicao = QStringLiteral("Ativa novo posicionamento.");

// Choosing the kind of a new item.
inline const QString TituloAdicionando = QStringLiteral("Adicionando . . .");
inline const QString GrupoInserindo = QStringLiteral("Inserindo");
inline const QString AjudaItemSimples = QStringLiteral("Inicia a criação de um item simples.");
inline const QString ItemSimples = QStringLiteral("Item Simples");
inline const QString AjudaItemVinculo = QStringLiteral("Inicia a criação de um item de vínculo.");
inline const QString ItemVinculado = QStringLiteral("Item Vínculado");
inline const QString BotaoNovo = QStringLiteral("&Novo");
inline const QString AjudaNovo = QStringLiteral("Abre tela para edição de novo item.");
inline const QString BotaoSair = QStringLiteral("&Sair");
inline const QString AjudaSair = QStringLiteral("Abandona processo.");

} // namespace dialogos::textos
