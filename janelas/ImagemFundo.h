#pragma once

#include <QPixmap>
#include <QWidget>

namespace janelas {

// A picture drawn over the whole of its parent, behind the controls, deaf to the mouse.
class ImagemFundo : public QWidget {
public:
    explicit ImagemFundo(QWidget* parent);

    // Shows the picture file; when it cannot be read, the built-in artwork `reserva` (a Qt
    // resource) instead, so the window never opens empty. True when the file was used.
    bool CreateEmbeddingFromFile(const QString& arquivo, const QString& reserva);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_imagem;
};

} // namespace janelas
