#include "janelas/Formato.h"

#include <QGuiApplication>
#include <QPainterPath>
#include <QScreen>
#include <QWidget>

#include <algorithm>

void OcultaCaptionBar(QWidget* janela) {
    janela->setWindowFlag(Qt::FramelessWindowHint, true);
}

namespace janelas {

QRegion RegiaoArredondada(QSize tamanho, const QMargins& recorte, int elipse) {
    const QRect retangulo = QRect(QPoint(0, 0), tamanho).marginsRemoved(recorte);
    QPainterPath caminho;
    caminho.addRoundedRect(retangulo, elipse / 2.0, elipse / 2.0);
    return QRegion(caminho.toFillPolygon().toPolygon());
}

void AplicaFormato(QWidget* janela, const FormatoJanela& formato) {
    janela->setMask(RegiaoArredondada(janela->size(), formato.recorte, formato.elipse));
    janela->setWindowFlag(Qt::WindowStaysOnTopHint, formato.sempreAcima);
    janela->setWindowOpacity(formato.opacidade / 255.0);
}

void Centraliza(QWidget* janela) {
    const QScreen* tela = janela->screen() ? janela->screen() : QGuiApplication::primaryScreen();
    if (!tela)
        return;
    const QRect disponivel = tela->availableGeometry();
    QRect area = janela->frameGeometry();
    area.moveCenter(disponivel.center());
    // A window larger than the screen (a small one, or a large scale) starts at its top left
    // corner, where its title and first fields are, never beyond it.
    area.moveLeft(std::max(area.left(), disponivel.left()));
    area.moveTop(std::max(area.top(), disponivel.top()));
    janela->move(area.topLeft());
}

} // namespace janelas
