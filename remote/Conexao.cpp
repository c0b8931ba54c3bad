#include "remote/Conexao.h"

#include <QTcpSocket>
#include <QThread>

bool VerificaConexaoInternet(const TesteConexao& teste) {
    bool conectado = false;
    for (int tentativa = 1; tentativa <= 3 && !conectado; ++tentativa) {
        QTcpSocket socket;
        socket.connectToHost(teste.host.host, teste.host.porta);
        conectado = socket.waitForConnected(int(teste.limiteConexao.count()));
        socket.abort();
        if (!conectado) {
            if (teste.dormir)
                teste.dormir(teste.pausa);
            else
                QThread::msleep(std::chrono::milliseconds(teste.pausa).count());
        }
    }
    return conectado;
}
