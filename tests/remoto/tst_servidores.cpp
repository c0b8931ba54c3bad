#include "tests/remoto/tst_servidores.h"

#include "remoto/Ftp.h"
#include "remoto/Servidor.h"
#include "remoto/Tls.h"
#include "tests/support/CertificadoTeste.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/RetransmissorTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QProcess>
#include <QTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace remoto;
using Tipo = ServidorFtpTeste::Opcoes::Tipo;

namespace {

std::unique_ptr<DiretorioTeste> g_programa;

PedidoFtp Pedido(const QString& servidor, const QString& arquivo) {
    return {servidor,
            Servidor::Usuario,
            Servidor::Senha,
            Servidor::Diretorio,
            arquivo,
            g_programa->arquivo(arquivo),
            {}};
}

// Every byte value, CR LF and NUL among them, over more than one buffer of the data connection.
QByteArray Bytes(int tamanho, int passo) {
    QByteArray bytes(tamanho, '\0');
    for (int i = 0; i < tamanho; ++i)
        bytes[i] = char((i * passo + i / 256) & 0xff);
    return bytes;
}

// curl's own client reading `arquivo` over TLS, with or without resuming the control connection's
// session on the data connection; true when the whole file came.
bool CurlBaixa(const ServidorFtpTeste& servidor, const QString& arquivo, bool retoma) {
    QStringList argumentos{QStringLiteral("-sS"),
                           QStringLiteral("--ssl-reqd"),
                           QStringLiteral("-k"),
                           QStringLiteral("-o"),
                           QStringLiteral("/dev/null"),
                           QStringLiteral("ftp://%1:%2@%3/%4/%5")
                               .arg(Servidor::Usuario, Servidor::Senha, servidor.endereco(),
                                    Servidor::Diretorio, arquivo)};
    if (!retoma)
        argumentos.prepend(QStringLiteral("--no-sessionid"));
    QProcess curl;
    curl.start(QStringLiteral("curl"), argumentos);
    return curl.waitForFinished(60000) && curl.exitStatus() == QProcess::NormalExit &&
           curl.exitCode() == 0;
}

bool Root() {
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

// One of the daemons, TLS required, with a certificate of its own.
struct Daemon {
    CertificadoTeste certificado;
    std::unique_ptr<ServidorFtpTeste> servidor;

    // False when it cannot run here (vsftpd runs only as root).
    bool inicia(Tipo tipo) {
        if (tipo == Tipo::Vsftpd && !Root())
            return false;
        ServidorFtpTeste::Opcoes opcoes;
        opcoes.tipo = tipo;
        opcoes.tls = ServidorFtpTeste::Opcoes::Tls::Exigido;
        opcoes.certificado = certificado.arquivo;
        opcoes.chave = certificado.chave;
        servidor = std::make_unique<ServidorFtpTeste>(opcoes);
        return true;
    }
};

void DuasLinhas() {
    QTest::addColumn<int>("tipo");
    QTest::newRow("ProFTPD") << int(Tipo::ProFtpd);
    QTest::newRow("vsftpd") << int(Tipo::Vsftpd);
}

} // namespace

void ServidoresFtp::init() {
    g_programa = std::make_unique<DiretorioTeste>();
    UsaGuardaDeServidores({}); // each test starts knowing no server
}

void ServidoresFtp::cleanup() {
    UsaGuardaDeServidores({});
    g_programa.reset();
}

// Each daemon with TLS required and otherwise as packaged: a data connection must resume the
// control connection's TLS session. The quotation comes down and the answer goes up byte for
// byte, and the password never crosses in clear.
void ServidoresFtp::comoEmbalados_data() {
    DuasLinhas();
}

void ServidoresFtp::comoEmbalados() {
    QFETCH(int, tipo);
    Daemon daemon;
    if (!daemon.inicia(Tipo(tipo)))
        QSKIP("vsftpd runs in the tests only as root (PAM, chroot)");
    ServidorFtpTeste& servidor = *daemon.servidor;
    QVERIFY(servidor.iniciado());
    const QByteArray cotacao =
        "[Geral]\r\nSolicitante=Mercado S\xe3o Jo\xe3o\r\n" + Bytes(300000, 7);
    servidor.colocar(QStringLiteral("2026000000012345.cot"), cotacao);

    // The server's guard is on: a client that does not resume the session gets no data.
    QVERIFY(CurlBaixa(servidor, QStringLiteral("2026000000012345.cot"), true));
    QVERIFY(!CurlBaixa(servidor, QStringLiteral("2026000000012345.cot"), false));

    RetransmissorTeste fio;
    fio.para(servidor);
    const Desfecho baixou = Baixa(Pedido(fio.endereco(), QStringLiteral("2026000000012345.cot")));
    QVERIFY2(baixou, qPrintable(baixou ? QString() : baixou.falha().detalhe));
    QCOMPARE(g_programa->ler(QStringLiteral("2026000000012345.cot")), cotacao);

    const QByteArray resposta = "[Geral]\r\nPreco=1,50\r\n" + Bytes(30000, 13);
    g_programa->escrever(QStringLiteral("resposta.cot"), resposta);
    const Desfecho subiu = Sobe(Pedido(fio.endereco(), QStringLiteral("resposta.cot")));
    QVERIFY2(subiu, qPrintable(subiu ? QString() : subiu.falha().detalhe));
    QCOMPARE(servidor.conteudo(QStringLiteral("resposta.cot")), resposta);
    QVERIFY(!servidor.existe(QStringLiteral("resposta.cot.parte")));

    // Every session asked for TLS first; nothing of the login crossed in clear.
    const QByteArray visto = fio.fio();
    QVERIFY2(visto.startsWith("AUTH TLS\r\n"), visto.left(40).constData());
    QVERIFY(!visto.contains("USER"));
    QVERIFY(!visto.contains("PASS"));
    QVERIFY(!visto.contains(Servidor::Senha.toLatin1()));
}

// An answer as large as a reader takes (a value of 299,999 characters) arrives whole, every time:
// the end of an upload is where a TLS 1.3 data connection loses bytes when it is closed early.
void ServidoresFtp::respostaGrande_data() {
    DuasLinhas();
}

void ServidoresFtp::respostaGrande() {
    QFETCH(int, tipo);
    Daemon daemon;
    if (!daemon.inicia(Tipo(tipo)))
        QSKIP("vsftpd runs in the tests only as root (PAM, chroot)");
    const ServidorFtpTeste& servidor = *daemon.servidor;
    QVERIFY(servidor.iniciado());
    const QByteArray resposta = "[Geral]\r\nPrecos=" + Bytes(299990, 11) + "\r\n";
    g_programa->escrever(QStringLiteral("resposta.cot"), resposta);
    constexpr int kVezes = 8;
    int inteiras = 0;
    QString falhas;
    for (int i = 0; i < kVezes; ++i) {
        const Desfecho subiu = Sobe(Pedido(servidor.endereco(), QStringLiteral("resposta.cot")));
        const QByteArray tem = servidor.conteudo(QStringLiteral("resposta.cot"));
        if (!subiu)
            falhas += subiu.falha().detalhe + u'\n';
        else if (tem != resposta)
            falhas += QStringLiteral("told as sent, the server holds %1 bytes\n").arg(tem.size());
        else
            ++inteiras;
    }
    QVERIFY2(inteiras == kVezes,
             qPrintable(QStringLiteral("%1 of %2 whole\n").arg(inteiras).arg(kVezes) + falhas));
}
