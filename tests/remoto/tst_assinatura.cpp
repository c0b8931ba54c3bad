#include "tests/remoto/tst_assinatura.h"

#include "remoto/Assinatura.h"
#include "remoto/Textos.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/Minisign.h"

#include <QStandardPaths>
#include <QTest>

using namespace remoto;

void Assinatura::initTestCase() {
    if (QStandardPaths::findExecutable(QStringLiteral("minisign")).isEmpty())
        QFAIL("minisign is missing (scripts/setup installs it)");
}

void Assinatura::verificacao_data() {
    QTest::addColumn<QString>("comentario"); // the trusted comment signed
    QTest::addColumn<bool>("outraChave");    // signed with another publisher's key
    QTest::addColumn<QString>("mudanca");    // what happens to the files after signing
    QTest::addColumn<QString>("emExecucao"); // the running program's version
    QTest::addColumn<QString>("recusa");     // why it does not hold; empty when it does
    QTest::addColumn<QString>("versao");     // the version it holds

    using namespace remoto::textos;
    const QString v108 = QStringLiteral("versao=1.08");
    const QString v107 = QStringLiteral("1.07");
    auto linha = [&](const char* nomeDaLinha, const QString& comentario, bool outra,
                     const char* mudanca, const QString& emExecucao, const QString& recusa,
                     const char* versao = "") {
        QTest::newRow(nomeDaLinha) << comentario << outra << QString::fromLatin1(mudanca)
                                   << emExecucao << recusa << QString::fromLatin1(versao);
    };
    const QString valida;
    linha("assinada, versão mais nova", v108, false, "", v107, valida, "1.08");
    linha("1.10 é mais nova que 1.09", "versao=1.10", false, "", "1.09", valida, "1.10");
    linha("versão entre outras palavras", "timestamp:1 versao=1.08 arquivo:x", false, "", v107,
          valida, "1.08");
    linha("chave dada só pela sua linha", v108, false, "so-a-linha", v107, valida, "1.08");
    linha("linhas terminadas em CRLF", v108, false, "crlf", v107, valida, "1.08");
    linha("outra chave", v108, true, "", v107, MotivoOutraChave);
    linha("um byte do instalador mudou", v108, false, "instalador", v107, MotivoNaoConfere);
    linha("um byte do comentário confiável mudou", v108, false, "comentario", v107,
          MotivoNaoConfere);
    linha("um byte da assinatura mudou", v108, false, "assinatura", v107, MotivoNaoConfere);
    linha("um byte da assinatura global mudou", v108, false, "global", v107, MotivoNaoConfere);
    linha("versão igual", "versao=1.07", false, "", v107, MotivoVersaoAntiga.arg("1.07", v107));
    linha("versão mais antiga", "versao=1.06", false, "", v107,
          MotivoVersaoAntiga.arg("1.06", v107));
    linha("1.9 é mais antiga que 1.10", "versao=1.9", false, "", "1.10",
          MotivoVersaoAntiga.arg("1.9", "1.10"));
    linha("sem versão", "timestamp:1", false, "", v107, MotivoSemVersao);
    linha("versão que não é número", "versao=1.08b", false, "", v107, MotivoSemVersao);
    linha("versão vazia", "versao=", false, "", v107, MotivoSemVersao);
    linha("assinatura legada (Ed)", v108, false, "legado", v107, MotivoAssinaturaMalformada);
    linha("arquivo de assinatura sem a assinatura global", v108, false, "tres-linhas", v107,
          MotivoAssinaturaMalformada);
    linha("base64 inválido", v108, false, "base64", v107, MotivoAssinaturaMalformada);
    linha("arquivo de assinatura vazio", v108, false, "vazio", v107, MotivoAssinaturaMalformada);
    linha("arquivo de assinatura enorme", v108, false, "enorme", v107, MotivoAssinaturaMalformada);
    linha("sem arquivo de assinatura", v108, false, "sem-assinatura", v107,
          MotivoAssinaturaAusente);
    linha("sem instalador", v108, false, "sem-instalador", v107, MotivoAssinaturaAusente);
    linha("chave pública inválida", v108, false, "chave-invalida", v107, MotivoChaveInvalida);
}

void Assinatura::verificacao() {
    QFETCH(QString, comentario);
    QFETCH(bool, outraChave);
    QFETCH(QString, mudanca);
    QFETCH(QString, emExecucao);
    QFETCH(QString, recusa);
    QFETCH(QString, versao);

    DiretorioTeste pasta;
    const QString arquivo = pasta.arquivo(QStringLiteral("CotacaoInstall.exe"));
    const QString assinatura = ArquivoDeAssinatura(arquivo);
    QCOMPARE(assinatura, arquivo + QStringLiteral(".minisig"));
    const QByteArray conteudo = minisign::instaladorDeTeste(300 * 1024);
    pasta.escrever(QStringLiteral("CotacaoInstall.exe"), conteudo);
    QString secreta = minisign::chaveSecretaTeste();
    if (outraChave) {
        secreta = pasta.arquivo(QStringLiteral("outra.key"));
        QVERIFY(minisign::geraChaves(pasta.arquivo(QStringLiteral("outra.pub")), secreta));
    }
    QVERIFY(minisign::assina(arquivo, assinatura, comentario, secreta, mudanca == u"legado"));
    QByteArray chave = minisign::ler(minisign::chavePublicaTeste());
    QVERIFY(!chave.isEmpty());

    QByteArray sig = minisign::ler(assinatura);
    QList<QByteArray> linhas = sig.split('\n');
    QCOMPARE(linhas.size(), 5); // four lines and the last newline
    auto muda = [](QByteArray& texto, qsizetype posicao) {
        texto[posicao] = char(texto[posicao] ^ 1);
    };
    if (mudanca == u"instalador") {
        QByteArray outro = conteudo;
        muda(outro, outro.size() / 2);
        pasta.escrever(QStringLiteral("CotacaoInstall.exe"), outro);
    } else if (mudanca == u"comentario") {
        QVERIFY(linhas[2].endsWith("1.08"));
        linhas[2].back() = '9';
    } else if (mudanca == u"assinatura") {
        // A character of the signature proper, past the algorithm and the key id.
        linhas[1][30] = linhas[1][30] == 'A' ? 'B' : 'A';
    } else if (mudanca == u"global") {
        linhas[3][10] = linhas[3][10] == 'A' ? 'B' : 'A';
    } else if (mudanca == u"tres-linhas") {
        linhas.removeAt(3);
    } else if (mudanca == u"base64") {
        linhas[1][5] = '*';
    } else if (mudanca == u"so-a-linha") {
        chave = chave.split('\n').at(1);
    } else if (mudanca == u"chave-invalida") {
        chave = "untrusted comment: x\nRWQ=\n";
    }
    sig = linhas.join('\n');
    if (mudanca == u"crlf")
        sig.replace("\n", "\r\n");
    else if (mudanca == u"vazio")
        sig.clear();
    else if (mudanca == u"enorme")
        sig = sig.left(sig.size() - 1) + QByteArray(8192, ' ') + '\n';
    pasta.escrever(QStringLiteral("CotacaoInstall.exe.minisig"), sig);
    if (mudanca == u"sem-assinatura")
        QVERIFY(QFile::remove(assinatura));
    else if (mudanca == u"sem-instalador")
        QVERIFY(QFile::remove(arquivo));

    const nucleo::Resultado<QString> v = VerificaAssinatura(arquivo, assinatura, chave, emExecucao);
    QCOMPARE(v ? QString() : v.falha().texto, recusa);
    if (v)
        QCOMPARE(*v, versao);
}
