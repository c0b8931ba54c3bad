#include "tests/remoto/tst_conexao.h"

#include "remoto/Conexao.h"

#include <QTcpServer>
#include <QTest>

#include <vector>

using namespace remoto;

using namespace std::chrono_literals;

namespace {
struct Pausas {
    std::vector<std::chrono::milliseconds> feitas;
    TesteConexao teste(quint16 porta) {
        TesteConexao t;
        t.host = {QStringLiteral("127.0.0.1"), porta};
        t.limiteConexao = 2000ms;
        t.dormir = [this](std::chrono::milliseconds p) { feitas.push_back(p); };
        return t;
    }
};

quint16 portaLivre() {
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort();
}
} // namespace

void Conexao::primeiraTentativa() {
    QTcpServer escuta;
    QVERIFY(escuta.listen(QHostAddress::LocalHost));
    Pausas pausas;
    QVERIFY(VerificaConexaoInternet(pausas.teste(escuta.serverPort())));
    QVERIFY(pausas.feitas.empty());
}

void Conexao::nuncaAlcancado() {
    Pausas pausas;
    QVERIFY(!VerificaConexaoInternet(pausas.teste(portaLivre())));
    // Three attempts, each followed by the five-second pause, the third one included.
    QCOMPARE(pausas.feitas, (std::vector<std::chrono::milliseconds>{5000ms, 5000ms, 5000ms}));
}

void Conexao::alcancadoNaTerceira() {
    const quint16 porta = portaLivre();
    QTcpServer escuta;
    Pausas pausas;
    TesteConexao teste = pausas.teste(porta);
    teste.dormir = [&](std::chrono::milliseconds p) {
        pausas.feitas.push_back(p);
        if (pausas.feitas.size() == 2) // the host comes up during the second pause
            escuta.listen(QHostAddress::LocalHost, porta);
    };
    QVERIFY(VerificaConexaoInternet(teste));
    QCOMPARE(pausas.feitas.size(), std::size_t(2));
}

void Endereco::casos_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("porta");
    QTest::newRow("só o host") << "www.exemplo.com"
                               << "www.exemplo.com" << 80;
    QTest::newRow("host e porta") << "127.0.0.1:2121"
                                  << "127.0.0.1" << 2121;
    QTest::newRow("porta inválida") << "h:abc"
                                    << "h" << 80;
    QTest::newRow("IPv6 com porta") << "[::1]:21"
                                    << "::1" << 21;
    QTest::newRow("IPv6 sem porta") << "::1"
                                    << "::1" << 80;
    QTest::newRow("brancos") << " h:81 "
                             << "h" << 81;
}

void Endereco::casos() {
    QFETCH(QString, texto);
    QFETCH(QString, host);
    QFETCH(int, porta);
    const Servidor::Endereco e = Servidor::endereco(texto, 80);
    QCOMPARE(e.host, host);
    QCOMPARE(int(e.porta), porta);
}
