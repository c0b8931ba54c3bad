#include "tests/remoto/tst_ftp.h"

#include "nucleo/ProgramDir.h"
#include "remoto/Espera.h"
#include "remoto/Ftp.h"
#include "remoto/Servidor.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/DiscoPequeno.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using namespace nucleo;
using namespace remoto;

using namespace std::chrono_literals;
#include "remoto/Textos.h"

namespace {

// How a transfer ended, told apart as the callers tell it apart.
enum class ResultadoFtp {
    Ok,
    Inexistente,
    Conexao,
    GravacaoLocal,
    GrandeDemais,
    Verificacao,
    LeituraLocal,
    NomeInvalido,
    Outra
};

ResultadoFtp comoTerminou(const remoto::Desfecho& d) {
    using T = nucleo::Falha::Tipo;
    if (d)
        return ResultadoFtp::Ok;
    const nucleo::Falha& f = d.falha();
    if (f.naGravacao())
        return ResultadoFtp::GravacaoLocal;
    switch (f.tipo) {
    case T::Inexistente:
        return ResultadoFtp::Inexistente;
    case T::Ilegivel:
        return ResultadoFtp::LeituraLocal;
    case T::Rede:
        return f.texto == remoto::textos::SemServidor ? ResultadoFtp::Conexao
                                                      : ResultadoFtp::Verificacao;
    case T::Recusada:
        return f.texto.startsWith(remoto::textos::NomeInvalido.section(u'%', 0, 0))
                   ? ResultadoFtp::NomeInvalido
                   : ResultadoFtp::GrandeDemais;
    default:
        return ResultadoFtp::Outra; // no transfer fails so
    }
}

} // namespace

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

// A transfer of `arquivo` to or from the program folder.
remoto::PedidoFtp pedido(const QString& servidor, const QString& arquivo) {
    return {servidor,
            Servidor::Usuario,
            Servidor::Senha,
            Servidor::Diretorio,
            arquivo,
            ArquivoDoPrograma(arquivo.trimmed()),
            {}};
}

void colunas() {
    QTest::addColumn<bool>("daemon");
    QTest::addColumn<bool>("portaFechada");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("diretorio");
    QTest::addColumn<QString>("arquivo");
    QTest::addColumn<bool>("resultado");
}

// The same cases against both kinds of server.
void linhasComuns(const QString& ausente) {
    const QString u = Servidor::Usuario, s = Servidor::Senha, d = Servidor::Diretorio;
    const QString a = QStringLiteral("arquivo.cot");
    for (const bool daemon : {false, true}) {
        const auto linha = [&](const char* nome) -> QTestData& {
            return QTest::addRow("%s%s", daemon ? "proftpd: " : "", nome) << daemon;
        };
        linha("completo") << false << u << s << d << a << true;
        linha("brancos em volta de diretório e arquivo")
            << false << u << s << QStringLiteral("  COTACAO ") << QStringLiteral(" arquivo.cot  ")
            << true;
        linha("senha errada") << false << u << QStringLiteral("errada") << d << a << false;
        linha("senha usada como veio, sem tirar brancos")
            << false << u << s + u' ' << d << a << false;
        linha("usuário errado") << false << QStringLiteral("outro") << s << d << a << false;
        linha("diretório ausente") << false << u << s << QStringLiteral("FALTA") << a << false;
        linha("nome com caminho") << false << u << s << d << QStringLiteral("../arquivo.cot")
                                  << false;
        linha("arquivo ausente") << false << u << s << d << ausente << false;
        if (!daemon)
            linha("servidor fora do ar") << true << u << s << d << a << false;
    }
}

ServidorFtpTeste::Opcoes tipo(bool daemon) {
    ServidorFtpTeste::Opcoes o;
    o.daemon = daemon;
    return o;
}

// A column of the current row, as QFETCH reads it.
template <class T> T dado(const char* nome) {
    return *static_cast<T*>(QTest::qData(nome, qMetaTypeId<T>()));
}

// One row of the transfer tables: its columns, the server of its kind, a program directory.
struct Caso {
    bool daemon = dado<bool>("daemon");
    bool portaFechada = dado<bool>("portaFechada");
    QString usuario = dado<QString>("usuario");
    QString senha = dado<QString>("senha");
    QString diretorio = dado<QString>("diretorio");
    QString arquivo = dado<QString>("arquivo");
    bool resultado = dado<bool>("resultado");
    ServidorFtpTeste servidor{tipo(daemon)};
    DiretorioTeste local;

