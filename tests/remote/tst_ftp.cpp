#include "tests/remote/tst_ftp.h"

#include "remote/Ftp.h"
#include "remote/Servidor.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QTcpServer>
#include <QTest>

using namespace std::chrono_literals;

namespace {

// Every byte value, line ends of both kinds and a zero: what a text-mode transfer would spoil.
QByteArray binario(const QByteArray& marca) {
    QByteArray dados = marca + "\r\n\n\r";
    for (int i = 0; i < 256; ++i)
        dados.append(char(i));
    return dados + "\r\n\x00\x1a" + marca;
}

const QByteArray kCopiaAnterior = "copia anterior\r\n";

quint16 portaFechada() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort(); // closed when s goes
}

void colunas() {
    QTest::addColumn<bool>("portaFechada");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("diretorio");
    QTest::addColumn<QString>("arquivo");
    QTest::addColumn<bool>("resultado");
}

void linhasComuns() {
    const QString u = Servidor::Usuario, s = Servidor::Senha, d = Servidor::Diretorio;
    const QString a = QStringLiteral("arquivo.cot");
    QTest::newRow("completo") << false << u << s << d << a << true;
    QTest::newRow("brancos em volta de diretório e arquivo")
        << false << u << s << QStringLiteral("  COTACAO ") << QStringLiteral(" arquivo.cot  ")
        << true;
    QTest::newRow("senha errada") << false << u << QStringLiteral("errada") << d << a << false;
    QTest::newRow("senha usada como veio, sem tirar brancos")
        << false << u << s + u' ' << d << a << false;
    QTest::newRow("usuário errado") << false << QStringLiteral("outro") << s << d << a << false;
    QTest::newRow("diretório ausente") << false << u << s << QStringLiteral("FALTA") << a << false;
    QTest::newRow("nome com caminho")
        << false << u << s << d << QStringLiteral("../arquivo.cot") << false;
    QTest::newRow("servidor fora do ar") << true << u << s << d << a << false;
}

} // namespace

void Ftp::baixar_data() {
    colunas();
    linhasComuns();
    QTest::newRow("arquivo ausente") << false << Servidor::Usuario << Servidor::Senha
                                     << Servidor::Diretorio << QStringLiteral("falta.cot") << false;
}

void Ftp::baixar() {
    QFETCH(bool, portaFechada);
    QFETCH(QString, usuario);
    QFETCH(QString, senha);
    QFETCH(QString, diretorio);
    QFETCH(QString, arquivo);
    QFETCH(bool, resultado);

    ServidorFtpTeste servidor;
    QVERIFY(servidor.iniciado());
    DiretorioTeste local;
    const QByteArray remoto = binario("remoto");
    servidor.colocar(QStringLiteral("arquivo.cot"), remoto);
    const QString nomeLocal = arquivo.trimmed();
    if (!nomeLocal.contains(u'/'))
        local.escrever(nomeLocal, kCopiaAnterior);
    const QString endereco =
        portaFechada ? QStringLiteral("127.0.0.1:%1").arg(::portaFechada()) : servidor.endereco();

    QCOMPARE(BaixarArquivoViaFTP(endereco, usuario, senha, diretorio, arquivo), resultado);

    if (!nomeLocal.contains(u'/')) {
        // Replaced byte for byte on success, untouched on failure, no leftovers either way.
        QCOMPARE(local.ler(nomeLocal), resultado ? remoto : kCopiaAnterior);
        QCOMPARE(QDir(local.path()).entryList(QDir::Files), QStringList{nomeLocal});
    }
    QTRY_COMPARE(servidor.conexoesAbertas(), 0);
    const QStringList comandos = servidor.comandos();
    if (resultado) {
        QCOMPARE(comandos.filter(QRegularExpression(QStringLiteral("^CWD "))),
                 QStringList{QStringLiteral("CWD COTACAO")});
        QVERIFY(comandos.contains(QStringLiteral("TYPE I")));
    }
    if (QTest::currentDataTag() == QByteArrayLiteral("senha errada"))
        QVERIFY(comandos.filter(QRegularExpression(QStringLiteral("^(CWD|RETR) "))).isEmpty());
    if (QTest::currentDataTag() == QByteArrayLiteral("nome com caminho"))
        QCOMPARE(servidor.conexoesFeitas(), 0);
}

