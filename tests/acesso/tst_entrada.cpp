#include "tests/acesso/tst_entrada.h"

#include "acesso/Entrada.h"
#include "acesso/Textos.h"
#include "formatos/Lista.h"
#include "nucleo/Cp1252.h"
#include "remoto/Textos.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QTest>

using namespace acesso;

namespace {

const QString kSemConexao = QStringLiteral("(sem conexao)");

const QString kNumero = QStringLiteral("2026000000012345");
// The CNPJ of the list's first supplier, as the masked field shows it, and its password.
const QString kCnpj = QStringLiteral("11.222.333/0001-81");
const QString kSenha = QStringLiteral("37326731");

QByteArray cotacao() {
    const QString fornecedores =
        formatos::EscreveLista({"1", "Distribuidora São Jorge", "(11) 3333-4444", "11222333000181",
                                "2", "99888777000166", "(11) 5555-6666", "45987654000110"});
    return "[Geral]\r\nSolicitante=Mercado\r\nSenhaCotacao=37214508\r\nListaFornecedor=" +
           nucleo::ParaCp1252(fornecedores) + "\r\nListaProdutos=\r\n";
}

// What the login said, where it sent the supplier, and whether it waited on the network.
struct ConversaGravada : ConversaDoLogin {
    bool internet = true;
    QStringList ditos;
    std::optional<Campo> campo;
    QStringList esperas;
    void recusa(const QString& texto, std::optional<Campo> c) override {
        ditos << texto;
        campo = c;
    }
    bool conectado() override {
        if (!internet)
            ditos << kSemConexao; // what the window tells
        return internet;
    }
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override {
        esperas << texto;
        trabalho();
    }
};

enum Situacao { Normal, SemInternet, FtpForaDoAr };

} // namespace

Q_DECLARE_METATYPE(std::optional<Campo>)

void Entrar::recusas_data() {
    using namespace acesso::textos;
    QTest::addColumn<int>("situacao");
    QTest::addColumn<QString>("cnpj"); // as the masked field shows it
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<std::optional<Campo>>("campo");
    QTest::addColumn<bool>("rede"); // whether the FTP server was reached

    const std::optional<Campo> nenhum;
    QTest::newRow("número com 15 dígitos")
        << int(Normal) << kCnpj << kNumero.left(15) << kSenha << CodigoIncorreto
        << std::optional(Campo::Codigo) << false;
    QTest::newRow("número com letras, como caminho")
        << int(Normal) << kCnpj << "../../../etc/pas" << kSenha << CodigoIncorreto
        << std::optional(Campo::Codigo) << false;
    QTest::newRow("senha com 7 dígitos") << int(Normal) << kCnpj << kNumero << "3732673"
                                         << SenhaIncorreta << std::optional(Campo::Senha) << false;
    QTest::newRow("CNPJ sem o último dígito")
        << int(Normal) << "11.222.333/0001-8 " << kNumero << kSenha << CNPJIncorreto
        << std::optional(Campo::CNPJ) << false;
    QTest::newRow("CNPJ sem o primeiro dígito")
        << int(Normal) << " 1.222.333/0001-81" << kNumero << kSenha << CNPJIncorreto
        << std::optional(Campo::CNPJ) << false;
    QTest::newRow("sem internet") << int(SemInternet) << kCnpj << kNumero << kSenha << kSemConexao
                                  << nenhum << false;
    QTest::newRow("cotação inexistente") << int(Normal) << kCnpj << "2026000000099999" << kSenha
                                         << CotacaoInexistente << nenhum << true;
    // Only the server's "no such file" says the number does not exist.
    QTest::newRow("servidor FTP fora do ar")
        << int(FtpForaDoAr) << kCnpj << kNumero << kSenha << FalhaServidor << nenhum << false;
    QTest::newRow("senha errada") << int(Normal) << kCnpj << kNumero << "37326732" << SenhaIncorreta
                                  << std::optional(Campo::Senha) << true;
    QTest::newRow("senha certa de outra raiz, CNPJ na lista")
        << int(Normal) << kCnpj << kNumero << "37674384" << SenhaIncorreta
        << std::optional(Campo::Senha) << true;
    QTest::newRow("senha certa, CNPJ fora da lista")
        << int(Normal) << "22.333.444/0001-55" << kNumero << "37437842" << CNPJNaoLiberado << nenhum
        << true;
    QTest::newRow("CNPJ só no segundo campo") << int(Normal) << "99.888.777/0001-66" << kNumero
                                              << "38213395" << CNPJNaoLiberado << nenhum << true;
    // A blank inside the field counts as no digit: the password is checked against what is left.
    QTest::newRow("lacuna dentro da raiz")
        << int(Normal) << "1 .222.333/0001-81" << kNumero << kSenha << SenhaIncorreta
        << std::optional(Campo::Senha) << true;
    QTest::newRow("lacuna depois da raiz") << int(Normal) << "11.222.333/0 01-81" << kNumero
                                           << kSenha << CNPJNaoLiberado << nenhum << true;
}