    // Where the transfer goes: the server, or a port nobody listens on.
    QString endereco() const {
        return portaFechada ? QStringLiteral("127.0.0.1:%1").arg(::portaFechada())
                            : servidor.endereco();
    }
};

} // namespace

void Ftp::baixar_data() {
    colunas();
    linhasComuns(QStringLiteral("falta.cot"));
}

void Ftp::baixar() {
    Caso c;
    QVERIFY(c.servidor.iniciado());
    auto& [daemon, portaFechada, usuario, senha, diretorio, arquivo, resultado, servidor, local] =
        c;
    const QByteArray remoto = binario("remoto");
    servidor.colocar(QStringLiteral("arquivo.cot"), remoto);
    const QString nomeLocal = arquivo.trimmed();
    if (!nomeLocal.contains(u'/'))
        local.escrever(nomeLocal, kCopiaAnterior);
    const QString endereco = c.endereco();

    QCOMPARE(BaixarArquivoViaFTP(endereco, usuario, senha, diretorio, arquivo), resultado);

    if (!nomeLocal.contains(u'/')) {
        // Replaced byte for byte on success, untouched on failure, no leftovers either way; a
        // failure leaves why in the error log.
        QCOMPARE(local.ler(nomeLocal), resultado ? remoto : kCopiaAnterior);
        QStringList esperados{nomeLocal};
        if (!resultado)
            esperados << QStringLiteral("KZERROR.LOG");
        QStringList vistos = QDir(local.path()).entryList(QDir::Files);
        vistos.sort();
        esperados.sort();
        QCOMPARE(vistos, esperados);
    }
    // Only the server's "no such file" says the file does not exist.
    if (QByteArray(QTest::currentDataTag()).endsWith("arquivo ausente"))
        QCOMPARE(comoTerminou(remoto::Baixa(pedido(endereco, arquivo))), ResultadoFtp::Inexistente);
    if (daemon)
        return; // the daemon does not report its commands
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
    linhasComuns(QStringLiteral("falta.cot")); // here: no local file of that name
}

void Ftp::enviar() {
    Caso c;
    QVERIFY(c.servidor.iniciado());
    auto& [daemon, portaFechada, usuario, senha, diretorio, arquivo, resultado, servidor, local] =
        c;
    const QByteArray enviado = binario("local");
    local.escrever(QStringLiteral("arquivo.cot"), enviado);
    servidor.colocar(QStringLiteral("arquivo.cot"), kCopiaAnterior);
    const QString endereco = c.endereco();

    QCOMPARE(EnviarArquivoViaFTP(endereco, usuario, senha, diretorio, arquivo), resultado);

    QCOMPARE(servidor.conteudo(QStringLiteral("arquivo.cot")),
             resultado ? enviado : kCopiaAnterior);
    QCOMPARE(QDir(servidor.raiz()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("COTACAO")}); // no directory made on the way
    QVERIFY(!servidor.existe(QStringLiteral("falta.cot")));
    if (resultado) // renamed onto its name: nothing half-written is left
        QCOMPARE(QDir(servidor.cotacao()).entryList(QDir::Files),
                 QStringList{QStringLiteral("arquivo.cot")});
    if (daemon)
        return;
    QTRY_COMPARE(servidor.conexoesAbertas(), 0);
    if (resultado) {
        const QStringList comandos = servidor.comandos();
        QVERIFY(comandos.contains(QStringLiteral("TYPE I")));
        QVERIFY(comandos.contains(QStringLiteral("STOR arquivo.cot.parte")));
        QVERIFY(comandos.contains(QStringLiteral("RNTO arquivo.cot")));
    }
}

void Ftp::envioVerificado_data() {
    QTest::addColumn<int>("cortaStor");
    QTest::addColumn<bool>("recusaRnfr");
    QTest::addColumn<bool>("tamanhoErrado");
    QTest::addColumn<int>("resultado");
    QTest::newRow("linha cai no meio do envio")
        << 100000 << false << false << int(ResultadoFtp::Conexao);
    QTest::newRow("servidor que não renomeia: envio direto")
        << 0 << true << false << int(ResultadoFtp::Ok);
    QTest::newRow("tamanho no servidor difere")
        << 0 << false << true << int(ResultadoFtp::Verificacao);
}

