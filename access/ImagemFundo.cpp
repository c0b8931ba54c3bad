#include "access/ImagemFundo.h"

#include <QPainter>

namespace acesso {

ImagemFundo::ImagemFundo(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnabled(false);
}

bool ImagemFundo::CreateEmbeddingFromFile(const QString& arquivo, const QString& reserva) {
    const bool doArquivo = m_imagem.load(arquivo);
    if (!doArquivo)
        m_imagem.load(reserva);
    update();
    return doArquivo;
}

void ImagemFundo::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    if (!m_imagem.isNull())
        pintor.drawPixmap(rect(), m_imagem);
}

} // namespace acesso
