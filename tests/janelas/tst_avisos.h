#pragma once

#include <QObject>

class Avisos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void avisoEmEspera();
    void fecharSemAviso();
    void guardaFechaAoSairDoEscopo_data();
    void guardaFechaAoSairDoEscopo();
    void avisosAninhados();
    void progressoVaiAoAvisoDeCima();
    void imagemDoArquivoOuReserva();
};
