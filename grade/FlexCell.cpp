#include "grade/FlexCell.h"

#include "grade/ControleGrade.h"
#include "grade/Ids.h"
#include "grade/ObjetosGrade.h"

using namespace grade;

namespace {

using namespace TipoAuto;

// The type codes of a member's parameters, in order.
QByteArray tipos(std::initializer_list<quint8> codigos) {
    QByteArray bytes;
    for (quint8 c : codigos)
        bytes.append(char(c));
    return bytes;
}

cOleMethod leitura(const char* nome, qint32 id, quint8 retorno) {
    cOleMethod m;
    m.symName = nome;
    m.iMemberId = id;
    m.wInvokeKind = Invocacao::Leitura;
    m.bRetType = retorno;
    return m;
}

cOleMethod escrita(const char* nome, qint32 id, quint8 tipo) {
    cOleMethod m;
    m.symName = nome;
    m.iMemberId = id;
    m.wInvokeKind = Invocacao::Escrita;
    m.nParams = 1;
    m.cParamTypes = tipos({tipo});
    return m;
}

cOleMethod metodo(const char* nome, qint32 id, const QByteArray& tipos = {}, quint8 retorno = 0,
                  int opcionais = 0) {
    cOleMethod m;
    m.symName = nome;
    m.iMemberId = id;
    m.wInvokeKind = Invocacao::Metodo;
    m.nParams = int(tipos.size());
    m.lNamedArgs = !tipos.isEmpty();
    m.cParamTypes = tipos;
    m.bRetType = retorno;
    m.nOptParams = opcionais;
    return m;
}

// A user-defined or variant result that came back as an object is handed on as a plain
// automation object; anything else as it is.
QVariant resultado(const QVariant& valor, quint8 retorno) {
    if ((retorno == DefinidoPeloUsuario || retorno == Variante) &&
        valor.metaType() == QMetaType::fromType<Despacho>())
        return QVariant::fromValue(OLEAutoObject(valor.value<Despacho>()));
    return valor;
}

Despacho objetoDe(const QVariant& valor) {
    return valor.value<Despacho>();
}

OLEAutoObject base(Despacho objeto, const char* identificador, quint32 funcoes, quint32 variaveis) {
    OLEAutoObject o = objeto ? OLEAutoObject(std::move(objeto))
                             : OLEAutoObject(QString::fromLatin1(identificador));
    o.dwFuncs = funcoes;
    o.dwVars = variaveis;
    return o;
}

} // namespace

