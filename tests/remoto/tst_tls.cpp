#include "tests/remoto/tst_tls.h"

#include "nucleo/ProgramDir.h"
#include "remoto/Ftp.h"
#include "remoto/Servidor.h"
#include "remoto/Textos.h"
#include "remoto/Tls.h"
#include "tests/support/CertificadoTeste.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/RetransmissorTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace remoto;
using Tls = ServidorFtpTeste::Opcoes::Tls;

namespace {

using Certificado = CertificadoTeste;
using Retransmissor = RetransmissorTeste;

std::unique_ptr<DiretorioTeste> g_programa;

ServidorFtpTeste::Opcoes comTls(Tls tls, const Certificado& c) {
    ServidorFtpTeste::Opcoes o;
    o.tls = tls;
    o.certificado = c.arquivo;
    o.chave = c.chave;
    return o;
}

PedidoFtp pedido(const QString& servidor, const QString& arquivo) {
    return {servidor,
            Servidor::Usuario,
            Servidor::Senha,
            Servidor::Diretorio,
            arquivo,
            g_programa->arquivo(arquivo),
            {}};
}

// A first session through the relay with a server requiring TLS with `c`: the program learns
// its key. The server is gone afterwards; the relay stays, for the next one at that address.
bool ConheceServidor(Retransmissor& fio, const Certificado& c) {
    ServidorFtpTeste servidor(comTls(Tls::Exigido, c));
    fio.para(servidor);
    servidor.colocar(QStringLiteral("Versao.ini"), "[Geral]\r\nVersao=07\r\n");
    return Baixa(pedido(fio.endereco(), QStringLiteral("Versao.ini"))).ok();
}

// Another server at the same address, with another certificate, announcing a version.
std::unique_ptr<ServidorFtpTeste> PoeIntruso(const Retransmissor& fio, const Certificado& outro) {
    auto intruso = std::make_unique<ServidorFtpTeste>(comTls(Tls::Oferecido, outro));
    fio.para(*intruso);
    intruso->colocar(QStringLiteral("Versao.ini"), "[Geral]\r\nVersao=99\r\n");
    return intruso;
}

} // namespace

void FtpTls::init() {
    g_programa = std::make_unique<DiretorioTeste>();
    UsaGuardaDeServidores({}); // each test starts knowing no server
}

void FtpTls::cleanup() {
    UsaGuardaDeServidores({});
    g_programa.reset();
}

void FtpTls::chaveDoCertificado() {
    Certificado c;
    QFile pem(c.arquivo);
    QVERIFY(pem.open(QIODevice::ReadOnly));
    const QByteArray texto = pem.readAll();
    QCOMPARE(ChaveDoCertificadoPem(texto), c.pino);
    QCOMPARE(ChaveDoCertificadoPem("-----BEGIN CERTIFICATE-----\nAAAA\n-----END CERTIFICATE-----"),
             QByteArray());
    QCOMPARE(ChaveDoCertificado(QByteArray("\x30\x84\xff\xff\xff\xff", 6)), QByteArray());
}

// Whether offered or required, a server that speaks TLS gets the password and the files over it,
// and its key is pinned at this first contact.
void FtpTls::primeiroContato_data() {
    QTest::addColumn<int>("modo");
    QTest::newRow("TLS exigido") << int(Tls::Exigido);
    QTest::newRow("TLS oferecido") << int(Tls::Oferecido);
}

void FtpTls::primeiroContato() {
    QFETCH(int, modo);
    Certificado c;
    ServidorFtpTeste servidor(comTls(Tls(modo), c));
    QVERIFY(servidor.iniciado());
    Retransmissor fio;
    fio.para(servidor);
    servidor.colocar(QStringLiteral("2026000000012345.cot"), "[Geral]\r\nSolicitante=Mercado\r\n");

    const Desfecho baixou = Baixa(pedido(fio.endereco(), QStringLiteral("2026000000012345.cot")));
    QVERIFY2(baixou, qPrintable(baixou ? QString() : baixou.falha().detalhe));
    QCOMPARE(g_programa->ler(QStringLiteral("2026000000012345.cot")),
             QByteArray("[Geral]\r\nSolicitante=Mercado\r\n"));
    g_programa->escrever(QStringLiteral("resposta.cot"), "[Geral]\r\nPreco=1,50\r\n");
    const Desfecho subiu = Sobe(pedido(fio.endereco(), QStringLiteral("resposta.cot")));
    QVERIFY2(subiu, qPrintable(subiu ? QString() : subiu.falha().detalhe));
    QCOMPARE(servidor.conteudo(QStringLiteral("resposta.cot")),
             QByteArray("[Geral]\r\nPreco=1,50\r\n"));

    const QByteArray visto = fio.fio();
    QVERIFY2(visto.startsWith("AUTH TLS\r\n"), visto.left(40).constData());
    QVERIFY(!visto.contains("PASS"));
    QVERIFY(!visto.contains(Servidor::Senha.toLatin1()));
    const auto conhecido = Conhecido(fio.endereco());
    QVERIFY(conhecido && conhecido->tls);
    QCOMPARE(conhecido->chave, c.pino);
}

