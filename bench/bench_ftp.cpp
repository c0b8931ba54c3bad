// Download and upload of a 100 MB file through our FTP functions (on the network thread, as the
// forms run them), against the curl command-line tool on the same local server in the same run,
// in plain FTP (pyftpdlib) and over TLS (ProFTPD requiring it, with a certificate made here);
// the login's time, one small file, with TLS and without; and how long the GUI thread's event
// loop is held up during a slow download.
#include "Medida.h"
#include "remoto/Espera.h"
#include "remoto/Ftp.h"
#include "remoto/Servidor.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

using namespace remoto;

namespace {
// BENCH_MB=N measures N MB instead (1 MB for the test run's check, BENCH_RAPIDO).
const qint64 kTamanho =
    (qEnvironmentVariableIntValue("BENCH_MB") > 0 ? qEnvironmentVariableIntValue("BENCH_MB")
                                                  : tamanho(100, 1)) *
    (1LL << 20);
constexpr int kVezes = 5;

bool shell(const QString& comando) {
    QProcess p;
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), comando});
    return p.waitForFinished(600000) && p.exitCode() == 0;
}

QByteArray dados() {
    QByteArray d(kTamanho, Qt::Uninitialized);
    for (qint64 i = 0; i < kTamanho; ++i)
        d[i] = char((i * 7919) >> 3);
    return d;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ServidorFtpTeste servidor;
    if (!servidor.iniciado())
        return 1;
    DiretorioTeste local;
    servidor.colocar(QStringLiteral("baixar.bin"), dados());
    local.escrever(QStringLiteral("enviar.bin"), dados());
    const QString url =
        QStringLiteral("ftp://srvtar:kelda5827@%1/COTACAO/").arg(servidor.endereco());
    using namespace Servidor;
    bool ok = true;

    const auto pedidoDe = [&](const ServidorFtpTeste& s, const QString& arquivo) {
        return remoto::PedidoFtp{s.endereco(),
                                 Usuario,
                                 Senha,
                                 Diretorio,
                                 arquivo,
                                 nucleo::ArquivoDoPrograma(arquivo),
                                 {}};
    };
    remoto::PedidoFtp baixar = pedidoDe(servidor, QStringLiteral("baixar.bin"));
    baixar.limites.tamanhoMaximo = kTamanho; // the limit of the quotation files is 4 MB
    const double nosso = medianaMs(kVezes, [&] { ok &= remoto::BaixaEsperando(baixar).ok(); });
    const double curl = medianaMs(kVezes, [&] {
        ok &= shell(QStringLiteral("curl -s -o curl.bin %1baixar.bin && sync curl.bin").arg(url));
    });
    const double nossoEnvio = medianaMs(kVezes, [&] {
        ok &= EnviarArquivoViaFTP(servidor.endereco(), Usuario, Senha, Diretorio,
                                  QStringLiteral("enviar.bin"));
    });

    // A 300 KB quotation over a 20 KB/s line: the event loop must keep turning meanwhile.
    const int kbLentos = tamanho(300, 30);
    ServidorFtpTeste::Opcoes lenta;
    lenta.limiteEnvio = 20 * 1024;
    ServidorFtpTeste devagar(lenta);
    devagar.colocar(QStringLiteral("lenta.cot"), QByteArray(kbLentos * 1024, 'l'));
    QElapsedTimer relogio;
    qint64 anterior = 0, maiorIntervalo = 0;
    QTimer batida;
    QObject::connect(&batida, &QTimer::timeout, [&] {
        maiorIntervalo = std::max(maiorIntervalo, relogio.nsecsElapsed() - anterior);
        anterior = relogio.nsecsElapsed();
    });
    relogio.start();
    batida.start(1);
    ok &= BaixarArquivoViaFTP(devagar.endereco(), Usuario, Senha, Diretorio,
                              QStringLiteral("lenta.cot"));
    batida.stop();
    const double duracaoLenta = double(relogio.elapsed()) / 1000.0;
    const double curlEnvio = medianaMs(kVezes, [&] {
        ok &= shell(QStringLiteral("curl -s -T enviar.bin %1curl-envio.bin").arg(url));
    });

    // Over TLS. The first contact takes the certificate's key (its own, no store vouches for it);
    // the sessions measured then check it, as every later session of the program does.
    QTemporaryDir chaves;
    const QString certificado = chaves.filePath(QStringLiteral("c.pem"));
    const QString chave = chaves.filePath(QStringLiteral("k.pem"));
    ok &= shell(QStringLiteral("openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 "
                               "-days 2 -keyout '%1' -out '%2' 2>/dev/null")
                    .arg(chave, certificado));
    ServidorFtpTeste::Opcoes comTls;
    comTls.tls = ServidorFtpTeste::Opcoes::Tls::Exigido;
    comTls.certificado = certificado;
    comTls.chave = chave;
    ServidorFtpTeste seguro(comTls);
    ServidorFtpTeste::Opcoes semTls;
    semTls.daemon = true;
    ServidorFtpTeste claro(semTls);
    if (!seguro.iniciado() || !claro.iniciado())
        return 1;
    seguro.colocar(QStringLiteral("baixar.bin"), dados());
    for (ServidorFtpTeste* s : {&seguro, &claro})
        s->colocar(QStringLiteral("Versao.ini"), "[Geral]\r\nVersao=07\r\n");
    ok &= remoto::BaixaEsperando(pedidoDe(seguro, QStringLiteral("Versao.ini"))).ok();
    remoto::PedidoFtp baixarTls = pedidoDe(seguro, QStringLiteral("baixar.bin"));
    baixarTls.limites.tamanhoMaximo = kTamanho;
    const QString urlTls =
        QStringLiteral("--ssl-reqd -k ftp://srvtar:kelda5827@%1/COTACAO/").arg(seguro.endereco());
    const double nossoTls =
        medianaMs(kVezes, [&] { ok &= remoto::BaixaEsperando(baixarTls).ok(); });
    const double curlTls = medianaMs(kVezes, [&] {
        ok &=
            shell(QStringLiteral("curl -s -o curl.bin %1baixar.bin && sync curl.bin").arg(urlTls));
    });
    const double nossoEnvioTls = medianaMs(kVezes, [&] {
        ok &= remoto::SobeEsperando(pedidoDe(seguro, QStringLiteral("enviar.bin"))).ok();
    });
    const double curlEnvioTls = medianaMs(kVezes, [&] {
        ok &= shell(QStringLiteral("curl -s -T enviar.bin %1curl-envio.bin").arg(urlTls));
    });
    // One login as a supplier makes it, to a server idle before it: ProFTPD greets a session that
    // follows another within a few hundred ms 100 to 400 ms late, TLS or not, and sessions back to
    // back would measure that instead.
    const auto ociosa = [] { QThread::msleep(500); };
    const double loginTls = medianaMs(21, ociosa, [&] {
        ok &= remoto::BaixaEsperando(pedidoDe(seguro, QStringLiteral("Versao.ini"))).ok();
    });
    const double loginClaro = medianaMs(21, ociosa, [&] {
        ok &= remoto::BaixaEsperando(pedidoDe(claro, QStringLiteral("Versao.ini"))).ok();
    });
    if (!ok) {
        qWarning("a transfer failed");
        return 1;
    }
    const auto ms = [](double v) -> QString {
        return QString::number(v, 'f', 0) + QStringLiteral(" ms");
    };
    const QString mb = QString::number(kTamanho >> 20) + QStringLiteral(" MB");
    // Ours against curl's on the same server: both times, and their ratio.
    const auto contraCurl = [&](const QString& oQue, const QString& meta, double nosso, double curl,
                                const QString& comoCurl) {
        linha(oQue + u' ' + mb, meta,
              ms(nosso) + QStringLiteral(" (") + QString::number(nosso / curl, 'f', 2) +
                  QStringLiteral("x)"),
              comoCurl + QStringLiteral(": ") + ms(curl));
    };
    contraCurl(QStringLiteral("FTP download"), QStringLiteral("<= 1.2x curl"), nosso, curl,
               QStringLiteral("curl -o + sync"));
    contraCurl(QStringLiteral("FTP upload"), QStringLiteral("<= 1.2x curl"), nossoEnvio, curlEnvio,
               QStringLiteral("curl -T"));
    contraCurl(QStringLiteral("FTP download over TLS"), QStringLiteral("<= 1.1x curl"), nossoTls,
               curlTls, QStringLiteral("curl --ssl-reqd -o + sync"));
    contraCurl(QStringLiteral("FTP upload over TLS"), QStringLiteral("<= 1.1x curl"), nossoEnvioTls,
               curlEnvioTls, QStringLiteral("curl --ssl-reqd -T"));
    linha(QStringLiteral("One small file (login to close), ProFTPD idle before it, with TLS"),
          QStringLiteral("within 1.5x of one without"),
          QString::number(loginTls, 'f', 1) + QStringLiteral(" ms"),
          QStringLiteral("without TLS: ") + QString::number(loginClaro, 'f', 1) +
              QStringLiteral(" ms"));
    linha(QStringLiteral("Longest gap of the event loop, %1 KB at 20 KB/s (%2 s)")
              .arg(kbLentos)
              .arg(duracaoLenta, 0, 'f', 1),
          QStringLiteral("< 50 ms"),
          QString::number(double(maiorIntervalo) / 1e6, 'f', 1) + QStringLiteral(" ms"));
    return 0;
}
