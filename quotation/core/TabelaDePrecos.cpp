#include "quotation/core/TabelaDePrecos.h"

#include "quotation/core/Importacao.h"
#include "quotation/core/Planilha.h"
#include "quotation/core/Textos.h"
#include "quotation/formats/Numeros.h"
#include "quotation/formats/Resposta.h"
#include "runtime/core/Regional.h"

#include <QFileInfo>
#include <QHash>

using namespace nucleo;

namespace cotacao {
namespace {

// A price from the file as the answer takes it, or nothing when it is not an amount above zero.
std::optional<QString> preco(const QVariant& celula) {
    const std::optional<QString> p = PrecoDaPlanilha(celula);
    if (!p || ValorDoTexto(*p) < 0.005)
        return std::nullopt;
    return formatos::TextoNumero(*p);
}

// Reads the lines as they arrive; a heading without a price column is not the table's.
class Leitor : public LinhasSobCabecalho {
public:
    PlanoDaTabela resultado() && {
        // The lines that lost every code to later ones leave the table.
        m_r.itens.removeIf(
            [](const banco::ItemDaTabela& i) { return i.barras.isEmpty() && i.plu.isEmpty(); });
        return std::move(m_r);
    }

private:
    bool aceita(const ColunasDaPlanilha& c) override {
        m_r.cabecalhoAchado = c.preco >= 0;
        return m_r.cabecalhoAchado;
    }

    void corpo(const QVariantList& linha) override {
        const QString barras = CodigoDaPlanilha(linha.value(0)),
                      plu = CodigoDaPlanilha(linha.value(1));
        if (barras.isEmpty() && plu.isEmpty())
            return; // a blank line, or a total under the table
        ++m_r.linhasLidas;
        if (linha.value(2).toString().trimmed().isEmpty()) {
            ++m_r.semPreco;
            return;
        }
        const std::optional<QString> p = preco(linha.value(2));
        if (!p) {
            ++m_r.precosRecusados;
            return;
        }
        bool repetido = false;
        const auto tomaCodigo = [&](QHash<QString, qsizetype>& donos, const QString& chave,
                                    QString banco::ItemDaTabela::*campo) {
            if (chave.isEmpty())
                return;
            const auto dono = donos.find(chave);
            if (dono != donos.end()) {
                (m_r.itens[*dono].*campo).clear();
                repetido = true;
                *dono = m_r.itens.size();
            } else {
                donos.insert(chave, m_r.itens.size());
            }
        };
        tomaCodigo(m_porBarras, barras, &banco::ItemDaTabela::barras);
        tomaCodigo(m_porPlu, plu, &banco::ItemDaTabela::plu);
        if (repetido)
            ++m_r.duplicados;
        m_r.itens.append(
            {barras, plu, *p, formatos::SemControles(CodigoDaPlanilha(linha.value(3)))});
    }

    PlanoDaTabela m_r;
    QHash<QString, qsizetype> m_porBarras, m_porPlu; // each code's line in m_r.itens
};

} // namespace

PlanoDaTabela LeTabelaDePrecos(const QString& caminho) {
    Leitor leitor;
    const QString recusa = PercorrePlanilha(caminho, leitor);
    if (!recusa.isEmpty()) {
        PlanoDaTabela recusado; // nothing of a file read halfway is kept
        recusado.recusa = recusa;
        return recusado;
    }
    return std::move(leitor).resultado();
}

ResumoDaTabela ResumeTabela(const PlanoDaTabela& plano, const QString& caminho) {
    using namespace textos;
    const QString nome = QFileInfo(caminho).fileName();
    if (!plano.recusa.isEmpty())
        return {false, PlanilhaIlegivel.arg(nome) + MotivoDaRecusa.arg(plano.recusa)};
    if (!plano.cabecalhoAchado)
        return {false, TabelaSemColunas.arg(nome)};
    const QString contas =
        ResumoTabela.arg(ComMilhares(plano.linhasLidas, 0), ComMilhares(plano.itens.size(), 0),
                         ComMilhares(plano.semPreco, 0), ComMilhares(plano.precosRecusados, 0),
                         ComMilhares(plano.duplicados, 0));
    if (plano.itens.isEmpty())
        return {false, TabelaSemPrecos.arg(nome) + u"\n\n" + contas};
    return {true, contas + u"\n\n" + PerguntaImportarTabela};
}

bool ImportaTabelaDePrecos(banco::BancoLocal& banco, const PlanoDaTabela& plano,
                           const QString& caminho, const QDateTime& quando) {
    // A file that was refused or held no price never wipes the table kept.
    if (!plano.recusa.isEmpty() || plano.itens.isEmpty())
        return banco.falhou(QStringLiteral("no price to import"));
    return banco::TabelaDePrecos(banco).substitui(plano.itens, QFileInfo(caminho).fileName(),
                                                  quando);
}

} // namespace cotacao