// A property of an object wrapper: its get and its put. User-defined types are read as type 29
// and written as variants.
#define PROPRIEDADE(Classe, Nome, id, tipoLeitura, tipoEscrita)                                    \
    QVariant Classe::Nome() {                                                                      \
        return resultado(invoke(leitura(#Nome, id, tipoLeitura), {}, 0), tipoLeitura);             \
    }                                                                                              \
    QVariant Classe::Nome(const QVariant& valor) {                                                 \
        return invoke(escrita(#Nome, id, tipoEscrita), {valor}, 1);                                \
    }
#define PROPRIEDADE_SIMPLES(Classe, Nome, id, tipo) PROPRIEDADE(Classe, Nome, id, tipo, tipo)
#define PROPRIEDADE_ENUM(Classe, Nome, id)                                                         \
    PROPRIEDADE(Classe, Nome, id, DefinidoPeloUsuario, Variante)

// The same for the control, whose members go through its automation object.
#define PROPRIEDADE_GRADE(Nome, id, tipoLeitura, tipoEscrita)                                      \
    QVariant FlexCell::Nome() {                                                                    \
        return resultado(chamar(leitura(#Nome, id, tipoLeitura)), tipoLeitura);                    \
    }                                                                                              \
    QVariant FlexCell::Nome(const QVariant& valor) {                                               \
        return chamar(escrita(#Nome, id, tipoEscrita), {valor});                                   \
    }

FontFlexCell::FontFlexCell(Despacho objeto, const QVariant&)
    : OLEAutoObject(base(std::move(objeto), "StdFont", 0, 8)) {}
PROPRIEDADE_SIMPLES(FontFlexCell, Name, Ids::Font::Name, Texto)
PROPRIEDADE_SIMPLES(FontFlexCell, Size, Ids::Font::Size, TipoAuto::Moeda)
PROPRIEDADE_SIMPLES(FontFlexCell, Bold, Ids::Font::Bold, Logico)

FlexCell_Cell::FlexCell_Cell(Despacho objeto, const QVariant&)
    : OLEAutoObject(base(std::move(objeto), "FlexCell.Cell", 65, 0)) {}
PROPRIEDADE_SIMPLES(FlexCell_Cell, Text, Ids::Cell::Text, Texto)
PROPRIEDADE_ENUM(FlexCell_Cell, Alignment, Ids::Cell::Alignment)
PROPRIEDADE_ENUM(FlexCell_Cell, Mask, Ids::Cell::Mask)

FlexCell_Column::FlexCell_Column(Despacho objeto, const QVariant&)
    : OLEAutoObject(base(std::move(objeto), "FlexCell.Column", 32, 0)) {}
PROPRIEDADE_ENUM(FlexCell_Column, Alignment, Ids::Column::Alignment)
PROPRIEDADE_ENUM(FlexCell_Column, CellType, Ids::Column::CellType)
PROPRIEDADE_SIMPLES(FlexCell_Column, DecimalLength, Ids::Column::DecimalLength, Inteiro2)
PROPRIEDADE_SIMPLES(FlexCell_Column, FormatString, Ids::Column::FormatString, Texto)
PROPRIEDADE_SIMPLES(FlexCell_Column, Locked, Ids::Column::Locked, Logico)
PROPRIEDADE_ENUM(FlexCell_Column, Mask, Ids::Column::Mask)
PROPRIEDADE_SIMPLES(FlexCell_Column, Width, Ids::Column::Width, Inteiro4)

FlexCell_Range::FlexCell_Range(Despacho objeto, const QVariant&)
    : OLEAutoObject(base(std::move(objeto), "FlexCell.Range", 36, 0)) {}
QVariant FlexCell_Range::BackColor(const QVariant& valor) {
    return invoke(escrita("BackColor", Ids::Range::BackColor, Variante), {valor}, 1);
}
QVariant FlexCell_Range::FontBold(const QVariant& valor) {
    return invoke(escrita("FontBold", Ids::Range::FontBold, Logico), {valor}, 1);
}
QVariant FlexCell_Range::FontUnderline(const QVariant& valor) {
    return invoke(escrita("FontUnderline", Ids::Range::FontUnderline, Logico), {valor}, 1);
}
QVariant FlexCell_Range::Merge() {
    return invoke(metodo("Merge", Ids::Range::Merge), {}, 0);
}
QVariant FlexCell_Range::DeleteByRow() {
    return invoke(metodo("DeleteByRow", Ids::Range::DeleteByRow), {}, 0);
}

FlexCell_ReportTitle::FlexCell_ReportTitle(Despacho objeto, const QVariant&)
    : OLEAutoObject(base(std::move(objeto), "FlexCell.ReportTitle", 23, 0)) {}
PROPRIEDADE_SIMPLES(FlexCell_ReportTitle, Text, Ids::ReportTitle::Text, Texto)
PROPRIEDADE_SIMPLES(FlexCell_ReportTitle, PrintOnAllPages, Ids::ReportTitle::PrintOnAllPages,
                    Logico)
PROPRIEDADE_ENUM(FlexCell_ReportTitle, AlignTo, Ids::ReportTitle::AlignTo)
FontFlexCell FlexCell_ReportTitle::Font() {
    return FontFlexCell(objetoDe(invoke(leitura("Font", Ids::ReportTitle::Font, Objeto), {}, 0)));
}

FlexCell_ReportTitles::FlexCell_ReportTitles(Despacho objeto, const QVariant&)
    : OLEAutoObject(base(std::move(objeto), "FlexCell.ReportTitles", 13, 0)) {}
QVariant FlexCell_ReportTitles::Add(const FlexCell_ReportTitle& titulo) {
    return invoke(metodo("Add", Ids::ReportTitles::Add, tipos({Objeto | PorReferencia})),
                  {QVariant::fromValue(titulo.objeto())}, 1);
}
QVariant FlexCell_ReportTitles::Clear() {
    return invoke(metodo("Clear", Ids::ReportTitles::Clear), {}, 0);
}

FlexCell_PageSetup::FlexCell_PageSetup(Despacho objeto, const QVariant&)
    : OLEAutoObject(base(std::move(objeto), "FlexCell.PageSetup", 84, 0)) {}
PROPRIEDADE_ENUM(FlexCell_PageSetup, Orientation, Ids::PageSetup::Orientation)
PROPRIEDADE_SIMPLES(FlexCell_PageSetup, LeftMargin, Ids::PageSetup::LeftMargin, Real4)
PROPRIEDADE_SIMPLES(FlexCell_PageSetup, RightMargin, Ids::PageSetup::RightMargin, Real4)
PROPRIEDADE_SIMPLES(FlexCell_PageSetup, TopMargin, Ids::PageSetup::TopMargin, Real4)
PROPRIEDADE_SIMPLES(FlexCell_PageSetup, BottomMargin, Ids::PageSetup::BottomMargin, Real4)
PROPRIEDADE_SIMPLES(FlexCell_PageSetup, FooterMargin, Ids::PageSetup::FooterMargin, Real4)
PROPRIEDADE_SIMPLES(FlexCell_PageSetup, Footer, Ids::PageSetup::Footer, Texto)
PROPRIEDADE_ENUM(FlexCell_PageSetup, FooterLineStyle, Ids::PageSetup::FooterLineStyle)

FlexCell& FlexCell::InitAutoObject(ControleGrade* controle) {
    m_controle = controle;
    m_auto = OLEAutoObject(DespachoDaGrade(controle));
    return *this;
}

QVariant FlexCell::chamar(const cOleMethod& metodo, const QVariantList& argumentos) {
    if (!m_controle)
        m_auto = OLEAutoObject(); // the control went with its form
    return m_auto.invoke(metodo, argumentos, int(argumentos.size()));
}

QVariant FlexCell::AddItem_(const QVariant& textos, const QVariant& redesenhar) {
    return chamar(metodo("AddItem_", Ids::FlexCell::AddItem, tipos({Texto, Logico})),
                  {textos, redesenhar});
}
PROPRIEDADE_GRADE(AllowUserReorderColumn, Ids::FlexCell::AllowUserReorderColumn, Logico, Logico)
PROPRIEDADE_GRADE(AllowUserResizing, Ids::FlexCell::AllowUserResizing, Logico, Logico)
PROPRIEDADE_GRADE(BackColorBkg, Ids::FlexCell::BackColorBkg, DefinidoPeloUsuario, Variante)
PROPRIEDADE_GRADE(Cols, Ids::FlexCell::Cols, Inteiro4, Inteiro4)
PROPRIEDADE_GRADE(DisplayFocusRect, Ids::FlexCell::DisplayFocusRect, Logico, Logico)
PROPRIEDADE_GRADE(DisplayRowIndex, Ids::FlexCell::DisplayRowIndex, Logico, Logico)
PROPRIEDADE_GRADE(ExtendLastCol, Ids::FlexCell::ExtendLastCol, Logico, Logico)
PROPRIEDADE_GRADE(Rows, Ids::FlexCell::Rows, Inteiro4, Inteiro4)
PROPRIEDADE_GRADE(SelectionMode, Ids::FlexCell::SelectionMode, DefinidoPeloUsuario, Variante)

FlexCell_Cell FlexCell::Cell(const QVariant& linha, const QVariant& coluna) {
    return FlexCell_Cell(
        objetoDe(chamar(metodo("Cell", Ids::FlexCell::Cell, tipos({Inteiro4, Inteiro4}), Objeto),
                        {linha, coluna})));
}

FlexCell_Column FlexCell::Column(const QVariant& coluna) {
    return FlexCell_Column(objetoDe(
        chamar(metodo("Column", Ids::FlexCell::Column, tipos({Inteiro4}), Objeto), {coluna})));
}

FlexCell_PageSetup FlexCell::PageSetup() {
    return FlexCell_PageSetup(
        objetoDe(chamar(leitura("PageSetup", Ids::FlexCell::PageSetup, Objeto))));
}

QVariant FlexCell::PrintPreview(const QVariant& zoom) {
    return chamar(metodo("PrintPreview", Ids::FlexCell::PrintPreview, tipos({Variante}), 0, 1),
                  {zoom});
}

FlexCell_Range FlexCell::Range(const QVariant& linha1, const QVariant& coluna1,
                               const QVariant& linha2, const QVariant& coluna2) {
    const QByteArray quatroInteiros = tipos({Inteiro4, Inteiro4, Inteiro4, Inteiro4});
    return FlexCell_Range(
        objetoDe(chamar(metodo("Range", Ids::FlexCell::Range, quatroInteiros, Objeto),
                        {linha1, coluna1, linha2, coluna2})));
}

QVariant FlexCell::Refresh() {
    return chamar(metodo("Refresh", Ids::FlexCell::Refresh));
}

FlexCell_ReportTitles FlexCell::ReportTitles() {
    return FlexCell_ReportTitles(
        objetoDe(chamar(leitura("ReportTitles", Ids::FlexCell::ReportTitles, Objeto))));
}