void Entrar::recusas() {
    QFETCH(int, situacao);
    QFETCH(QString, cnpj);
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    QFETCH(QString, mensagem);
    QFETCH(std::optional<Campo>, campo);
    QFETCH(bool, rede);

    ServidorFtpTeste servidor;
    DiretorioTeste programa;
    servidor.colocar(kNumero + ".cot", cotacao());
    ConversaGravada conversa;
    conversa.internet = situacao != SemInternet;
    const QString endereco =
        situacao == FtpForaDoAr ? QStringLiteral("127.0.0.1:1") : servidor.endereco();

    const auto entrada = Entra({codigo, senha, cnpj}, endereco, conversa);
    QVERIFY(!entrada);
    QCOMPARE(conversa.ditos, QStringList{mensagem});
    // What was told is what is answered (the window tells a missing Internet in its own words).
    if (situacao != SemInternet)
        QCOMPARE(entrada.falha().texto, mensagem);
    QCOMPARE(conversa.campo, campo);
    QCOMPARE(servidor.conexoesFeitas() > 0, rede);
    QVERIFY(!QFile::exists(programa.arquivo("Config.ini")));
}

// What the server did is told as what happened, and the error log keeps curl's words and the
// server's last reply: a file past the program's limit exists, it is no wrong number.
void Entrar::falhasDoServidor_data() {
    using namespace acesso::textos;
    QTest::addColumn<int>("situacao");
    QTest::addColumn<int>("tamanho"); // of the quotation file on the server; 0: none there
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("noLog");
    QTest::newRow("fora do ar") << int(FtpForaDoAr) << 100 << FalhaServidor
                                << QStringLiteral("Couldn't connect to server");
    QTest::newRow("inexistente") << int(Normal) << 0 << CotacaoInexistente
                                 << QStringLiteral("última resposta do servidor: \"550");
    QTest::newRow("grande demais")
        << int(Normal) << 5 * 1024 * 1024 << CotacaoGrandeDemais.arg(kNumero)
        << QStringLiteral("Maximum file size exceeded");
}

void Entrar::falhasDoServidor() {
    QFETCH(int, situacao);
    QFETCH(int, tamanho);
    QFETCH(QString, mensagem);
    QFETCH(QString, noLog);
    ServidorFtpTeste servidor;
    DiretorioTeste programa;
    if (tamanho)
        servidor.colocar(kNumero + ".cot", cotacao() + QByteArray(tamanho, ';'));
    ConversaGravada conversa;
    const QString endereco =
        situacao == FtpForaDoAr ? QStringLiteral("127.0.0.1:1") : servidor.endereco();
    const auto entrada = Entra({kNumero, kSenha, kCnpj}, endereco, conversa);
    QVERIFY(!entrada);
    QCOMPARE(conversa.ditos, QStringList{mensagem});
    QCOMPARE(entrada.falha().texto, mensagem);
    const QString log = nucleo::DeCp1252(programa.ler(QStringLiteral("KZERROR.LOG")));
    QVERIFY2(log.contains(noLog), qPrintable(log));
}

void Entrar::entra() {
    ServidorFtpTeste servidor;
    DiretorioTeste programa;
    servidor.colocar(kNumero + ".cot", cotacao());
    ConversaGravada conversa;
    const auto entrada = Entra({kNumero, kSenha, kCnpj}, servidor.endereco(), conversa);
    QVERIFY(entrada);
    QVERIFY(conversa.ditos.isEmpty());
    QCOMPARE(conversa.esperas, QStringList{remoto::textos::Conectando});
    QCOMPARE(entrada->codigo, kNumero);
    QCOMPARE(entrada->cnpjDigitos, "11222333000181");
    QCOMPARE(entrada->cotacao.solicitante, "Mercado");
    QCOMPARE(programa.ler(kNumero + ".cot"), cotacao()); // kept where the form reads it
}
