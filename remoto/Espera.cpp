#include "remoto/Espera.h"

#include "nucleo/BloqueioDeEntrada.h"
#include "nucleo/Progresso.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <optional>
#include <utility>

namespace remoto {
namespace {

// The network thread, started on first use and stopped when the application ends, and the
// object living on it that runs the tasks posted to it, one after the other.
QObject* executor() {
    static QPointer<QObject> executor;
    if (!executor) {
        auto* thread = new QThread;
        thread->setObjectName(QStringLiteral("rede"));
        executor = new QObject;
        executor->moveToThread(thread);
        QObject::connect(thread, &QThread::finished, executor, &QObject::deleteLater);
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed, thread, [thread] {
            thread->quit();
            thread->wait();
            delete thread;
        });
        thread->start();
    }
    return executor;
}

// What DuranteAProximaEspera left for the next wait (on the thread that waits: the GUI's).
std::function<void()>& proximaEspera() {
    static std::function<void()> trabalho;
    return trabalho;
}

} // namespace

void DuranteAProximaEspera(std::function<void()> trabalho) {
    proximaEspera() = std::move(trabalho);
}

void NoTrabalhador(const std::function<void(const AvisoDeProgresso&)>& tarefa) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread()->objectName() == u"rede") {
        tarefa(nucleo::InformaProgresso);
        return;
    }

    QEventLoop espera;
    QObject aqui; // lives on this thread: what the network thread posts to
    // The last progress posted and not yet shown: one pending post at a time, so a fast
    // transfer does not flood the waiting thread.
    std::atomic<bool> progressoPendente = false;
    std::atomic<qint64> feito = 0, total = 0;
    const AvisoDeProgresso aviso = [&](qint64 f, qint64 t) {
        feito = f;
        total = t;
        if (!progressoPendente.exchange(true))
            QMetaObject::invokeMethod(&aqui, [&] {
                progressoPendente = false;
                nucleo::InformaProgresso(feito, total);
            });
    };

    bool acabou = false;
    QMetaObject::invokeMethod(executor(), [&] {
        tarefa(aviso);
        // The last post: everything the task posted before it is handled first, and the wait
        // below always lasts until it arrives, so nothing posts to `aqui` once it is gone.
        QMetaObject::invokeMethod(&aqui, [&] {
            acabou = true;
            espera.quit();
        });
    });
    const nucleo::BloqueioDeEntrada bloqueio;
    if (const auto enquanto = std::exchange(proximaEspera(), nullptr))
        enquanto();
    // Work done meanwhile may have handled the last post already (a quit before exec is lost).
    if (!acabou)
        espera.exec();
}

Desfecho BaixaEsperando(const PedidoFtp& pedido) {
    std::optional<Desfecho> d;
    NoTrabalhador([&](const AvisoDeProgresso& progresso) { d = Baixa(pedido, progresso); });
    return std::move(*d);
}

Desfecho SobeEsperando(const PedidoFtp& pedido) {
    std::optional<Desfecho> d;
    NoTrabalhador([&](const AvisoDeProgresso& progresso) { d = Sobe(pedido, progresso); });
    return std::move(*d);
}

} // namespace remoto
