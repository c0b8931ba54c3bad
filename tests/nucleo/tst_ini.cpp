#include "tests/nucleo/tst_ini.h"

#include "nucleo/Cp1252.h"
#include "nucleo/Erro.h"
#include "nucleo/Ini.h"
#include "nucleo/Texto.h"
#include "tests/support/DiretorioTeste.h"

#include <QScopeGuard>
#include <QTest>

using namespace nucleo;

namespace {
const QString Geral = QStringLiteral("Geral");

const QByteArray kExemplo = "; gerado pelo sistema do comprador\r\n"
                            "[Geral]\r\n"
                            "Solicitante =  Mercado S\xe3o Jo\xe3o  \r\n"
                            "SenhaCotacao=\"37214508\"\r\n"
                            "Vazia=\r\n"
                            "SemIgual\r\n"
                            "Lista=[|a;b|][|#c|]\r\n"
                            "\r\n"
                            "[Outra]\r\n"
                            "Solicitante=da outra\r\n"
                            "[GERAL]\r\n"
                            "Repetida=segunda se\xe7\xe3o\r\n";
} // namespace

void Ini::leitura_data() {
    QTest::addColumn<QString>("secao");
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("padrao");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("brancos em volta tirados, acentos") << "Geral"
                                                       << "Solicitante"
                                                       << "x"
                                                       << "Mercado São João";
    QTest::newRow("maiúsculas e minúsculas") << "gERAL"
                                             << "SOLICITANTE"
                                             << "x"
                                             << "Mercado São João";
    QTest::newRow("aspas tiradas") << "Geral"
                                   << "SenhaCotacao"
                                   << ""
                                   << "37214508";
    QTest::newRow("valor vazio não é o padrão") << "Geral"
                                                << "Vazia"
                                                << "x"
                                                << "";
    QTest::newRow("linha sem igual") << "Geral"
                                     << "SemIgual"
                                     << "x"
                                     << "";
    QTest::newRow("; e # fazem parte do valor") << "Geral"
                                                << "Lista"
                                                << ""
                                                << "[|a;b|][|#c|]";
    QTest::newRow("chave ausente: o padrão") << "Geral"
                                             << "Nada"
                                             << "0,00"
                                             << "0,00";
    QTest::newRow("chave ausente: padrão vazio") << "Geral"
                                                 << "Nada"
                                                 << ""
                                                 << "";
    QTest::newRow("seção ausente") << "Falta"
                                   << "Solicitante"
                                   << "0"
                                   << "0";
    QTest::newRow("outra seção") << "Outra"
                                 << "Solicitante"
                                 << ""
                                 << "da outra";
    QTest::newRow("só a primeira seção do nome") << "Geral"
                                                 << "Repetida"
                                                 << "p"
                                                 << "p";
    QTest::newRow("comentário não é chave") << "Geral"
                                            << "; gerado pelo sistema do comprador"
                                            << "p"
                                            << "p";
}

void Ini::leitura() {
    QFETCH(QString, secao);
    QFETCH(QString, chave);
    QFETCH(QString, padrao);
    QFETCH(QString, esperado);
    DiretorioTeste dir;
    dir.escrever(QStringLiteral("a.ini"), kExemplo);
    QString valor = QStringLiteral("lixo");
    GetFileIni(secao, chave, padrao, dir.arquivo(QStringLiteral("a.ini")), valor);
    QCOMPARE(valor, esperado);

    QString semArquivo;
    GetFileIni(secao, chave, padrao, dir.arquivo(QStringLiteral("falta.ini")), semArquivo);
    QCOMPARE(semArquivo, padrao);
}

void Ini::limiteDoValor_data() {
    QTest::addColumn<int>("tamanho");
    QTest::addColumn<int>("lido");
    QTest::newRow("299999 inteiro") << 299999 << 299999;
    QTest::newRow("300000 cortado") << 300000 << 299999;
    QTest::newRow("400000 cortado") << 400000 << 299999;
}

