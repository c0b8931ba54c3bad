#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace grade {

// What a grid holds, without any widget: rows and columns of cells with their looks, the
// columns' settings and the merged ranges. Row 0 is the heading row, column 0 the row-index
// column, as in the grid control the forms were written for.

// Alignment numbers: horizontal 4 left, 8 centred, 12 right; vertical 1 top, 2 centre,
// 3 bottom; 0 general (text left, numbers right). 6, 10 and 14 are left, centred and right,
// vertically centred.
namespace Alinhamento {
enum : int { Geral = 0, Esquerda = 6, Centro = 10, Direita = 14 };
}

// The numeric mask that makes a cell take a number.
inline constexpr int kMascaraNumerica = 5;

struct Celula {
    QString texto;
    int alinhamento = -1; // -1: the column's
    int mascara = -1;     // -1: the column's
    bool negrito = false;
    bool sublinhado = false;
    QColor fundo; // invalid: none
};

// How a numeric column reads its cells' texts: as an amount of money or as a quantity of the
// quotation (formatos::Quantia, formatos::Quantidade).
enum class Leitura { Quantia, Quantidade };

struct Coluna {
    int largura = 64;
    int alinhamento = Alinhamento::Geral;
    bool bloqueada = false;
    int tipo = 0;
    QString formato;
    int casasDecimais = 0;
    int mascara = 0;
    Leitura leitura = Leitura::Quantia;
};

struct Mesclagem {
    int linha1 = 0, coluna1 = 0, linha2 = 0, coluna2 = 0;
    bool contem(int linha, int coluna) const {
        return linha >= linha1 && linha <= linha2 && coluna >= coluna1 && coluna <= coluna2;
    }
};

class DadosGrade {
public:
    // The number of a numeric cell, in units of 10^-decimais.
    struct Numero {
        qint64 unidades = 0;
        int decimais = 0;
    };
    int linhas() const { return int(m_celulas.size()); }
    int colunas() const { return int(m_colunas.size()); }
    void setLinhas(int n);
    void setColunas(int n);

    bool valida(int linha, int coluna) const {
        return linha >= 0 && linha < linhas() && coluna >= 0 && coluna < colunas();
    }
    Celula& celula(int linha, int coluna) { return m_celulas[linha][coluna]; }
    const Celula& celula(int linha, int coluna) const { return m_celulas[linha][coluna]; }
    Coluna& coluna(int c) { return m_colunas[c]; }
    const Coluna& coluna(int c) const { return m_colunas[c]; }

    int alinhamento(int linha, int coluna) const;
    int mascara(int linha, int coluna) const;
    // Whether the cell shows a number: numeric mask and a text its column reads as one.
    bool numerica(int linha, int coluna) const;
    // The text a cell shows: the number of a numeric cell with the column's decimals (more where
    // the number has them) and the regional decimal separator; any other text as it stands,
    // never as another number ("1.234" is no amount: it shows as typed).
    QString textoMostrado(int linha, int coluna) const;

    // A new last row whose cells from column 1 on take the tab-separated texts.
    void adicionaLinha(const QString& textos);
    // Removes rows linha1..linha2 (as far as they exist).
    void removeLinhas(int linha1, int linha2);

    const QList<Mesclagem>& mesclagens() const { return m_mesclagens; }
    void mescla(const Mesclagem& m);
    // The merged range a cell lies in, if any.
    const Mesclagem* mesclagemDe(int linha, int coluna) const;

private:
    std::optional<Numero> numero(int linha, int coluna) const;

    QList<QList<Celula>> m_celulas;
    QList<Coluna> m_colunas;
    QList<Mesclagem> m_mesclagens;
};

} // namespace grade