void Ftp::envioVerificado() {
    QFETCH(int, cortaStor);
    QFETCH(bool, recusaRnfr);
    QFETCH(bool, tamanhoErrado);
    QFETCH(int, resultado);
    ServidorFtpTeste::Opcoes opcoes;
    opcoes.cortaStor = cortaStor;
    opcoes.recusaRnfr = recusaRnfr;
    opcoes.tamanhoErrado = tamanhoErrado;
    ServidorFtpTeste servidor(opcoes);
    QVERIFY(servidor.iniciado());
    DiretorioTeste local;
    QByteArray resposta = binario("resposta");
    while (resposta.size() < 400000)
        resposta += resposta;
    local.escrever(QStringLiteral("r.cot"), resposta);
    servidor.colocar(QStringLiteral("r.cot"), kCopiaAnterior);

    remoto::PedidoFtp p = pedido(servidor.endereco(), QStringLiteral("r.cot"));
    p.limites.resposta = 3s; // after the drop the server says nothing more
    QCOMPARE(int(comoTerminou(remoto::Sobe(p))), resultado);
    // Until the whole file is there, the buyer reads the earlier answer byte for byte.
    QCOMPARE(servidor.conteudo(QStringLiteral("r.cot")),
             resultado == int(ResultadoFtp::Conexao) ? kCopiaAnterior : resposta);
    if (recusaRnfr) // the part left by the refused rename is cleaned away
        QVERIFY(!servidor.existe(QStringLiteral("r.cot.parte")));
}

void Ftp::limites_data() {
    QTest::addColumn<int>("limiteEnvio");
    QTest::addColumn<int>("tamanho");
    QTest::addColumn<int>("resultado");
    // 300 bytes a second never stalls below the minimum speed: only the deadline ends it.
    QTest::newRow("servidor que goteja") << 300 << 200000 << int(ResultadoFtp::Conexao);
    QTest::newRow("arquivo maior que o formato comporta")
        << 0 << 5 * 1024 * 1024 << int(ResultadoFtp::GrandeDemais);
}

