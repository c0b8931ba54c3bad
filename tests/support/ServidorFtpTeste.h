#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A real FTP server on a free loopback port, serving a fresh temporary root that holds
// "COTACAO/", with the program's account. Stopped when the object goes. Three kinds: pyftpdlib,
// which reports every command and connection and can misbehave on purpose, and two production
// daemons (ProFTPD, vsftpd) at their packaged TLS defaults, which prove the transfers work
// against what vendors run.
class ServidorFtpTeste {
public:
    struct Opcoes {
        int limiteEnvio = 0;        // bytes per second sent on data connections; 0: no limit
        int limiteRecepcao = 0;     // bytes per second received; 0: no limit
        bool mudo = false;          // accept and never greet
        int cortaStor = 0;          // drop an upload's data connection after this many bytes
        bool recusaRnfr = false;    // a server that cannot rename
        bool recusaRetr = false;    // a server that fails every download of a file it has
        int cortaRetr = 0;          // send only this many bytes of a download
        bool tamanhoErrado = false; // SIZE answers one byte more
        // The daemons take none of the options above. `daemon`, or TLS, with the kind left at
        // Pyftpdlib, means ProFTPD.
        enum class Tipo { Pyftpdlib, ProFtpd, Vsftpd } tipo = Tipo::Pyftpdlib;
        bool daemon = false;
        // A daemon with explicit TLS (AUTH TLS), offered or required, with this certificate and
        // its key (PEM files). vsftpd runs only as root.
        enum class Tls { Nao, Oferecido, Exigido } tls = Tls::Nao;
        QString certificado;
        QString chave;
    };

    ServidorFtpTeste();
    explicit ServidorFtpTeste(const Opcoes& opcoes);
    ~ServidorFtpTeste();
    ServidorFtpTeste(const ServidorFtpTeste&) = delete;
    ServidorFtpTeste& operator=(const ServidorFtpTeste&) = delete;

    bool iniciado() const { return m_porta != 0; }
    quint16 porta() const { return m_porta; }
    QString endereco() const; // "127.0.0.1:port"

    QString raiz() const { return m_raiz.path(); }
    QString cotacao() const; // the served "COTACAO" directory

    // Files in "COTACAO" on the server side.
    void colocar(const QString& nome, const QByteArray& conteudo) const;
    QByteArray conteudo(const QString& nome) const;
    bool existe(const QString& nome) const;

    // What the server saw so far: commands as "VERB arg", connections opened and still open
    // (pyftpdlib only).
    QStringList comandos();
    int conexoesFeitas();
    int conexoesAbertas();
    void esquecer(); // forget what was seen so far

private:
    void ler();

    QTemporaryDir m_raiz;
    QProcess m_processo;
    quint16 m_porta = 0;
    QByteArray m_pendente;
    QStringList m_comandos;
    int m_abertas = 0;
    int m_fechadas = 0;
};
