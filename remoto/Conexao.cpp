#include "remoto/Conexao.h"

#include "nucleo/BloqueioDeEntrada.h"

#include <QEventLoop>
#include <QHostInfo>
#include <QPointer>
#include <QTcpSocket>
#include <QTimer>

namespace remoto {
namespace {

void resolvePeloSistema(const QString& host, QObject* contexto,
                        const TesteConexao::Resposta& resposta) {
    QHostInfo::lookupHost(host, contexto,
                          [resposta](const QHostInfo& info) { resposta(info.addresses()); });
}

// One attempt: the lookup and the connection, within the attempt's limit.
bool tentativa(const TesteConexao& teste) {
    QEventLoop laco;
    QObject contexto; // answers that come after the attempt ended find it gone
    QTcpSocket socket;
    QList<QHostAddress> enderecos;
    bool conectado = false;

    const auto proximo = [&] {
        if (enderecos.isEmpty()) {
            laco.quit();
            return;
        }
        socket.abort();
        socket.connectToHost(enderecos.takeFirst(), teste.host.porta);
    };
    QObject::connect(&socket, &QTcpSocket::connected, &laco, [&] {
        conectado = true;
        laco.quit();
    });
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &laco, [&] { proximo(); });
    QTimer::singleShot(teste.limiteConexao, &laco, &QEventLoop::quit);

    QPointer<QObject> vivo(&contexto);
    const TesteConexao::Resposta resposta = [&, vivo](const QList<QHostAddress>& achados) {
        if (!vivo)
            return;
        enderecos = achados;
        proximo();
    };
    QHostAddress literal;
    if (literal.setAddress(teste.host.host))
        QTimer::singleShot(0, &contexto, [&] { resposta({literal}); });
    else if (teste.resolve)
        teste.resolve(teste.host.host, resposta);
    else
        resolvePeloSistema(teste.host.host, &contexto, resposta);
    laco.exec();
    socket.abort();
    return conectado;
}

void pausa(std::chrono::milliseconds tempo) {
    QEventLoop laco;
    QTimer::singleShot(tempo, &laco, &QEventLoop::quit);
    laco.exec();
}

} // namespace
} // namespace remoto

bool VerificaConexaoInternet(const remoto::TesteConexao& teste) {
    const nucleo::BloqueioDeEntrada bloqueio;
    bool conectado = false;
    for (int numero = 1; numero <= 3 && !conectado; ++numero) {
        conectado = remoto::tentativa(teste);
        if (!conectado)
            (teste.dormir ? teste.dormir : remoto::pausa)(teste.pausa);
    }
    return conectado;
}