void Ini::limiteDoValor() {
    QFETCH(int, tamanho);
    QFETCH(int, lido);
    DiretorioTeste dir;
    QByteArray valor(tamanho, 'x');
    valor[0] = '\xe7';
    dir.escrever(QStringLiteral("a.ini"), "[Geral]\r\nLista=" + valor + "\r\nDepois=1\r\n");
    QString resultado;
    GetFileIni(Geral, QStringLiteral("Lista"), {}, dir.arquivo(QStringLiteral("a.ini")), resultado);
    QCOMPARE(resultado.size(), lido);
    QCOMPARE(resultado.front(), u'ç');
}

void Ini::escrita_data() {
    QTest::addColumn<QString>("secao");
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QByteArray>("antes");
    QTest::addColumn<QByteArray>("depois");

    const QByteArray base =
        "; comentario\r\n[Geral]\r\nCNPJ=1\r\nPrazo = 30 \r\n\r\n[Outra]\r\nX=y\r\n";
    QTest::newRow("troca só a linha, com a grafia da chave")
        << "Geral"
        << "cnpj"
        << "11.222.333/0001-81" << base
        << QByteArray("; comentario\r\n[Geral]\r\nCNPJ=11.222.333/0001-81\r\nPrazo = 30 \r\n\r\n"
                      "[Outra]\r\nX=y\r\n");
    QTest::newRow("chave nova no fim da seção")
        << "GERAL"
        << "FormaPgto"
        << "30/60/90" << base
        << QByteArray("; comentario\r\n[Geral]\r\nCNPJ=1\r\nPrazo = 30 \r\nFormaPgto=30/60/90\r\n"
                      "\r\n[Outra]\r\nX=y\r\n");
    QTest::newRow("seção nova no fim") << "Nova"
                                       << "K"
                                       << "v" << base << base + "[Nova]\r\nK=v\r\n";
    QTest::newRow("arquivo sem fim de linha")
        << "Geral"
        << "B"
        << "2" << QByteArray("[Geral]\r\nA=1") << QByteArray("[Geral]\r\nA=1\r\nB=2\r\n");
    QTest::newRow("seção nova após arquivo sem fim de linha")
        << "Outra"
        << "B"
        << "2" << QByteArray("[Geral]\r\nA=1")
        << QByteArray("[Geral]\r\nA=1\r\n[Outra]\r\nB=2\r\n");
    QTest::newRow("acentos em Windows-1252")
        << "Geral"
        << "Obs"
        << "Cotação" << QByteArray() << QByteArray("[Geral]\r\nObs=Cota\xe7\xe3o\r\n");
    QTest::newRow("fora da página vira ?") << "Geral"
                                           << "Obs"
                                           << "a€b→c😀" << QByteArray()
                                           << QByteArray("[Geral]\r\nObs=a\x80"
                                                         "b?c?\r\n");
    QTest::newRow("quebra de linha vira branco")
        << "Geral"
        << "Obs"
        << "um\r\ndois\nfim" << QByteArray() << QByteArray("[Geral]\r\nObs=um  dois fim\r\n");
    QTest::newRow("valor vazio") << "Geral"
                                 << "CNPJ"
                                 << "" << QByteArray("[Geral]\r\nCNPJ=1\r\n")
                                 << QByteArray("[Geral]\r\nCNPJ=\r\n");
}

void Ini::escrita() {
    QFETCH(QString, secao);
    QFETCH(QString, chave);
    QFETCH(QString, valor);
    QFETCH(QByteArray, antes);
    QFETCH(QByteArray, depois);
    DiretorioTeste dir;
    if (!antes.isEmpty())
        dir.escrever(QStringLiteral("a.ini"), antes);
    QVERIFY(PutFileIni(secao, chave, valor, dir.arquivo(QStringLiteral("a.ini"))));
    QCOMPARE(dir.ler(QStringLiteral("a.ini")), depois);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.ini")});
}

void Ini::escreverELer_data() {
    QTest::addColumn<QString>("valor");
    QTest::newRow("simples") << "30";
    QTest::newRow("acentos") << "Cotação não é fácil";
    QTest::newRow("lista") << "[|1,00|][||][|x=y|]";
    QTest::newRow("vazio") << "";
    QTest::newRow("longo") << QString(299999, u'9');
}

