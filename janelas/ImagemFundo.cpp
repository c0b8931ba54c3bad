#include "janelas/ImagemFundo.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace janelas {

namespace {
// Read in the format its name gives: left to guess, Qt loads every image plugin it has (and
// their libraries) to ask each one, a good part of the start-up. A file whose name does not
// match its content is still read, the slow way.
QPixmap lePelaExtensao(const QString& arquivo) {
    if (!QFileInfo::exists(arquivo))
        return {};
    QImageReader leitor(arquivo, QFileInfo(arquivo).suffix().toLatin1());
    leitor.setAutoDetectImageFormat(false);
    const QImage imagem = leitor.read();
    return QPixmap::fromImage(imagem.isNull() ? QImage(arquivo) : imagem);
}
} // namespace

ImagemFundo::ImagemFundo(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setEnabled(false);
}

bool ImagemFundo::CreateEmbeddingFromFile(const QString& arquivo, const QString& reserva) {
    m_imagem = lePelaExtensao(arquivo);
    const bool doArquivo = !m_imagem.isNull();
    if (!doArquivo)
        m_imagem = lePelaExtensao(reserva);
    update();
    return doArquivo;
}

void ImagemFundo::paintEvent(QPaintEvent*) {
    QPainter pintor(this);
    if (!m_imagem.isNull())
        pintor.drawPixmap(rect(), m_imagem);
}

} // namespace janelas
