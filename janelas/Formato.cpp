#include "janelas/Formato.h"

#include <QFontMetrics>
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

QRect AreaDaTela(const QWidget* janela) {
    const QScreen* tela = janela->screen() ? janela->screen() : QGuiApplication::primaryScreen();
    return tela ? tela->availableGeometry() : QRect();
}

QMargins MolduraDaJanela(const QWidget* janela) {
    if (janela->isVisible() && janela->frameGeometry() != janela->geometry()) {
        const QRect dentro = janela->geometry();
        const QRect fora = janela->frameGeometry();
        return {dentro.left() - fora.left(), dentro.top() - fora.top(),
                fora.right() - dentro.right(), fora.bottom() - dentro.bottom()};
    }
    if (janela->windowFlags() & Qt::FramelessWindowHint)
        return {};
    // A title bar of about two lines of the system's font and thin borders; more than most
    // systems draw, so the window rather falls a little short than beyond the screen.
    const int titulo = std::max(30, QFontMetrics(QGuiApplication::font()).height() * 2);
    return {4, titulo, 4, 4};
}

QRect RetanguloNaTela(const QWidget* janela) {
    // A window's position is that of its frame.
    return QRect(janela->pos(), janela->size().grownBy(MolduraDaJanela(janela)));
}

QSize EspacoParaJanela(const QWidget* janela, const QRect& area) {
    const QMargins moldura = MolduraDaJanela(janela);
    return area.size().shrunkBy(moldura).expandedTo(QSize(1, 1));
}

void CabeNaTela(QWidget* janela) {
    const QRect area = AreaDaTela(janela);
    if (area.isEmpty())
        return;
    const QSize cabe = EspacoParaJanela(janela, area);
    const QSize tamanho = janela->size().boundedTo(cabe);
    if (tamanho != janela->size()) {
        // What a layout would not let go below gives way to the screen.
        janela->setMinimumSize(janela->minimumSize().boundedTo(tamanho));
        janela->resize(tamanho);
    }
    Centraliza(janela);
}

void Centraliza(QWidget* janela) {
    Centraliza(janela, AreaDaTela(janela));
}

void Centraliza(QWidget* janela, const QRect& disponivel) {
    if (disponivel.isEmpty())
        return;
    QRect area = RetanguloNaTela(janela);
    area.moveCenter(disponivel.center());
    // A window larger than the screen (a small one, or a large scale) starts at its top left
    // corner, where its title and first fields are, never beyond it.
    area.moveLeft(std::max(area.left(), disponivel.left()));
    area.moveTop(std::max(area.top(), disponivel.top()));
    janela->move(area.topLeft());
}

} // namespace janelas
