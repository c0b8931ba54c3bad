#include "tests/inicio/tst_partida.h"

#include "inicio/ChecagemDeVersao.h"
#include "inicio/Partida.h"
#include "inicio/Suporte.h"
#include "inicio/Textos.h"
#include "nucleo/Cp1252.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Textos.h"
#include "nucleo/Versao.h"
#include "remoto/Servidor.h"
#include "remoto/Textos.h"
#include "remoto/Tls.h"
#include "tests/inicio/Partidas.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/DiscoPequeno.h"
#include "tests/support/Minisign.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QVersionNumber>

using namespace inicio;
using namespace nucleo;
using namespace teste;

using namespace std::chrono_literals;

void Versao::verificaVersao_data() {
    QTest::addColumn<QByteArray>("noServidor"); // empty: no Versao.ini on the server
    QTest::addColumn<QByteArray>("localAntes"); // empty: no local copy
    QTest::addColumn<bool>("resultado");
    QTest::addColumn<QByteArray>("noServidorDepois");
    QTest::addColumn<QByteArray>("localDepois");

    const QByteArray v07 = versao("07");
    QTest::newRow("igual") << v07 << QByteArray() << true << v07 << v07;
    QTest::newRow("7 é igual a 07")
        << versao("7") << QByteArray() << true << versao("7") << versao("7");
    QTest::newRow("servidor mais novo")
        << versao("08") << QByteArray() << false << versao("08") << versao("08");
    QTest::newRow("10 é mais novo que 07, como número")
        << versao("10") << QByteArray() << false << versao("10") << versao("10");
    const QByteArray antiga =
        "; publicado\r\n[Geral]\r\nVersao=06\r\nData=2025\r\n[Outra]\r\nX=1\r\n";
    const QByteArray publicada =
        "; publicado\r\n[Geral]\r\nVersao=07\r\nData=2025\r\n[Outra]\r\nX=1\r\n";
    QTest::newRow("servidor mais antigo: publica a nossa, o resto intacto")
        << antiga << QByteArray() << true << publicada << publicada;
    QTest::newRow("sem número conta 0") << versao("abc") << QByteArray() << true << v07 << v07;
    QTest::newRow("download falhou, sem cópia local: publica e pede atualização")
        << QByteArray() << QByteArray() << false << v07 << v07;
    QTest::newRow("download falhou, cópia local mais nova")
        << QByteArray() << versao("08") << false << QByteArray() << versao("08");
    QTest::newRow("download falhou, cópia local igual")
        << QByteArray() << v07 << false << QByteArray() << v07;
}

void Versao::verificaVersao() {
    QFETCH(QByteArray, noServidor);
    QFETCH(QByteArray, localAntes);
    QFETCH(bool, resultado);
    QFETCH(QByteArray, noServidorDepois);
    QFETCH(QByteArray, localDepois);

    ServidorFtpTeste servidor;
    QVERIFY(servidor.iniciado());
    DiretorioTeste programa;
    if (!noServidor.isEmpty())
        servidor.colocar(kArquivoVersao, noServidor);
    if (!localAntes.isEmpty())
        programa.escrever(kArquivoVersao, localAntes);

    QCOMPARE(VerificaVersao(servidor.endereco()), resultado);
    QCOMPARE(servidor.conteudo(kArquivoVersao), noServidorDepois);
    QCOMPARE(programa.ler(kArquivoVersao), localDepois);
    QCOMPARE(houveUpload(servidor), noServidorDepois != noServidor);
}

// A server that fails to give Versao.ini (not a clean "no such file") is not answered with this
// program's number read from a stale local copy: it would lower what the server publishes.
void Versao::naoPublicaAposFalha() {
    ServidorFtpTeste::Opcoes falha;
    falha.recusaRetr = true;
    ServidorFtpTeste servidor(falha);
    QVERIFY(servidor.iniciado());
    DiretorioTeste programa;
    servidor.colocar(kArquivoVersao, versao("09"));
    programa.escrever(kArquivoVersao, versao("06"));
    QVERIFY(!VerificaVersao(servidor.endereco()));
    QCOMPARE(servidor.conteudo(kArquivoVersao), versao("09"));
    QVERIFY(!houveUpload(servidor));
}

