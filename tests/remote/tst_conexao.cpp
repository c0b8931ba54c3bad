#include "tests/remote/tst_conexao.h"

#include "remote/Conexao.h"

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
