#pragma once

#include "nucleo/Erro.h"

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <memory>
#include <optional>

// A small automation layer: objects answer members called by dispatch id, and every call
// carries a descriptor that says how to convert its arguments and its result.

namespace grade {

// Automation type codes.
namespace TipoAuto {
enum : quint8 {
    Inteiro2 = 2,
    Inteiro4 = 3,
    Real4 = 4,
    Real8 = 5,
    Moeda = 6,
    Texto = 8,
    Objeto = 9,
    Logico = 11,
    Variante = 12,
    DefinidoPeloUsuario = 29,
    PorReferencia = 0x40,
};
}

// How a member is called.
namespace Invocacao {
enum : quint16 { Metodo = 1, Leitura = 2, Escrita = 4, EscritaPorReferencia = 8 };
}

// A currency amount: a 64-bit integer of ten-thousandths.
struct Moeda {
    qint64 decimosDeMilesimo = 0;
    double valor() const { return double(decimosDeMilesimo) / 10000.0; }
    friend bool operator==(Moeda a, Moeda b) { return a.decimosDeMilesimo == b.decimosDeMilesimo; }
};

// An object that answers members by dispatch id.
class ObjetoDespacho {
public:
    virtual ~ObjetoDespacho() = default;
    // `argumentos` are already converted to the declared types; for a put, the value is last.
    virtual QVariant despachar(qint32 id, quint16 invocacao, const QVariantList& argumentos) = 0;
};
using Despacho = std::shared_ptr<ObjetoDespacho>;

// Converts a value to the automation type `tipo` (by-reference flag ignored).
QVariant ConverteAuto(const QVariant& valor, quint8 tipo);

// The answer of one member call: its value or, when the call could not be made, the runtime
// error that says why (the value is then false, what going on without the call gives).
struct ResultadoAuto {
    QVariant valor;
    std::optional<Error> falha;
};

} // namespace grade

Q_DECLARE_METATYPE(grade::Moeda)
Q_DECLARE_METATYPE(grade::Despacho)

// The descriptor of one member call.
struct cOleMethod {
    QByteArray symName;
    qint32 iMemberId = 0;
    qint32 iFuncKind = 0;
    quint16 wInvokeKind = 0;
    qint32 nParams = 0;
    qint32 nOptParams = 0;
    bool lNamedArgs = false;
    QByteArray cParamTypes; // one type code per declared parameter
    quint8 bRetType = 0;
};

// The automation base every wrapper builds on: it holds one dispatch object and calls members
// on it through `invoke`.
class OLEAutoObject {
public:
    OLEAutoObject() = default;
    explicit OLEAutoObject(grade::Despacho objeto)
        : m_objeto(std::move(objeto)) {}
    // A new free-standing object of a registered class ("FlexCell.ReportTitle", "StdFont").
    explicit OLEAutoObject(const QString& identificador);
    virtual ~OLEAutoObject() = default;

    // Converts each argument passed (`quantos` of them) to the type its cParamTypes byte names,
    // calls the member, converts the result by bRetType. A call that cannot be made (no object)
    // is answered as a failure; nothing is shown here.
    grade::ResultadoAuto chama(const cOleMethod& metodo, const QVariantList& argumentos,
                               int quantos);

    // chama as the wrappers use it: a failure goes to the handler the window layer installed
    // (aoFalhar), whose answer is the call's value; without a handler the value is false.
    QVariant invoke(const cOleMethod& metodo, const QVariantList& argumentos, int quantos);

    const grade::Despacho& objeto() const { return m_objeto; }
    bool valido() const { return bool(m_objeto); }

    quint32 dwFuncs = 0;
    quint32 dwVars = 0;

    static void registraClasse(const QString& identificador,
                               std::function<grade::Despacho()> fabrica);

    // Who decides what the user sees of a call that could not be made; answers the value the
    // call goes on with. The application shows it as a runtime error.
    using TratadorDeFalha = std::function<QVariant(const Error& erro)>;
    static void aoFalhar(TratadorDeFalha tratador);

    // Test seam: sees every descriptor before its call.
    static void observarChamadas(std::function<void(const cOleMethod&)> observador);

private:
    grade::Despacho m_objeto;
};
Q_DECLARE_METATYPE(OLEAutoObject)
