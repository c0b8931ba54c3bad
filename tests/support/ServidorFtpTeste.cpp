#include "tests/support/ServidorFtpTeste.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

ServidorFtpTeste::ServidorFtpTeste()
    : ServidorFtpTeste(Opcoes{}) {}

ServidorFtpTeste::ServidorFtpTeste(const Opcoes& opcoes) {
    QDir(m_raiz.path()).mkdir(QStringLiteral("COTACAO"));
    using Tipo = Opcoes::Tipo;
    Tipo tipo = opcoes.tipo;
    if (tipo == Tipo::Pyftpdlib && (opcoes.daemon || opcoes.tls != Opcoes::Tls::Nao))
        tipo = Tipo::ProFtpd;
    QStringList argumentos{
        tipo == Tipo::Pyftpdlib
            ? QStringLiteral(COTACAO_SOURCE_DIR "/tests/support/servidor_ftp.py")
            : QStringLiteral(COTACAO_SOURCE_DIR "/tests/support/servidor_daemon.py"),
        QStringLiteral("--raiz"), m_raiz.path()};
    if (tipo != Tipo::Pyftpdlib)
        argumentos << QStringLiteral("--servidor")
                   << (tipo == Tipo::Vsftpd ? QStringLiteral("vsftpd") : QStringLiteral("proftpd"));
    if (opcoes.limiteEnvio)
        argumentos << QStringLiteral("--limite-envio") << QString::number(opcoes.limiteEnvio);
    if (opcoes.limiteRecepcao)
        argumentos << QStringLiteral("--limite-recepcao") << QString::number(opcoes.limiteRecepcao);
    if (opcoes.mudo)
        argumentos << QStringLiteral("--mudo");
    if (opcoes.cortaStor)
        argumentos << QStringLiteral("--corta-stor") << QString::number(opcoes.cortaStor);
    if (opcoes.recusaRnfr)
        argumentos << QStringLiteral("--recusa-rnfr");
    if (opcoes.recusaRetr)
        argumentos << QStringLiteral("--recusa-retr");
    if (opcoes.cortaRetr)
        argumentos << QStringLiteral("--corta-retr") << QString::number(opcoes.cortaRetr);
    if (opcoes.tamanhoErrado)
        argumentos << QStringLiteral("--tamanho-errado");
    if (opcoes.tls != Opcoes::Tls::Nao)
        argumentos << QStringLiteral("--tls")
                   << (opcoes.tls == Opcoes::Tls::Exigido ? QStringLiteral("exigido")
                                                          : QStringLiteral("oferecido"))
                   << QStringLiteral("--certificado") << opcoes.certificado
                   << QStringLiteral("--chave") << opcoes.chave;
    m_processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_processo.start(QStringLiteral("/usr/bin/python3"), argumentos);

    const QDeadlineTimer prazo(30000);
    while (m_porta == 0 && !prazo.hasExpired() && m_processo.state() != QProcess::NotRunning) {
        m_processo.waitForReadyRead(100);
        ler();
    }
    if (m_porta == 0)
        qWarning("test FTP server did not start");
}

ServidorFtpTeste::~ServidorFtpTeste() {
    m_processo.terminate();
    if (!m_processo.waitForFinished(3000)) {
        m_processo.kill();
        m_processo.waitForFinished(3000);
    }
}

QString ServidorFtpTeste::endereco() const {
    return QStringLiteral("127.0.0.1:%1").arg(m_porta);
}

QString ServidorFtpTeste::cotacao() const {
    return m_raiz.filePath(QStringLiteral("COTACAO"));
}

void ServidorFtpTeste::colocar(const QString& nome, const QByteArray& conteudo) const {
    QFile arquivo(QDir(cotacao()).filePath(nome));
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(conteudo) != conteudo.size())
        qFatal("could not write a file of the test FTP server");
}

QByteArray ServidorFtpTeste::conteudo(const QString& nome) const {
    QFile arquivo(QDir(cotacao()).filePath(nome));
    return arquivo.open(QIODevice::ReadOnly) ? arquivo.readAll() : QByteArray();
}

bool ServidorFtpTeste::existe(const QString& nome) const {
    return QFile::exists(QDir(cotacao()).filePath(nome));
}

QStringList ServidorFtpTeste::comandos() {
    ler();
    return m_comandos;
}

int ServidorFtpTeste::conexoesFeitas() {
    ler();
    return m_abertas;
}

int ServidorFtpTeste::conexoesAbertas() {
    ler();
    return m_abertas - m_fechadas;
}

void ServidorFtpTeste::esquecer() {
    ler();
    m_comandos.clear();
    m_abertas -= m_fechadas;
    m_fechadas = 0;
}

void ServidorFtpTeste::ler() {
    m_processo.waitForReadyRead(0);
    m_pendente += m_processo.readAllStandardOutput();
    qsizetype fim;
    while ((fim = m_pendente.indexOf('\n')) >= 0) {
        const QString linha = QString::fromUtf8(m_pendente.first(fim)).trimmed();
        m_pendente.remove(0, fim + 1);
        if (linha.startsWith(u"PORTA "))
            m_porta = quint16(linha.mid(6).toUInt());
        else if (linha == u"ABERTA")
            ++m_abertas;
        else if (linha == u"FECHADA")
            ++m_fechadas;
        else if (linha.startsWith(u"COMANDO "))
            m_comandos << linha.mid(8);
    }
}