namespace {

// Start-up's words and waits, kept instead of shown.
struct ConversaGravada : ConversaDaPartida {
    QStringList ditos;
    QStringList esperas;
    void avisa(const QString& texto) override { ditos << texto; }
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override {
        esperas << texto;
        trabalho();
    }
};

} // namespace

void Inicio::init() {
    // A start-up leaves the store of its program folder in place, and each test's folder goes.
    remoto::UsaGuardaDeServidores({});
}

namespace {

// The folder each update downloads into, in the program folder.
QStringList pastasDeAtualizacao(const DiretorioTeste& programa) {
    return QDir(programa.path()).entryList({QStringLiteral("Atualizacao-*")}, QDir::Dirs);
}

// Whether the client asked the server for the installer at all.
bool baixouInstalador(ServidorFtpTeste& servidor) {
    const QRegularExpression pedido(QStringLiteral("^(SIZE|RETR) .*\\.exe$"));
    return !servidor.comandos().filter(pedido).isEmpty();
}

} // namespace

void Inicio::desatualizadaComInstalador() {
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("08"));
    const QByteArray instalador = "#!/bin/sh\necho rodou > instalador-rodou\n";
    publica(ini.servidor, instalador);
    ini.programa.escrever(QStringLiteral("CotacaoInstall.exe"), "velho");
    ConversaGravada conversa;
    QCOMPARE(Parte(ini.opcoes(), conversa), Rumo::Fim);
    QCOMPARE(conversa.ditos,
             (QStringList{inicio::textos::NovaVersao, inicio::textos::Desatualizada}));
    QCOMPARE(conversa.esperas, QStringList{inicio::textos::BaixandoAtualizacao});
    // The installer of an earlier update is gone; the new one came into a folder of this run.
    QVERIFY(!QFile::exists(ini.programa.arquivo(QStringLiteral("CotacaoInstall.exe"))));
    const QStringList pastas = pastasDeAtualizacao(ini.programa);
    QCOMPARE(pastas.size(), 1);
    QCOMPARE(ini.programa.ler(pastas[0] + u'/' + kInstalador), instalador);
    // Started on its own, in the program directory, and not waited for.
    QTRY_COMPARE(ini.programa.ler(QStringLiteral("instalador-rodou")), QByteArray("rodou\n"));
    // The next start clears the folder away.
    ini.servidor.colocar(kArquivoVersao, versao("07"));
    ConversaGravada seguinte;
    QCOMPARE(Parte(ini.opcoes(), seguinte), Rumo::Login);
    QVERIFY(seguinte.ditos.isEmpty());
    QVERIFY(pastasDeAtualizacao(ini.programa).isEmpty());
}

// Versao.ini says 99 and nothing signed backs it (anyone with a copy of the program can write
// there): no update; the supplier goes on to the login form, told once; the log says why.
void Inicio::anunciadaSemAssinatura() {
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("99"));
    ini.servidor.colocar(kInstalador, kInstaladorTeste);
    ini.programa.escrever(QStringLiteral("CotacaoInstall.exe"), "velho");
    OpcoesInicio opcoes = ini.opcoes();
    int iniciados = 0;
    opcoes.iniciarProcesso = [&](const QString&, const QString&) { return ++iniciados > 0; };
    for (int vez = 1; vez <= 2; ++vez) {
        ConversaGravada conversa;
        QCOMPARE(Parte(opcoes, conversa), Rumo::Login);
        QCOMPARE(conversa.ditos,
                 vez == 1 ? QStringList{inicio::textos::AtualizacaoRecusada} : QStringList());
    }
    QCOMPARE(iniciados, 0);
    QVERIFY(!baixouInstalador(ini.servidor));
    QCOMPARE(ini.programa.ler(QStringLiteral("CotacaoInstall.exe")), QByteArray("velho"));
    QVERIFY(pastasDeAtualizacao(ini.programa).isEmpty());
    const QString log = QString::fromLatin1(ini.programa.ler(QStringLiteral("KZERROR.LOG")));
    QVERIFY2(log.count(QStringLiteral("Atualiza")) >= 2, qPrintable(log));
}

