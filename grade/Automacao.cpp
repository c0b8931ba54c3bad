#include "grade/Automacao.h"

#include "grade/Textos.h"

#include <QHash>

#include <cmath>

using namespace grade;
using namespace nucleo;

namespace {
QHash<QString, std::function<Despacho()>>& classes() {
    static QHash<QString, std::function<Despacho()>> registro;
    return registro;
}

std::function<void(const cOleMethod&)>& observador() {
    static std::function<void(const cOleMethod&)> f;
    return f;
}

OLEAutoObject::TratadorDeFalha& tratador() {
    static OLEAutoObject::TratadorDeFalha f;
    return f;
}

Despacho comoObjeto(const QVariant& valor) {
    if (valor.canConvert<Despacho>() && valor.metaType() == QMetaType::fromType<Despacho>())
        return valor.value<Despacho>();
    if (valor.metaType() == QMetaType::fromType<OLEAutoObject>())
        return valor.value<OLEAutoObject>().objeto();
    return {};
}
} // namespace

QVariant grade::ConverteAuto(const QVariant& valor, quint8 tipo) {
    switch (tipo & ~TipoAuto::PorReferencia) {
    case TipoAuto::Inteiro2:
        return QVariant::fromValue(qint16(valor.toInt()));
    case TipoAuto::Inteiro4:
        return QVariant::fromValue(qint32(valor.toInt()));
    case TipoAuto::Real4:
        return QVariant::fromValue(float(valor.toDouble()));
    case TipoAuto::Real8:
        return QVariant::fromValue(valor.toDouble());
    case TipoAuto::Moeda: {
        const double v = valor.metaType() == QMetaType::fromType<Moeda>()
                             ? valor.value<Moeda>().valor()
                             : valor.toDouble();
        return QVariant::fromValue(Moeda{qint64(std::llround(v * 10000.0))});
    }
    case TipoAuto::Texto:
        return valor.toString();
    case TipoAuto::Objeto:
        return QVariant::fromValue(comoObjeto(valor));
    case TipoAuto::Logico:
        return valor.toBool();
    default:
        return valor; // variant and user-defined types pass as they are
    }
}

OLEAutoObject::OLEAutoObject(const QString& identificador) {
    const auto fabrica = classes().value(identificador);
    if (fabrica)
        m_objeto = fabrica();
}

ResultadoAuto OLEAutoObject::chama(const cOleMethod& metodo, const QVariantList& argumentos,
                                   int quantos) {
    if (observador())
        observador()(metodo);
    if (!m_objeto) {
        // A message to an object that does not exist (a control gone with its form).
        Error erro;
        erro.SubSystem = QStringLiteral("Automation");
        erro.GenCode = CodigoGenerico::SemMetodo;
        erro.Operation = QString::fromLatin1(metodo.symName);
        erro.Description = grade::textos::ObjetoNaoCriado;
        erro.CanDefault = true;
        return {false, erro};
    }
    QVariantList convertidos;
    convertidos.reserve(quantos);
    for (int i = 0; i < quantos && i < argumentos.size(); ++i) {
        const quint8 tipo = i < metodo.cParamTypes.size() ? quint8(metodo.cParamTypes[i])
                                                          : quint8(TipoAuto::Variante);
        convertidos.append(ConverteAuto(argumentos[i], tipo));
    }
    const QVariant resultado =
        m_objeto->despachar(metodo.iMemberId, metodo.wInvokeKind, convertidos);
    if (metodo.bRetType == 0 ||
        metodo.wInvokeKind & (Invocacao::Escrita | Invocacao::EscritaPorReferencia))
        return {resultado, {}};
    return {ConverteAuto(resultado, metodo.bRetType), {}};
}

QVariant OLEAutoObject::invoke(const cOleMethod& metodo, const QVariantList& argumentos,
                               int quantos) {
    ResultadoAuto r = chama(metodo, argumentos, quantos);
    if (r.falha && tratador())
        return tratador()(*r.falha);
    return r.valor;
}

void OLEAutoObject::aoFalhar(TratadorDeFalha f) {
    tratador() = std::move(f);
}

void OLEAutoObject::registraClasse(const QString& identificador,
                                   std::function<Despacho()> fabrica) {
    classes().insert(identificador, std::move(fabrica));
}

void OLEAutoObject::observarChamadas(std::function<void(const cOleMethod&)> f) {
    observador() = std::move(f);
}