void Ftp::limites() {
    QFETCH(int, limiteEnvio);
    QFETCH(int, tamanho);
    QFETCH(int, resultado);
    ServidorFtpTeste::Opcoes opcoes;
    opcoes.limiteEnvio = limiteEnvio;
    ServidorFtpTeste servidor(opcoes);
    QVERIFY(servidor.iniciado());
    servidor.colocar(QStringLiteral("grande.cot"), QByteArray(tamanho, 'g'));
    DiretorioTeste local;
    remoto::PedidoFtp p = pedido(servidor.endereco(), QStringLiteral("grande.cot"));
    p.limites.prazoMinimo = 2s;
    p.limites.taxaDoPrazo = 1 << 30; // the floor is the deadline

    QElapsedTimer relogio;
    relogio.start();
    QCOMPARE(int(comoTerminou(remoto::Baixa(p))), resultado);
    QVERIFY2(relogio.elapsed() < 20000, "the transfer outlived its deadline by far");
    QVERIFY(QDir(local.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

void Ftp::discoCheio() {
    DiscoPequeno disco;
    if (!disco.montado())
        QSKIP("this machine does not let the tests mount a small disk");
    ServidorFtpTeste servidor;
    QVERIFY(servidor.iniciado());
    servidor.colocar(QStringLiteral("c.cot"), QByteArray(100000, 'c'));
    const QString anterior = QDir::currentPath();
    DefinePastaDoPrograma(disco.path());
    {
        QFile velho(QDir(disco.path()).filePath(QStringLiteral("c.cot")));
        QVERIFY(velho.open(QIODevice::WriteOnly) && velho.write(kCopiaAnterior) > 0);
    }
    disco.encher(8192);

    const remoto::Desfecho d = remoto::Baixa(pedido(servidor.endereco(), QStringLiteral("c.cot")));
    QCOMPARE(comoTerminou(d), ResultadoFtp::GravacaoLocal);
    QCOMPARE(d.falha().tipo, nucleo::Falha::Tipo::DiscoCheio);
    QFile velho(QDir(disco.path()).filePath(QStringLiteral("c.cot")));
    QVERIFY(velho.open(QIODevice::ReadOnly));
    QCOMPARE(velho.readAll(), kCopiaAnterior); // the good copy was not replaced by a short one
    QCOMPARE(QDir(disco.path()).entryList(QDir::Files),
             QStringList{QStringLiteral("c.cot")}); // and nothing half-written is left
    DefinePastaDoPrograma(anterior);
}

void Ftp::servidorMudo() {
    ServidorFtpTeste::Opcoes opcoes;
    opcoes.mudo = true;
    ServidorFtpTeste mudo(opcoes);
    QVERIFY(mudo.iniciado());
    DiretorioTeste local;
    local.escrever(QStringLiteral("Versao.ini"), kCopiaAnterior);
    remoto::PedidoFtp p = pedido(mudo.endereco(), QStringLiteral("Versao.ini"));
    p.limites.conexao = 2s;

    QCOMPARE(comoTerminou(remoto::Baixa(p)), ResultadoFtp::Conexao);
    QCOMPARE(comoTerminou(remoto::Sobe(p)), ResultadoFtp::Conexao);
    QCOMPARE(mudo.conexoesFeitas(), 2);
    QCOMPARE(local.ler(QStringLiteral("Versao.ini")), kCopiaAnterior);
}

void Ftp::parado() {
    // 1 byte a second: the first buffer goes out, then the line is as good as dead.
    ServidorFtpTeste::Opcoes opcoes;
    opcoes.limiteEnvio = 1;
    opcoes.limiteRecepcao = 1;
    ServidorFtpTeste servidor(opcoes);
    QVERIFY(servidor.iniciado());
    servidor.colocar(QStringLiteral("CotacaoInstall.exe"), QByteArray(4 << 20, 'i'));
    DiretorioTeste local;
    local.escrever(QStringLiteral("CotacaoInstall.exe"), kCopiaAnterior);
    local.escrever(QStringLiteral("resposta.cot"), QByteArray(16 << 20, 'r'));
    remoto::PedidoFtp p = pedido(servidor.endereco(), QStringLiteral("CotacaoInstall.exe"));
    p.limites.parada = 2s;
    p.limites.tamanhoMaximo = 64 << 20;

    QCOMPARE(comoTerminou(remoto::Baixa(p)), ResultadoFtp::Conexao);
    QCOMPARE(local.ler(QStringLiteral("CotacaoInstall.exe")), kCopiaAnterior);
    p.arquivo = QStringLiteral("resposta.cot");
    p.local = local.arquivo(p.arquivo);
    QCOMPARE(comoTerminou(remoto::Sobe(p)), ResultadoFtp::Conexao);
    QCOMPARE(QDir(local.path()).entryList(QDir::Files),
             (QStringList{QStringLiteral("CotacaoInstall.exe"), QStringLiteral("resposta.cot")}));
}

void Ftp::caminhoLocalNomeado() {
    // Every transfer reads and writes the local file its caller named; the current directory,
    // wherever it points, plays no part.
    ServidorFtpTeste servidor;
    QVERIFY(servidor.iniciado());
    const QByteArray noServidor = binario("servidor");
    servidor.colocar(QStringLiteral("c.cot"), noServidor);
    DiretorioTeste programa;
    QTemporaryDir outro;
    QVERIFY(QDir::setCurrent(outro.path()));
    const QByteArray daqui = binario("daqui");
    programa.escrever(QStringLiteral("origem.cot"), daqui);
    QFile intruso(QDir(outro.path()).filePath(QStringLiteral("r.cot")));
    QVERIFY(intruso.open(QIODevice::WriteOnly) && intruso.write("do diretorio corrente") > 0);
    intruso.close();

    remoto::PedidoFtp p = pedido(servidor.endereco(), QStringLiteral("c.cot"));
    p.local = programa.arquivo(QStringLiteral("destino.cot"));
    QCOMPARE(comoTerminou(remoto::Baixa(p)), ResultadoFtp::Ok);
    QCOMPARE(programa.ler(QStringLiteral("destino.cot")), noServidor);

    p.arquivo = QStringLiteral("r.cot");
    p.local = programa.arquivo(QStringLiteral("origem.cot"));
    QCOMPARE(comoTerminou(remoto::Sobe(p)), ResultadoFtp::Ok);
    QCOMPARE(servidor.conteudo(QStringLiteral("r.cot")), daqui);

    // The forms' calls name the file in the program folder.
    QVERIFY(BaixarArquivoViaFTP(servidor.endereco(), Servidor::Usuario, Servidor::Senha,
                                Servidor::Diretorio, QStringLiteral("c.cot")));
    QCOMPARE(programa.ler(QStringLiteral("c.cot")), noServidor);
    QCOMPARE(QDir(outro.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("r.cot")}); // nothing landed in the current directory

    // A local path that is not whole is refused before any connection.
    const int antes = servidor.conexoesFeitas();
    for (const QString& local : {QString(), QStringLiteral("c.cot"), QStringLiteral("./c.cot")}) {
        p.local = local;
        QCOMPARE(comoTerminou(remoto::Baixa(p)), ResultadoFtp::NomeInvalido);
        QCOMPARE(comoTerminou(remoto::Sobe(p)), ResultadoFtp::NomeInvalido);
    }
    QCOMPARE(servidor.conexoesFeitas(), antes);
    QVERIFY(!QFileInfo::exists(QDir(outro.path()).filePath(QStringLiteral("c.cot"))));
}