void Inicio::instaladorNaoInicia() {
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("08"));
    publica(ini.servidor, QByteArray("MZ\x90\0\x03", 5));
    ConversaGravada conversa;
    QCOMPARE(Parte(ini.opcoes(), conversa), Rumo::Fim);
    QCOMPARE(conversa.ditos, (QStringList{inicio::textos::NovaVersao, inicio::textos::Desatualizada,
                                          inicio::textos::FalhaInstalador}));
}

// The signature is judged first, alone: a claim that does not hold (no signature, another key,
// not newer, malformed) is no update and no installer is fetched; a claim that holds enters the
// update, and its installer runs only when it is the file signed.
enum Desfecho { Executada, Recusada, NaoVerificada, NaoBaixada };

void Inicio::atualizacaoVerificada_data() {
    QTest::addColumn<QByteArray>("noServidor"); // the installer on the server; empty: none
    QTest::addColumn<QByteArray>("assinada");   // its signature there; empty: none
    QTest::addColumn<int>("desfecho");
    const QByteArray i = kInstaladorTeste;
    const QByteArray alterado = QByteArray(kInstaladorTeste).replace("exit 0", "exit 1");
    QTemporaryDir chaves;
    const QString outra = chaves.filePath(QStringLiteral("outra.key"));
    QVERIFY(minisign::geraChaves(chaves.filePath(QStringLiteral("outra.pub")), outra));

    QTest::newRow("assinada, versão seguinte: executada") << i << assinatura(i) << int(Executada);
    QTest::newRow("assinada, duas versões à frente: executada")
        << i << assinatura(i, comentarioDaVersao(2)) << int(Executada);
    QTest::newRow("sem assinatura") << i << QByteArray() << int(Recusada);
    QTest::newRow("assinada com outra chave")
        << i << assinatura(i, comentarioDaVersao(), outra) << int(Recusada);
    QTest::newRow("versão desta, republicada")
        << i << assinatura(i, comentarioDaVersao(0)) << int(Recusada);
    QTest::newRow("versão antiga, republicada")
        << i << assinatura(i, comentarioDaVersao(-1)) << int(Recusada);
    QTest::newRow("assinatura malformada")
        << i << QByteArray("untrusted comment: x\n") << int(Recusada);
    QTest::newRow("alterada depois de assinada") << alterado << assinatura(i) << int(NaoVerificada);
    QTest::newRow("assinatura de outro arquivo") << i << assinatura(alterado) << int(NaoVerificada);
    QTest::newRow("assinada, instalador ausente")
        << QByteArray() << assinatura(i) << int(NaoBaixada);
}

void Inicio::atualizacaoVerificada() {
    QFETCH(QByteArray, noServidor);
    QFETCH(QByteArray, assinada);
    QFETCH(int, desfecho);
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, "[Geral]\r\nVersao=99\r\n");
    if (!noServidor.isEmpty())
        ini.servidor.colocar(kInstalador, noServidor);
    if (!assinada.isEmpty())
        ini.servidor.colocar(kAssinatura, assinada);
    OpcoesInicio opcoes = ini.opcoes();
    QStringList iniciados;
    QByteArray executado;
    opcoes.iniciarProcesso = [&](const QString& programa, const QString&) {
        // Started only once it was checked: the signature holds for what is on the disk.
        iniciados << programa;
        executado = minisign::ler(programa);
        return true;
    };
    ConversaGravada conversa;
    const Rumo rumo = Parte(opcoes, conversa);
    using namespace inicio::textos;
    const QStringList esperados[] = {{NovaVersao, Desatualizada},
                                     {AtualizacaoRecusada},
                                     {NovaVersao, AtualizacaoNaoVerificada},
                                     {NovaVersao, FalhaDownload}};
    QCOMPARE(conversa.ditos, esperados[desfecho]);
    QCOMPARE(rumo, desfecho == Recusada ? Rumo::Login : Rumo::Fim);
    QCOMPARE(baixouInstalador(ini.servidor), desfecho != Recusada);
    QCOMPARE(iniciados.size(), desfecho == Executada ? 1 : 0);
    if (desfecho == Executada) {
        QCOMPARE(QFileInfo(iniciados[0]).dir().dirName(),
                 pastasDeAtualizacao(ini.programa).value(0));
        QCOMPARE(executado, noServidor);
    } else {
        // What cannot be verified is not left behind to be run by hand either.
        QVERIFY(pastasDeAtualizacao(ini.programa).isEmpty());
    }
    QVERIFY(!QFile::exists(ini.programa.arquivo(kInstalador)));
    QVERIFY(!QFile::exists(ini.programa.arquivo(kAssinatura)));
    if (desfecho == NaoBaixada) { // the log says why, in curl's words
        const QString log = DeCp1252(ini.programa.ler(QStringLiteral("KZERROR.LOG")));
        QVERIFY2(log.contains(QStringLiteral("CotacaoInstall.exe")) &&
                     log.contains(QStringLiteral("Remote file not found")),
                 qPrintable(log));
    }
}

