// Download and upload of a 100 MB file through our FTP functions, against the curl
// command-line tool on the same local server in the same run.
#include "Medida.h"
#include "remote/Ftp.h"
#include "remote/Servidor.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QCoreApplication>
#include <QProcess>

namespace {
// BENCH_MB=N measures N MB instead.
const qint64 kTamanho =
    (qEnvironmentVariableIntValue("BENCH_MB") > 0 ? qEnvironmentVariableIntValue("BENCH_MB")
                                                  : 100) *
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

    const double nosso = medianaMs(kVezes, [&] {
        ok &= BaixarArquivoViaFTP(servidor.endereco(), Usuario, Senha, Diretorio,
                                  QStringLiteral("baixar.bin"));
    });
    const double curl = medianaMs(kVezes, [&] {
        ok &= shell(QStringLiteral("curl -s -o curl.bin %1baixar.bin && sync curl.bin").arg(url));
    });
    const double nossoEnvio = medianaMs(kVezes, [&] {
        ok &= EnviarArquivoViaFTP(servidor.endereco(), Usuario, Senha, Diretorio,
                                  QStringLiteral("enviar.bin"));
    });
    const double curlEnvio = medianaMs(kVezes, [&] {
        ok &= shell(QStringLiteral("curl -s -T enviar.bin %1curl-envio.bin").arg(url));
    });
    if (!ok) {
        qWarning("a transfer failed");
        return 1;
    }
    const auto ms = [](double v) -> QString {
        return QString::number(v, 'f', 0) + QStringLiteral(" ms");
    };
    const auto razao = [](double a, double b) -> QString {
        return QString::number(a / b, 'f', 2) + u'x';
    };
    const QString mb = QString::number(kTamanho >> 20) + QStringLiteral(" MB");
    linha(QStringLiteral("FTP download ") + mb, QStringLiteral("<= 1.2x curl"),
          ms(nosso) + QStringLiteral(" (") + razao(nosso, curl) + u')',
          QStringLiteral("curl -o + sync: ") + ms(curl));
    linha(QStringLiteral("FTP upload ") + mb, QStringLiteral("<= 1.2x curl"),
          ms(nossoEnvio) + QStringLiteral(" (") + razao(nossoEnvio, curlEnvio) + u')',
          QStringLiteral("curl -T: ") + ms(curlEnvio));
    return 0;
}