void Ini::escreverELer() {
    QFETCH(QString, valor);
    DiretorioTeste dir;
    const QString arquivo = dir.arquivo(QStringLiteral("Config.ini"));
    QVERIFY(PutFileIni(Geral, QStringLiteral("A"), QStringLiteral("antes"), arquivo).ok());
    QVERIFY(PutFileIni(Geral, QStringLiteral("Valor"), QStringLiteral("velho"), arquivo).ok());
    QVERIFY(PutFileIni(Geral, QStringLiteral("Z"), QStringLiteral("depois"), arquivo).ok());
    QVERIFY(PutFileIni(Geral, QStringLiteral("Valor"), valor, arquivo).ok());
    QString lido, a, z;
    GetFileIni(Geral, QStringLiteral("valor"), QStringLiteral("padrão"), arquivo, lido);
    GetFileIni(Geral, QStringLiteral("A"), {}, arquivo, a);
    GetFileIni(Geral, QStringLiteral("Z"), {}, arquivo, z);
    QCOMPARE(lido, valor);
    QCOMPARE(a, u"antes");
    QCOMPARE(z, u"depois");
}

void Ini::arquivoNovo() {
    DiretorioTeste dir;
    const QString arquivo = dir.arquivo(QStringLiteral("Versao.ini"));
    QVERIFY(PutFileIni(Geral, QStringLiteral("Versao"), QStringLiteral("07"), arquivo).ok());
    QCOMPARE(dir.ler(QStringLiteral("Versao.ini")), QByteArray("[Geral]\r\nVersao=07\r\n"));
    // A directory that does not exist cannot take the file: a failure that says why, and no
    // runtime error (the window that asked decides what the supplier reads).
    const ApresentacaoDeErro antes = apresentacaoDeErro();
    int erros = 0;
    apresentacaoDeErro().caixa = [&](const QString&, const QString&, const EscolhasDoErro&) {
        ++erros;
        return 1;
    };
    apresentacaoDeErro().semObjeto = [&](const QString&, const QString&) { ++erros; };
    const auto devolve = qScopeGuard([&] { apresentacaoDeErro() = antes; });
    const auto semPasta = PutFileIni(Geral, QStringLiteral("A"), QStringLiteral("1"),
                                     dir.arquivo(QStringLiteral("falta/a.ini")));
    QVERIFY(!semPasta);
    QCOMPARE(semPasta.falha().tipo, Falha::Tipo::SemPermissao);
    QVERIFY(semPasta.falha().texto.contains(QStringLiteral("falta")));
    QVERIFY(!ArquivoIni::edita(dir.arquivo(QStringLiteral("falta/b.ini")),
                               [](ArquivoIni& ini) { ini.define(Geral, "B", "2"); }));
    QCOMPARE(erros, 0);
}

void Texto::limpaNumeros_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("digitos");
    QTest::newRow("CNPJ pontuado") << "11.222.333/0001-81"
                                   << "11222333000181";
    QTest::newRow("com brancos") << "11.222. 33/0001-8 "
                                 << "112223300018";
    QTest::newRow("vazio") << ""
                           << "";
    QTest::newRow("só letras") << "abcXYZ"
                               << "";
    QTest::newRow("dígitos de outra escrita ficam de fora") << "1٢3"
                                                            << "13";
}

void Texto::limpaNumeros() {
    QFETCH(QString, texto);
    QFETCH(QString, digitos);
    QCOMPARE(LimpaNumeros(texto), digitos);
}

void Texto::cp1252TodosOsBytes() {
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos.append(char(b));
    const QString texto = DeCp1252(todos);
    QCOMPARE(texto.size(), 256);
    QCOMPARE(texto.at(0x80), QChar(0x20AC));
    QCOMPARE(texto.at(0xE7), u'ç');
    QCOMPARE(ParaCp1252(texto), todos);
}

void Texto::cp1252ForaDaPagina_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("seta") << "a→b" << QByteArray("a?b");
    QTest::newRow("par substituto é um caractere") << "x😀y" << QByteArray("x?y");
    QTest::newRow("substituto solto") << QString(QChar(0xD800)) << QByteArray("?");
    QTest::newRow("aspas tipográficas cabem") << "“ok”" << QByteArray("\x93ok\x94");
}

void Texto::cp1252ForaDaPagina() {
    QFETCH(QString, texto);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ParaCp1252(texto), bytes);
}