// A second program started while the first updates neither updates nor touches the first's
// download: what the first checked is what it starts.
void Inicio::umaAtualizacaoPorVez() {
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("08"));
    publica(ini.servidor, kInstaladorTeste);
    OpcoesInicio opcoes = ini.opcoes();
    QByteArray executado;
    QStringList doSegundo;
    opcoes.iniciarProcesso = [&](const QString& programa, const QString&) {
        ini.servidor.colocar(kInstalador,
                             "#!/bin/sh\necho outro\n"); // the server changed meanwhile
        ini.servidor.esquecer();
        OpcoesInicio segundo = opcoes;
        segundo.iniciarProcesso = [](const QString&, const QString&) { return true; };
        ConversaGravada conversa;
        if (Parte(segundo, conversa) != Rumo::Fim)
            doSegundo << QStringLiteral("<foi ao login>");
        doSegundo << conversa.ditos;
        executado = minisign::ler(programa);
        return true;
    };
    ConversaGravada primeiro;
    QCOMPARE(Parte(opcoes, primeiro), Rumo::Fim);
    QCOMPARE(doSegundo,
             (QStringList{inicio::textos::NovaVersao, inicio::textos::OutraAtualizacao}));
    QVERIFY(!baixouInstalador(ini.servidor));
    QCOMPARE(executado, kInstaladorTeste);
}

void Inicio::pastaSomenteLeitura() {
    DiscoPequeno disco(64 * 1024, DiscoPequeno::SomenteLeitura);
    if (!disco.montado())
        QSKIP("this machine does not let the tests mount a small disk");
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("08"));
    ini.servidor.colocar(QStringLiteral("CotacaoInstall.exe"), kInstaladorTeste);
    OpcoesInicio opcoes = ini.opcoes();
    int iniciados = 0;
    opcoes.iniciarProcesso = [&](const QString&, const QString&) { return ++iniciados > 0; };
    DefinePastaDoPrograma(disco.path());
    ConversaGravada conversa;
    const Rumo rumo = Parte(opcoes, conversa);
    DefinePastaDoPrograma(ini.programa.path());
    // No new version announced that could not be installed: the reason instead.
    QCOMPARE(conversa.ditos, QStringList{nucleo::textos::NaoGravou(
                                 nucleo::Falha::Tipo::SemPermissao, disco.path())});
    QCOMPARE(iniciados, 0);
    QCOMPARE(rumo, Rumo::Fim);
    QCOMPARE(ini.servidor.conteudo(kArquivoVersao), versao("08"));
}

void Inicio::temporariosAbandonados() {
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("07"));
    // What a write leaves when the program is killed before it ends.
    for (const char* nome : {"Config.ini.Ab12cD", "2026000000012345.cot.x9Y8z7"})
        ini.programa.escrever(QString::fromLatin1(nome), "pela metade");
    ini.programa.escrever(QStringLiteral("anotacoes.txt.Ab12cD"), "do fornecedor");
    ConversaGravada conversa;
    QCOMPARE(Parte(ini.opcoes(), conversa), Rumo::Login);
    QCOMPARE(QDir(ini.programa.path()).entryList({QStringLiteral("*.*.*")}, QDir::Files),
             QStringList{QStringLiteral("anotacoes.txt.Ab12cD")});
}

