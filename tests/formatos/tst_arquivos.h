#pragma once

#include <QObject>

// The quotation and answer files as bytes, without a window or a server.
class ArquivoDeResposta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void escrita_data();
    void escrita();
    void termosDoFormulario_data();
    void termosDoFormulario();
    void cotacao();
    void medida_data();
    void medida();
    void lidaPeloWindows();
};
