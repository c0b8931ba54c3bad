#include "grade/ObjetosGrade.h"

#include "grade/ControleGrade.h"
#include "grade/Ids.h"

#include <QPointer>

namespace grade {

namespace {

bool leitura(quint16 invocacao) {
    return invocacao == Invocacao::Leitura;
}

QColor corDe(const QVariant& ole) {
    const qint32 v = ole.toInt();
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

qint32 oleDe(const QColor& cor) {
    return cor.isValid() ? CorOle(cor.red(), cor.green(), cor.blue()) : 0;
}

// A property kept in a variable: a get answers it, a put sets it.
template <class T> QVariant propriedade(T& variavel, quint16 invocacao, const QVariantList& args) {
    if (leitura(invocacao))
        return QVariant::fromValue(variavel);
    if (!args.isEmpty())
        variavel = args.last().value<T>();
    return {};
}

class FonteDespacho : public ObjetoDespacho {
public:
    // The font of a title lives as long as the title does.
    FonteDespacho(std::shared_ptr<void> dono, FonteRelatorio* fonte)
        : m_dono(std::move(dono))
        , m_fonte(fonte) {}
    QVariant despachar(qint32 id, quint16 inv, const QVariantList& args) override {
        switch (id) {
        case Ids::Font::Name:
            return propriedade(m_fonte->nome, inv, args);
        case Ids::Font::Size:
            if (leitura(inv))
                return QVariant::fromValue(Moeda{qint64(m_fonte->tamanho * 10000)});
            if (!args.isEmpty())
                m_fonte->tamanho = args.last().value<Moeda>().valor();
            return {};
        case Ids::Font::Bold:
            return propriedade(m_fonte->negrito, inv, args);
        default:
            return {};
        }
    }

private:
    std::shared_ptr<void> m_dono;
    FonteRelatorio* m_fonte;
};

class TituloDespacho : public ObjetoDespacho {
public:
    TituloDespacho()
        : m_titulo(std::make_shared<TituloRelatorio>()) {}
    const TituloRelatorio& titulo() const { return *m_titulo; }
    QVariant despachar(qint32 id, quint16 inv, const QVariantList& args) override {
        switch (id) {
        case Ids::ReportTitle::Text:
            return propriedade(m_titulo->texto, inv, args);
        case Ids::ReportTitle::PrintOnAllPages:
            return propriedade(m_titulo->todasAsPaginas, inv, args);
        case Ids::ReportTitle::AlignTo:
            return propriedade(m_titulo->alinhamento, inv, args);
        case Ids::ReportTitle::Font:
            return QVariant::fromValue(
                Despacho(std::make_shared<FonteDespacho>(m_titulo, &m_titulo->fonte)));
        default:
            return {};
        }
    }

private:
    std::shared_ptr<TituloRelatorio> m_titulo;
};

// Base of the objects that work on a control: none of them outlives it in effect.
class DaGrade : public ObjetoDespacho {
public:
    explicit DaGrade(ControleGrade* grade)
        : m_grade(grade) {}

protected:
    QPointer<ControleGrade> m_grade;
};

class TitulosDespacho : public DaGrade {
public:
    using DaGrade::DaGrade;
    QVariant despachar(qint32 id, quint16, const QVariantList& args) override {
        if (!m_grade)
            return {};
        if (id == Ids::ReportTitles::Clear)
            m_grade->relatorio().titulos.clear();
        if (id == Ids::ReportTitles::Add && !args.isEmpty())
            if (auto* t = dynamic_cast<TituloDespacho*>(args.first().value<Despacho>().get()))
                m_grade->relatorio().titulos.append(t->titulo());
        return {};
    }
};

class PaginaDespacho : public DaGrade {
public:
    using DaGrade::DaGrade;
    QVariant despachar(qint32 id, quint16 inv, const QVariantList& args) override {
        if (!m_grade)
            return {};
        ConfigPagina& p = m_grade->relatorio().pagina;
        switch (id) {
        case Ids::PageSetup::Orientation:
            return propriedade(p.orientacao, inv, args);
        case Ids::PageSetup::LeftMargin:
            return propriedade(p.margemEsquerda, inv, args);
        case Ids::PageSetup::RightMargin:
            return propriedade(p.margemDireita, inv, args);
        case Ids::PageSetup::TopMargin:
            return propriedade(p.margemSuperior, inv, args);
        case Ids::PageSetup::BottomMargin:
            return propriedade(p.margemInferior, inv, args);
        case Ids::PageSetup::FooterMargin:
            return propriedade(p.margemRodape, inv, args);
        case Ids::PageSetup::Footer:
            return propriedade(p.rodape, inv, args);
        case Ids::PageSetup::FooterLineStyle:
            return propriedade(p.estiloLinhaRodape, inv, args);
        default:
            return {};
        }
    }
};

class CelulaDespacho : public DaGrade {
public:
    CelulaDespacho(ControleGrade* grade, int linha, int coluna)
        : DaGrade(grade)
        , m_linha(linha)
        , m_coluna(coluna) {}
    QVariant despachar(qint32 id, quint16 inv, const QVariantList& args) override {
        if (!m_grade || !m_grade->modelo()->dados().valida(m_linha, m_coluna))
            return {};
        ModeloGrade* modelo = m_grade->modelo();
        Celula& c = modelo->dados().celula(m_linha, m_coluna);
        if (id == Ids::Cell::Text) {
            if (leitura(inv))
                return c.texto;
            if (!args.isEmpty())
                modelo->setTexto(m_linha, m_coluna, args.last().toString());
            return {};
        }
        QVariant r;
        if (id == Ids::Cell::Alignment)
            r = propriedade(c.alinhamento, inv, args);
        else if (id == Ids::Cell::Mask)
            r = propriedade(c.mascara, inv, args);
        modelo->celulasMudaram(m_linha, m_coluna, m_linha, m_coluna);
        return r;
    }

private:
    int m_linha, m_coluna;
};

class ColunaDespacho : public DaGrade {
public:
    ColunaDespacho(ControleGrade* grade, int coluna)
        : DaGrade(grade)
        , m_coluna(coluna) {}
    QVariant despachar(qint32 id, quint16 inv, const QVariantList& args) override {
        if (!m_grade || m_coluna < 0 || m_coluna >= m_grade->modelo()->dados().colunas())
            return {};
        Coluna& c = m_grade->modelo()->dados().coluna(m_coluna);
        QVariant r;
        switch (id) {
        case Ids::Column::Alignment:
            r = propriedade(c.alinhamento, inv, args);
            break;
        case Ids::Column::CellType:
            r = propriedade(c.tipo, inv, args);
            break;
        case Ids::Column::DecimalLength: {
            qint16 casas = qint16(c.casasDecimais);
            r = propriedade(casas, inv, args);
            c.casasDecimais = casas;
            break;
        }
        case Ids::Column::FormatString:
            r = propriedade(c.formato, inv, args);
            break;
        case Ids::Column::Locked:
            r = propriedade(c.bloqueada, inv, args);
            break;
        case Ids::Column::Mask:
            r = propriedade(c.mascara, inv, args);
            break;
        case Ids::Column::Width:
            r = propriedade(c.largura, inv, args);
            if (!leitura(inv))
                m_grade->aplicaLarguras();
            break;
        default:
            break;
        }
        if (!leitura(inv))
            m_grade->modelo()->celulasMudaram(1, m_coluna, m_grade->modelo()->dados().linhas() - 1,
                                              m_coluna);
        return r;
    }

private:
    int m_coluna;
};

class IntervaloDespacho : public DaGrade {
public:
    IntervaloDespacho(ControleGrade* grade, Mesclagem area)
        : DaGrade(grade)
        , m_area(area) {}
    QVariant despachar(qint32 id, quint16 inv, const QVariantList& args) override {
        if (!m_grade)
            return {};
        ModeloGrade* modelo = m_grade->modelo();
        DadosGrade& dados = modelo->dados();
        const QVariant valor = args.isEmpty() ? QVariant() : args.last();
        const auto cadaCelula = [&](auto&& f) {
            for (int l = std::max(m_area.linha1, 0); l <= m_area.linha2 && l < dados.linhas(); ++l)
                for (int c = std::max(m_area.coluna1, 0);
                     c <= m_area.coluna2 && c < dados.colunas(); ++c)
                    f(dados.celula(l, c));
        };
        switch (id) {
        case Ids::Range::BackColor:
            if (!leitura(inv))
                cadaCelula([&](Celula& c) { c.fundo = corDe(valor); });
            break;
        case Ids::Range::FontBold:
            if (!leitura(inv))
                cadaCelula([&](Celula& c) { c.negrito = valor.toBool(); });
            break;
        case Ids::Range::FontUnderline:
            if (!leitura(inv))
                cadaCelula([&](Celula& c) { c.sublinhado = valor.toBool(); });
            break;
        case Ids::Range::Merge:
            dados.mescla(m_area);
            m_grade->aplicaLarguras();
            break;
        case Ids::Range::DeleteByRow:
            modelo->removeLinhas(m_area.linha1, m_area.linha2);
            return {};
        default:
            break;
        }
        modelo->celulasMudaram(m_area.linha1, m_area.coluna1, m_area.linha2, m_area.coluna2);
        return {};
    }

private:
    Mesclagem m_area;
};

class FlexCellDespacho : public DaGrade {
public:
    using DaGrade::DaGrade;
    QVariant despachar(qint32 id, quint16 inv, const QVariantList& args) override {
        if (!m_grade)
            return {};
        ControleGrade& g = *m_grade;
        ModeloGrade& modelo = *g.modelo();
        const QVariant valor = args.isEmpty() ? QVariant() : args.last();
        const auto inteiro = [&](int i) { return i < args.size() ? args[i].toInt() : 0; };
        switch (id) {
        case Ids::FlexCell::AddItem:
            modelo.adicionaLinha(args.value(0).toString(), args.value(1).toBool());
            return {};
        case Ids::FlexCell::Cell:
            return QVariant::fromValue(
                Despacho(std::make_shared<CelulaDespacho>(&g, inteiro(0), inteiro(1))));
        case Ids::FlexCell::Column:
            return QVariant::fromValue(Despacho(std::make_shared<ColunaDespacho>(&g, inteiro(0))));
        case Ids::FlexCell::Range:
            return QVariant::fromValue(Despacho(std::make_shared<IntervaloDespacho>(
                &g, Mesclagem{inteiro(0), inteiro(1), inteiro(2), inteiro(3)})));
        case Ids::FlexCell::Refresh:
            g.Refresh();
            return {};
        case Ids::FlexCell::PrintPreview:
            g.PrintPreview(args.isEmpty() ? 100 : args[0].toInt());
            return {};
        case Ids::FlexCell::PageSetup:
            return QVariant::fromValue(Despacho(std::make_shared<PaginaDespacho>(&g)));
        case Ids::FlexCell::ReportTitles:
            return QVariant::fromValue(Despacho(std::make_shared<TitulosDespacho>(&g)));
        case Ids::FlexCell::Rows:
            if (leitura(inv))
                return modelo.dados().linhas();
            modelo.setLinhas(valor.toInt());
            return {};
        case Ids::FlexCell::Cols:
            if (leitura(inv))
                return modelo.dados().colunas();
            modelo.setColunas(valor.toInt());
            return {};
        case Ids::FlexCell::ExtendLastCol:
            return propriedadeDaVista(m_extendLastCol, inv, valor,
                                      [&](bool v) { g.setExtendLastCol(v); });
        case Ids::FlexCell::DisplayRowIndex:
            return propriedadeDaVista(m_displayRowIndex, inv, valor,
                                      [&](bool v) { g.setDisplayRowIndex(v); });
        case Ids::FlexCell::AllowUserResizing:
            return propriedadeDaVista(m_allowUserResizing, inv, valor,
                                      [&](bool v) { g.setAllowUserResizing(v); });
        case Ids::FlexCell::AllowUserReorderColumn:
            return propriedadeDaVista(m_allowUserReorderColumn, inv, valor, [](bool) {});
        case Ids::FlexCell::DisplayFocusRect:
            return propriedadeDaVista(m_displayFocusRect, inv, valor, [](bool) {});
        case Ids::FlexCell::SelectionMode:
            if (leitura(inv))
                return m_selectionMode;
            m_selectionMode = valor.toInt();
            return {};
        case Ids::FlexCell::BackColorBkg:
            if (leitura(inv))
                return oleDe(g.palette().color(QPalette::Base));
            g.setBackColorBkg(corDe(valor));
            return {};
        default:
            return {};
        }
    }

private:
    template <class F>
    static QVariant propriedadeDaVista(bool& variavel, quint16 inv, const QVariant& valor,
                                       F aplica) {
        if (leitura(inv))
            return variavel;
        variavel = valor.toBool();
        aplica(variavel);
        return {};
    }

    bool m_extendLastCol = false;
    bool m_displayRowIndex = false;
    bool m_allowUserResizing = false;
    bool m_allowUserReorderColumn = false;
    bool m_displayFocusRect = true;
    int m_selectionMode = 0;
};

} // namespace

Despacho DespachoDaGrade(ControleGrade* grade) {
    return grade ? std::make_shared<FlexCellDespacho>(grade) : Despacho();
}

void RegistraClassesDaGrade() {
    OLEAutoObject::registraClasse(QStringLiteral("FlexCell.ReportTitle"),
                                  [] { return std::make_shared<TituloDespacho>(); });
    OLEAutoObject::registraClasse(QStringLiteral("StdFont"), [] {
        auto fonte = std::make_shared<FonteRelatorio>();
        return std::make_shared<FonteDespacho>(fonte, fonte.get());
    });
}

} // namespace grade
