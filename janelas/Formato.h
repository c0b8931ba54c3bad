#pragma once

#include <QMargins>
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

} // namespace janelas