// The same address with another certificate: nothing goes, not even the password, and the log's
// detail names both keys.
void FtpTls::outroCertificado() {
    Certificado primeiro;
    Certificado outro;
    Retransmissor fio;
    QVERIFY(ConheceServidor(fio, primeiro));
    const auto intruso = PoeIntruso(fio, outro);
    const qsizetype antes = fio.fio().size();

    const Desfecho baixou = Baixa(pedido(fio.endereco(), QStringLiteral("Versao.ini")));
    QVERIFY(!baixou);
    QCOMPARE(baixou.falha().tipo, nucleo::Falha::Tipo::Inseguro);
    QCOMPARE(baixou.falha().texto, textos::CertificadoMudou);
    QVERIFY2(baixou.falha().detalhe.contains(QString::fromLatin1(primeiro.pino)) &&
                 baixou.falha().detalhe.contains(QString::fromLatin1(outro.pino)),
             qPrintable(baixou.falha().detalhe));
    QCOMPARE(g_programa->ler(QStringLiteral("Versao.ini")), QByteArray("[Geral]\r\nVersao=07\r\n"));
    const QByteArray depois = fio.fio().mid(antes);
    QVERIFY2(depois.startsWith("AUTH TLS\r\n"), depois.left(40).constData());
    QVERIFY(!fio.fio().contains(Servidor::Senha.toLatin1()));
    // An upload is refused as well, before anything of it goes.
    g_programa->escrever(QStringLiteral("resposta.cot"), "[Geral]\r\nPreco=1,50\r\n");
    const Desfecho subiu = Sobe(pedido(fio.endereco(), QStringLiteral("resposta.cot")));
    QVERIFY(!subiu);
    QCOMPARE(subiu.falha().texto, textos::CertificadoMudou);
    QVERIFY(!intruso->existe(QStringLiteral("resposta.cot")));
    QVERIFY(!intruso->existe(QStringLiteral("resposta.cot.parte")));
}

// A server that spoke TLS here and now offers none never gets the password in clear.
void FtpTls::tlsDesligadoDepois() {
    Certificado c;
    Retransmissor fio;
    QVERIFY(ConheceServidor(fio, c));
    ServidorFtpTeste::Opcoes semTls;
    semTls.daemon = true;
    ServidorFtpTeste servidor(semTls);
    fio.para(servidor);
    servidor.colocar(QStringLiteral("Versao.ini"), "[Geral]\r\nVersao=99\r\n");

    const Desfecho baixou = Baixa(pedido(fio.endereco(), QStringLiteral("Versao.ini")));
    QVERIFY(!baixou);
    QCOMPARE(baixou.falha().tipo, nucleo::Falha::Tipo::Inseguro);
    QCOMPARE(baixou.falha().texto, textos::SemTls);
    QVERIFY(!fio.fio().contains("PASS"));
    QVERIFY(!fio.fio().contains("USER"));
    QCOMPARE(g_programa->ler(QStringLiteral("Versao.ini")), QByteArray("[Geral]\r\nVersao=07\r\n"));
}

// A server that never offered TLS keeps working as before, and nothing is pinned.
void FtpTls::servidorSemTls() {
    ServidorFtpTeste::Opcoes semTls;
    semTls.daemon = true;
    ServidorFtpTeste servidor(semTls);
    Retransmissor fio;
    fio.para(servidor);
    servidor.colocar(QStringLiteral("Versao.ini"), "[Geral]\r\nVersao=07\r\n");
    QVERIFY(Baixa(pedido(fio.endereco(), QStringLiteral("Versao.ini"))));
    QVERIFY(fio.fio().startsWith("AUTH TLS\r\n")); // asked, and refused
    QVERIFY(fio.fio().contains("PASS "));
    QVERIFY(Conhecido(fio.endereco()) && !Conhecido(fio.endereco())->tls);
}

