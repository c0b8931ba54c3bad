#pragma once

#include "grade/Automacao.h"
#include "grade/ControleGrade.h"

#include <QPointer>

// Wrappers of the grid control's interfaces. Every member is a thin forwarder: it fills the
// member's descriptor (dispatch id, invoke kind, parameter and result types), calls it through
// the automation base, and wraps an object result in the wrapper of its interface. A get is
// called without the value, a put with it.

class FontFlexCell : public OLEAutoObject {
public:
    explicit FontFlexCell(grade::Despacho objeto = {}, const QVariant& extra = {});
    QVariant Name();
    QVariant Name(const QVariant& valor);
    QVariant Size();
    QVariant Size(const QVariant& valor);
    QVariant Bold();
    QVariant Bold(const QVariant& valor);
};

class FlexCell_Cell : public OLEAutoObject {
public:
    explicit FlexCell_Cell(grade::Despacho objeto = {}, const QVariant& extra = {});
    QVariant Text();
    QVariant Text(const QVariant& valor);
    QVariant Alignment();
    QVariant Alignment(const QVariant& valor);
    QVariant Mask();
    QVariant Mask(const QVariant& valor);
};

class FlexCell_Column : public OLEAutoObject {
public:
    explicit FlexCell_Column(grade::Despacho objeto = {}, const QVariant& extra = {});
    QVariant Alignment();
    QVariant Alignment(const QVariant& valor);
    QVariant CellType();
    QVariant CellType(const QVariant& valor);
    QVariant DecimalLength();
    QVariant DecimalLength(const QVariant& valor);
    QVariant FormatString();
    QVariant FormatString(const QVariant& valor);
    QVariant Locked();
    QVariant Locked(const QVariant& valor);
    QVariant Mask();
    QVariant Mask(const QVariant& valor);
    QVariant Width();
    QVariant Width(const QVariant& valor);
};

class FlexCell_Range : public OLEAutoObject {
public:
    explicit FlexCell_Range(grade::Despacho objeto = {}, const QVariant& extra = {});
    QVariant BackColor(const QVariant& valor);
    QVariant FontBold(const QVariant& valor);
    QVariant FontUnderline(const QVariant& valor);
    QVariant Merge();
    QVariant DeleteByRow();
};

class FlexCell_ReportTitle : public OLEAutoObject {
public:
    explicit FlexCell_ReportTitle(grade::Despacho objeto = {}, const QVariant& extra = {});
    QVariant Text();
    QVariant Text(const QVariant& valor);
    FontFlexCell Font();
    QVariant PrintOnAllPages();
    QVariant PrintOnAllPages(const QVariant& valor);
    QVariant AlignTo();
    QVariant AlignTo(const QVariant& valor);
};

class FlexCell_ReportTitles : public OLEAutoObject {
public:
    explicit FlexCell_ReportTitles(grade::Despacho objeto = {}, const QVariant& extra = {});
    QVariant Add(const FlexCell_ReportTitle& titulo);
    QVariant Clear();
};

class FlexCell_PageSetup : public OLEAutoObject {
public:
    explicit FlexCell_PageSetup(grade::Despacho objeto = {}, const QVariant& extra = {});
    QVariant Orientation();
    QVariant Orientation(const QVariant& valor);
    QVariant LeftMargin();
    QVariant LeftMargin(const QVariant& valor);
    QVariant RightMargin();
    QVariant RightMargin(const QVariant& valor);
    QVariant TopMargin();
    QVariant TopMargin(const QVariant& valor);
    QVariant BottomMargin();
    QVariant BottomMargin(const QVariant& valor);
    QVariant FooterMargin();
    QVariant FooterMargin(const QVariant& valor);
    QVariant Footer();
    QVariant Footer(const QVariant& valor);
    QVariant FooterLineStyle();
    QVariant FooterLineStyle(const QVariant& valor);
};

// The grid control as the forms hold it: the control widget and its automation object. A
// member called before the control exists raises a runtime error and changes nothing.
class FlexCell {
public:
    FlexCell() = default;
    explicit FlexCell(grade::ControleGrade* controle) { InitAutoObject(controle); }

    FlexCell& InitAutoObject(grade::ControleGrade* controle);
    grade::ControleGrade* controle() const { return m_controle; }

    QVariant AddItem_(const QVariant& textos, const QVariant& redesenhar);
    QVariant AllowUserReorderColumn();
    QVariant AllowUserReorderColumn(const QVariant& valor);
    QVariant AllowUserResizing();
    QVariant AllowUserResizing(const QVariant& valor);
    QVariant BackColorBkg();
    QVariant BackColorBkg(const QVariant& valor);
    FlexCell_Cell Cell(const QVariant& linha, const QVariant& coluna);
    QVariant Cols();
    QVariant Cols(const QVariant& valor);
    FlexCell_Column Column(const QVariant& coluna);
    QVariant DisplayFocusRect();
    QVariant DisplayFocusRect(const QVariant& valor);
    QVariant DisplayRowIndex();
    QVariant DisplayRowIndex(const QVariant& valor);
    QVariant ExtendLastCol();
    QVariant ExtendLastCol(const QVariant& valor);
    FlexCell_PageSetup PageSetup();
    QVariant PrintPreview(const QVariant& zoom);
    FlexCell_Range Range(const QVariant& linha1, const QVariant& coluna1, const QVariant& linha2,
                         const QVariant& coluna2);
    QVariant Refresh();
    FlexCell_ReportTitles ReportTitles();
    QVariant Rows();
    QVariant Rows(const QVariant& valor);
    QVariant SelectionMode();
    QVariant SelectionMode(const QVariant& valor);

private:
    QVariant chamar(const cOleMethod& metodo, const QVariantList& argumentos = {});

    QPointer<grade::ControleGrade> m_controle;
    OLEAutoObject m_auto;
};
