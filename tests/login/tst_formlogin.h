#pragma once

#include <QObject>
#include <QUrl>

class Login : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void campos();
    void setup_data();
    void setup();
    void recusas_data();
    void recusas();
    void sucesso();
    void discoCheio();
    void esperaViva();
    void sairPelaJanelaDeAgradecimento();
    void videoAula();
    void dentroDaTela();

public Q_SLOTS:
    void abrirEndereco(const QUrl& url) { m_enderecos << url; }

private:
    QList<QUrl> m_enderecos;
};
