#pragma once

#include <QObject>

// Explicit TLS against a real server (ProFTPD with certificates made here), seen on the wire.
class FtpTls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void chaveDoCertificado();
    void primeiroContato_data();
    void primeiroContato();
    void outroCertificado();
    void tlsDesligadoDepois();
    void servidorSemTls();
    void textoNaSaudacao();
    void registroIlegivel();
    void chaveDaConstrucaoVence();
    void chaveDaFolha();
};
