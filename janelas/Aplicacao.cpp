#include "janelas/Aplicacao.h"

#include "janelas/Textos.h"
#include "nucleo/Cp1252.h"
#include "nucleo/Erro.h"

#include <QMetaEnum>

#include <cxxabi.h>
#include <exception>
#include <typeinfo>

using namespace nucleo;

namespace janelas {

namespace {
QByteArray nomeDoTipo(const std::type_info* tipo) {
    if (!tipo)
        return {};
    int estado = 0;
    char* legivel = abi::__cxa_demangle(tipo->name(), nullptr, nullptr, &estado);
    const QByteArray nome(legivel ? legivel : tipo->name());
    std::free(legivel);
    return nome;
}

// The exception being handled, as a raw error record for DefErrorGen.
[[gnu::noinline]] QVariant excecaoNoEvento(QObject* alvo, QEvent* evento) {
    QByteArray descricao = ParaCp1252(textos::ExcecaoDesconhecida);
    try {
        throw;
    } catch (const std::exception& e) {
        descricao = ParaCp1252(QString::fromUtf8(e.what()));
    } catch (...) {
    }
    const QByteArray tipo = nomeDoTipo(abi::__cxa_current_exception_type());
    const char* nomeDoEvento = QMetaEnum::fromType<QEvent::Type>().valueToKey(evento->type());
    const QByteArray operacao =
        nomeDoEvento ? QByteArray(nomeDoEvento) : QByteArray::number(evento->type());
    const QByteArray receptor = alvo ? alvo->metaObject()->className() : QByteArray();

    ErroBruto bruto;
    bruto.subSystem = "Runtime";
    bruto.genCode = CodigoGenerico::Excecao;
    bruto.description = vista(descricao);
    bruto.operation = vista(operacao);
    bruto.funcSym = vista(receptor);
    bruto.arg = vista(tipo);
    bruto.canDefault = true;
    bruto.canRetry = true;
    return DefErrorGen(&bruto);
}
} // namespace

Aplicacao::Aplicacao(int& argc, char** argv)
    : QApplication(argc, argv) {}

bool Aplicacao::notify(QObject* alvo, QEvent* evento) {
    for (;;) {
        try {
            return QApplication::notify(alvo, evento);
        } catch (...) {
            if (!Repetir(excecaoNoEvento(alvo, evento)))
                return false;
        }
    }
}

} // namespace janelas