// A greeting's text line that looks like the reply to AUTH TLS is text: a plain server stays a
// plain server, this session and the next.
void FtpTls::textoNaSaudacao() {
    ServidorFtpTeste::Opcoes semTls;
    semTls.daemon = true;
    ServidorFtpTeste servidor(semTls);
    Retransmissor fio(QStringLiteral(" 234 mensagem do dia"));
    fio.para(servidor);
    servidor.colocar(QStringLiteral("Versao.ini"), "[Geral]\r\nVersao=07\r\n");
    for (int vez = 0; vez < 2; ++vez) {
        const Desfecho baixou = Baixa(pedido(fio.endereco(), QStringLiteral("Versao.ini")));
        QVERIFY2(baixou, qPrintable(baixou ? QString() : baixou.falha().detalhe));
        const auto conhecido = Conhecido(fio.endereco());
        QVERIFY(conhecido && !conhecido->tls);
    }
}

namespace {
// What the store answers when it cannot be read (a lock held past its time, a newer version).
GuardaDeServidores guardaIlegivel(int* guardados) {
    return {[](const QString&) -> nucleo::Resultado<std::optional<ServidorConhecido>> {
                return nucleo::Falha{nucleo::Falha::Tipo::Banco, QStringLiteral("ilegível"),
                                     QStringLiteral("database is locked")};
            },
            [guardados](const QString&, const ServidorConhecido&) { ++*guardados; }};
}
} // namespace

// Key A learnt, then the store cannot be read while the address presents key B: no connection is
// made at all (nothing to check the key against), nothing is learnt over what was kept.
void FtpTls::registroIlegivel() {
    Certificado primeiro;
    Certificado outro;
    Retransmissor fio;
    QVERIFY(ConheceServidor(fio, primeiro));
    int guardados = 0;
    UsaGuardaDeServidores(guardaIlegivel(&guardados));
    const auto intruso = PoeIntruso(fio, outro);
    const qsizetype antes = fio.fio().size();

    const Desfecho baixou = Baixa(pedido(fio.endereco(), QStringLiteral("Versao.ini")));
    QVERIFY(!baixou);
    QCOMPARE(baixou.falha().tipo, nucleo::Falha::Tipo::Inseguro);
    QCOMPARE(baixou.falha().texto, textos::RegistroIlegivel);
    QVERIFY(baixou.falha().detalhe.contains(QStringLiteral("database is locked")));
    g_programa->escrever(QStringLiteral("resposta.cot"), "[Geral]\r\nPreco=1,50\r\n");
    const Desfecho subiu = Sobe(pedido(fio.endereco(), QStringLiteral("resposta.cot")));
    QVERIFY(!subiu);
    QCOMPARE(subiu.falha().texto, textos::RegistroIlegivel);
    QCOMPARE(fio.fio().size(), antes);
    QCOMPARE(guardados, 0);
    QCOMPARE(g_programa->ler(QStringLiteral("Versao.ini")), QByteArray("[Geral]\r\nVersao=07\r\n"));
}

// The vendor's key, built into the program, is the one its server is known by: neither what was
// learnt nor a store that cannot be read stands for it.
void FtpTls::chaveDaConstrucaoVence() {
    if (ChaveDaConstrucao().isEmpty())
        QSKIP("built without COTACAO_CHAVE_FTP (scripts/test builds with one)");
    const QString vendedor = Servidor::ftpDaConstrucao();
    int guardados = 0;
    UsaGuardaDeServidores(
        {[](const QString&) -> nucleo::Resultado<std::optional<ServidorConhecido>> {
             return std::optional(ServidorConhecido{true, "sha256//AAAA"});
         },
         [&guardados](const QString&, const ServidorConhecido&) { ++guardados; }});
    Aprende(vendedor, {true, "sha256//BBBB"});
    for (const QString& nome : {vendedor, QString(vendedor.toUpper() + u' ')}) {
        const auto conhecido = Conhecido(nome);
        QVERIFY(conhecido && conhecido->tls);
        QCOMPARE(conhecido->chave, ChaveDaConstrucao());
    }
    UsaGuardaDeServidores(guardaIlegivel(&guardados));
    const auto semRegistro = Conhecido(vendedor);
    QVERIFY(semRegistro);
    QCOMPARE(semRegistro->chave, ChaveDaConstrucao());
    // Any other server needs the store.
    QVERIFY(!Conhecido(QStringLiteral("127.0.0.1:2121")));
}