void Ftp::enviar_data() {
    colunas();
    linhasComuns();
    QTest::newRow("arquivo local ausente")
        << false << Servidor::Usuario << Servidor::Senha << Servidor::Diretorio
        << QStringLiteral("falta.cot") << false;
}

void Ftp::enviar() {
    QFETCH(bool, portaFechada);
    QFETCH(QString, usuario);
    QFETCH(QString, senha);
    QFETCH(QString, diretorio);
    QFETCH(QString, arquivo);
    QFETCH(bool, resultado);

    ServidorFtpTeste servidor;
    QVERIFY(servidor.iniciado());
    DiretorioTeste local;
    const QByteArray enviado = binario("local");
    local.escrever(QStringLiteral("arquivo.cot"), enviado);
    servidor.colocar(QStringLiteral("arquivo.cot"), kCopiaAnterior);
    const QString endereco =
        portaFechada ? QStringLiteral("127.0.0.1:%1").arg(::portaFechada()) : servidor.endereco();

    QCOMPARE(EnviarArquivoViaFTP(endereco, usuario, senha, diretorio, arquivo), resultado);

    QCOMPARE(servidor.conteudo(QStringLiteral("arquivo.cot")),
             resultado ? enviado : kCopiaAnterior);
    QCOMPARE(QDir(servidor.raiz()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("COTACAO")}); // no directory made on the way
    QVERIFY(!servidor.existe(QStringLiteral("falta.cot")));
    QTRY_COMPARE(servidor.conexoesAbertas(), 0);
    if (resultado)
        QVERIFY(servidor.comandos().contains(QStringLiteral("TYPE I")));
}

void Ftp::servidorMudo() {
    ServidorFtpTeste::Opcoes opcoes;
    opcoes.mudo = true;
    ServidorFtpTeste mudo(opcoes);
    QVERIFY(mudo.iniciado());
    DiretorioTeste local;
    local.escrever(QStringLiteral("Versao.ini"), kCopiaAnterior);
    FtpLimites limites;
    limites.conexao = 2s;

    QVERIFY(!BaixarArquivoViaFTP(mudo.endereco(), Servidor::Usuario, Servidor::Senha,
                                 Servidor::Diretorio, QStringLiteral("Versao.ini"), limites));
    QVERIFY(!EnviarArquivoViaFTP(mudo.endereco(), Servidor::Usuario, Servidor::Senha,
                                 Servidor::Diretorio, QStringLiteral("Versao.ini"), limites));
    QCOMPARE(mudo.conexoesFeitas(), 2);
    QCOMPARE(local.ler(QStringLiteral("Versao.ini")), kCopiaAnterior);
}

void Ftp::downloadParado() {
    ServidorFtpTeste::Opcoes opcoes;
    opcoes.limiteEnvio = 1; // the first buffer goes out, then nothing more
    ServidorFtpTeste servidor(opcoes);
    QVERIFY(servidor.iniciado());
    servidor.colocar(QStringLiteral("CotacaoInstall.exe"), QByteArray(4 << 20, 'i'));
    DiretorioTeste local;
    local.escrever(QStringLiteral("CotacaoInstall.exe"), kCopiaAnterior);
    FtpLimites limites;
    limites.parada = 2s;

    QVERIFY(!BaixarArquivoViaFTP(servidor.endereco(), Servidor::Usuario, Servidor::Senha,
                                 Servidor::Diretorio, QStringLiteral("CotacaoInstall.exe"),
                                 limites));
    QCOMPARE(local.ler(QStringLiteral("CotacaoInstall.exe")), kCopiaAnterior);
    QCOMPARE(QDir(local.path()).entryList(QDir::Files),
             QStringList{QStringLiteral("CotacaoInstall.exe")});
}

void Ftp::uploadParado() {
    ServidorFtpTeste::Opcoes opcoes;
    opcoes.limiteRecepcao = 1;
    ServidorFtpTeste servidor(opcoes);
    QVERIFY(servidor.iniciado());
    DiretorioTeste local;
    local.escrever(QStringLiteral("resposta.cot"), QByteArray(16 << 20, 'r'));
    FtpLimites limites;
    limites.parada = 2s;

    QVERIFY(!EnviarArquivoViaFTP(servidor.endereco(), Servidor::Usuario, Servidor::Senha,
                                 Servidor::Diretorio, QStringLiteral("resposta.cot"), limites));
}
