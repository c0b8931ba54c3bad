#pragma once

#include <QList>
#include <QString>

namespace grade {

// What the grid's report facility prints besides the cells: titles above the grid and the
// page set-up.

struct FonteRelatorio {
    QString nome = QStringLiteral("Arial");
    double tamanho = 10;
    bool negrito = false;
};

struct TituloRelatorio {
    QString texto;
    FonteRelatorio fonte;
    bool todasAsPaginas = true;
    int alinhamento = -1; // -1: not set
};

struct ConfigPagina {
    int orientacao = 1; // 1 portrait, 2 landscape
    float margemEsquerda = 2.0f, margemDireita = 2.0f, margemSuperior = 2.0f, margemInferior = 2.0f,
          margemRodape = 1.0f; // centimetres
    QString rodape;
    int estiloLinhaRodape = 0;
};

struct Relatorio {
    QList<TituloRelatorio> titulos;
    ConfigPagina pagina;
    QString nomeDocumento; // offered as the name of a saved PDF
};

} // namespace grade