// The support forgets one server's key on the command line: that server is met as at a first
// contact, every other one keeps what was learnt.
void Inicio::esquecerServidor() {
    DiretorioTeste programa;
    const QString arquivo = programa.arquivo(kArquivoDoBanco);
    remoto::UsaGuardaDeServidores(GuardaNoBanco(arquivo));
    remoto::Aprende(QStringLiteral("ftp.exemplo.com.br:2121"), {true, "sha256//AAAA"});
    remoto::Aprende(QStringLiteral("127.0.0.1:21"), {true, "sha256//BBBB"});
    const QString programaDeNome = QStringLiteral("cotacao");

    QCOMPARE(AtendeSuporte({programaDeNome}, arquivo), std::nullopt);
    QCOMPARE(AtendeSuporte({programaDeNome, kEsquecerServidor}, arquivo),
             inicio::textos::EsquecerSemServidor);
    QCOMPARE(AtendeSuporte(
                 {programaDeNome, kEsquecerServidor, QStringLiteral(" FTP.exemplo.com.br:2121")},
                 arquivo),
             inicio::textos::ServidorEsquecido.arg(QStringLiteral("ftp.exemplo.com.br:2121")));
    QCOMPARE(AtendeSuporte(
                 {programaDeNome, kEsquecerServidor, QStringLiteral("ftp.exemplo.com.br:2121")},
                 arquivo),
             inicio::textos::ServidorDesconhecido.arg(QStringLiteral("ftp.exemplo.com.br:2121")));

    // The vendor's server, whose key the program was built with (scripts/test builds with one),
    // keeps it: the support is told so, and nothing is forgotten.
    if (!remoto::ChaveDaConstrucao().isEmpty()) {
        const QString vendedor = remoto::Servidor::ftpDaConstrucao();
        QCOMPARE(AtendeSuporte({programaDeNome, kEsquecerServidor, vendedor}, arquivo),
                 inicio::textos::ChaveDaConstrucaoFica.arg(vendedor));
    }

    remoto::UsaGuardaDeServidores(GuardaNoBanco(arquivo)); // the next run
    const auto esquecido = remoto::Conhecido(QStringLiteral("ftp.exemplo.com.br:2121"));
    QVERIFY(esquecido && !esquecido->tls);
    const auto outro = remoto::Conhecido(QStringLiteral("127.0.0.1:21"));
    QVERIFY(outro && outro->tls);
    QCOMPARE(outro->chave, QByteArray("sha256//BBBB"));
    QVERIFY(DeCp1252(programa.ler(QStringLiteral("KZERROR.LOG")))
                .contains(QStringLiteral("ftp.exemplo.com.br:2121")));
}

// Versao.ini that cannot be fetched is no announced update: the supplier reads what happened and
// goes on with this version; nothing of an update is fetched, and the log keeps curl's words.
void Inicio::versaoNaoBaixada_data() {
    QTest::addColumn<bool>("servidorFalha");
    QTest::addColumn<int>("tamanho");
    QTest::newRow("o servidor não entrega o arquivo") << true << 0;
    QTest::newRow("arquivo maior do que o programa aceita") << false << 5 * 1024 * 1024;
}

void Inicio::versaoNaoBaixada() {
    QFETCH(bool, servidorFalha);
    QFETCH(int, tamanho);
    Inicializacao ini;
    ServidorFtpTeste::Opcoes opcoesDoServidor;
    opcoesDoServidor.recusaRetr = servidorFalha;
    ServidorFtpTeste servidor(opcoesDoServidor);
    servidor.colocar(kArquivoVersao, tamanho ? QByteArray(tamanho, 'x') : versao("08"));
    publica(servidor, kInstaladorTeste);
    ini.programa.escrever(kArquivoVersao, versao("06"));
    OpcoesInicio opcoes = ini.opcoes();
    opcoes.rede.servidorFtp = servidor.endereco();
    ConversaGravada conversa;
    QCOMPARE(Parte(opcoes, conversa), Rumo::Login);
    QCOMPARE(conversa.ditos, QStringList{inicio::textos::VersaoNaoVerificada});
    const QRegularExpression atualizacao(QStringLiteral("^(SIZE|RETR) .*\\.(exe|minisig)$"));
    QVERIFY(servidor.comandos().filter(atualizacao).isEmpty());
    QVERIFY(!houveUpload(servidor));
    QCOMPARE(ini.programa.ler(kArquivoVersao), versao("06"));
    const QString log = QString::fromLatin1(ini.programa.ler(QStringLiteral("KZERROR.LOG")));
    QVERIFY2(log.contains(servidorFalha ? QStringLiteral("última resposta do servidor")
                                        : QStringLiteral("Maximum file size exceeded")),
             qPrintable(log));
}