namespace {
// A chain made by openssl: a root, an intermediate it signed, and the server's certificate the
// intermediate signed; each as its PEM and its subject and issuer as openssl prints them.
struct Cadeia {
    QTemporaryDir pasta;
    CertificadoApresentado raiz, intermediario, folha;
    QByteArray pinoDaFolha;

    static QByteArray roda(const QString& comando) {
        QProcess sh;
        sh.start(QStringLiteral("sh"), {QStringLiteral("-c"), comando});
        sh.waitForFinished(60000);
        return sh.readAllStandardOutput();
    }
    CertificadoApresentado le(const QString& nome) const {
        const QString arquivo = pasta.filePath(nome + QStringLiteral(".pem"));
        QFile pem(arquivo);
        if (!pem.open(QIODevice::ReadOnly))
            return {};
        const QByteArray texto = pem.readAll();
        return {roda(QStringLiteral("openssl x509 -in '%1' -noout -subject").arg(arquivo))
                    .trimmed()
                    .mid(8),
                roda(QStringLiteral("openssl x509 -in '%1' -noout -issuer").arg(arquivo))
                    .trimmed()
                    .mid(7),
                texto};
    }
    Cadeia() {
        roda(QStringLiteral(
                 "cd '%1' && "
                 "openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=Raiz -days 2 -keyout r.key "
                 "-out raiz.pem -addext basicConstraints=critical,CA:TRUE 2>/dev/null && "
                 "openssl req -newkey rsa:2048 -nodes -subj /CN=Intermediario -keyout i.key "
                 "-out i.csr 2>/dev/null && "
                 "printf 'basicConstraints=critical,CA:TRUE\n' > ca.ext && "
                 "openssl x509 -req -in i.csr -CA raiz.pem -CAkey r.key -CAcreateserial -days 2 "
                 "-extfile ca.ext -out intermediario.pem 2>/dev/null && "
                 "openssl req -newkey rsa:2048 -nodes -subj /CN=127.0.0.1 -keyout f.key "
                 "-out f.csr 2>/dev/null && "
                 "openssl x509 -req -in f.csr -CA intermediario.pem -CAkey i.key "
                 "-CAcreateserial -days 2 -out folha.pem 2>/dev/null")
                 .arg(pasta.path()));
        raiz = le(QStringLiteral("raiz"));
        intermediario = le(QStringLiteral("intermediario"));
        folha = le(QStringLiteral("folha"));
        pinoDaFolha = "sha256//" + roda(QStringLiteral("openssl x509 -in '%1' -pubkey -noout | "
                                                       "openssl pkey -pubin -outform der | "
                                                       "openssl dgst -sha256 -binary | base64")
                                            .arg(pasta.filePath(QStringLiteral("folha.pem"))))
                                       .trimmed();
    }
};
} // namespace

// The server's own key, whatever order the TLS library lists the chain in.
void FtpTls::chaveDaFolha() {
    Cadeia c;
    QVERIFY(!c.folha.pem.isEmpty() && !c.raiz.pem.isEmpty() && !c.intermediario.pem.isEmpty());
    QCOMPARE(c.folha.emissor, c.intermediario.sujeito);
    QVERIFY(c.pinoDaFolha.size() > 20);
    const QList<QList<CertificadoApresentado>> ordens{
        {c.folha},
        {c.folha, c.intermediario, c.raiz},
        {c.raiz, c.intermediario, c.folha},
        {c.intermediario, c.folha},
        {c.intermediario, c.raiz, c.folha},
    };
    for (const auto& cadeia : ordens)
        QCOMPARE(ChaveDaFolha(cadeia), c.pinoDaFolha);
    // Two certificates that issued nothing: no telling which is the server's.
    QCOMPARE(ChaveDaFolha({c.folha, c.raiz}), QByteArray());
    QCOMPARE(ChaveDaFolha({}), QByteArray());
}
