#pragma once

#include <QMargins>
#include <QRect>
#include <QRegion>
#include <QSize>

class QWidget;

// Takes the caption bar and the frame away; the window keeps the size of its contents.
void OcultaCaptionBar(QWidget* janela);

namespace janelas {

// The caption-less, rounded look of the login, waiting and thank-you windows.
struct FormatoJanela {
    QMargins recorte;    // distance of the rounded rectangle from each edge of the window
    int elipse = 20;     // width and height of the corner ellipse
    int opacidade = 255; // 0 to 255; blends only where the platform composes windows
    bool sempreAcima = false;
};

// Clips the window to its rounded rectangle and sets its opacity and stacking.
void AplicaFormato(QWidget* janela, const FormatoJanela& formato);

// The rounded rectangle of a window of `tamanho`.
QRegion RegiaoArredondada(QSize tamanho, const QMargins& recorte, int elipse);

// Places a top-level window in the middle of its screen.
// In the middle of the available area of the window's screen; a window larger than that area
// starts at its top left corner.
void Centraliza(QWidget* janela);
// The same within `area`, the available area of a screen.
void Centraliza(QWidget* janela, const QRect& area);

// The available area of the screen a window is on (or will open on).
QRect AreaDaTela(const QWidget* janela);

// The frame the system puts around a top-level window: the one it has once shown, the
// usual title bar and borders before that (on X11 they are only known once it is mapped).
QMargins MolduraDaJanela(const QWidget* janela);

// Where a top-level window lies on the screen, its frame included (the frame it will most likely
// get, before it is shown).
QRect RetanguloNaTela(const QWidget* janela);

// The largest contents a window can have in `area` with its frame around them.
QSize EspacoParaJanela(const QWidget* janela, const QRect& area);

// A window that may be larger than its screen: no larger than the screen's available area, frame
// included, and placed inside it.
void CabeNaTela(QWidget* janela);

} // namespace janelas