// The clean-up removes the folders earlier updates left, and nothing a link of such a name, or a
// link inside one of them, points to.
void Inicio::ligacoesNaoSeguidas() {
    Inicializacao ini;
    ini.servidor.colocar(kArquivoVersao, versao("07"));
    QTemporaryDir fora;
    const QDir alheia(fora.path());
    QVERIFY(alheia.mkpath(QStringLiteral("a")) && alheia.mkpath(QStringLiteral("b")));
    for (const char* nome : {"a/precos.txt", "b/precos.txt"}) {
        QFile f(alheia.filePath(QString::fromLatin1(nome)));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("do fornecedor") > 0);
    }
    const QDir programa(ini.programa.path());
    QVERIFY(QFile::link(alheia.filePath(QStringLiteral("a")),
                        programa.filePath(QStringLiteral("Atualizacao-ligada"))));
    QVERIFY(programa.mkpath(QStringLiteral("Atualizacao-velha/sub")));
    ini.programa.escrever(QStringLiteral("Atualizacao-velha/sub/CotacaoInstall.exe"), "MZ");
    QVERIFY(QFile::link(alheia.filePath(QStringLiteral("b")),
                        programa.filePath(QStringLiteral("Atualizacao-velha/b"))));
    ConversaGravada conversa;
    QCOMPARE(Parte(ini.opcoes(), conversa), Rumo::Login);
    QVERIFY(!programa.exists(QStringLiteral("Atualizacao-velha")));
    QVERIFY(QFileInfo(programa.filePath(QStringLiteral("Atualizacao-ligada"))).isSymLink());
    QCOMPARE(alheia.entryList(QDir::Dirs | QDir::NoDotAndDotDot),
             (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    for (const char* nome : {"a/precos.txt", "b/precos.txt"})
        QVERIFY2(alheia.exists(QString::fromLatin1(nome)), nome);
}

// What one run learnt of a server's TLS holds in the next, from the local database.
void Inicio::tlsLembradoNoBanco() {
    DiretorioTeste programa;
    const QString arquivo = programa.arquivo(QStringLiteral("Cotacao.db"));
    remoto::UsaGuardaDeServidores(GuardaNoBanco(arquivo));
    remoto::Aprende(QStringLiteral("ftp.exemplo.com.br:2121"), {true, "sha256//AAAA"});
    remoto::Aprende(QStringLiteral("127.0.0.1:21"), {true, QByteArray()});
    remoto::UsaGuardaDeServidores(GuardaNoBanco(arquivo)); // the next run
    const auto pinado = remoto::Conhecido(QStringLiteral("FTP.exemplo.com.br:2121"));
    QVERIFY(pinado && pinado->tls);
    QCOMPARE(pinado->chave, QByteArray("sha256//AAAA"));
    const auto peloSistema = remoto::Conhecido(QStringLiteral("127.0.0.1:21"));
    QVERIFY(peloSistema && peloSistema->tls);
    QVERIFY(peloSistema->chave.isEmpty());
    const auto nunca = remoto::Conhecido(QStringLiteral("127.0.0.1:2121"));
    QVERIFY(nunca && !nunca->tls);

    // The same file left by a newer version of the program: what it knows cannot be read, and
    // that is no "never seen".
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("nova"));
        db.setDatabaseName(arquivo);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 999")));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("nova"));
    remoto::UsaGuardaDeServidores(GuardaNoBanco(arquivo));
    for (const char* servidor : {"ftp.exemplo.com.br:2121", "127.0.0.1:2121"}) {
        const auto ilegivel = remoto::Conhecido(QString::fromLatin1(servidor));
        QVERIFY(!ilegivel);
        QCOMPARE(ilegivel.falha().tipo, nucleo::Falha::Tipo::Inseguro);
        QCOMPARE(ilegivel.falha().texto, remoto::textos::RegistroIlegivel);
        QVERIFY(!ilegivel.falha().detalhe.isEmpty());
    }
    remoto::UsaGuardaDeServidores({});
}
