#include "quotation/formats/Numeros.h"

#include "runtime/core/Regional.h"

#include <QRegularExpressionValidator>

using namespace nucleo;

namespace formatos {

QString TextoNumero(const QString& texto) {
    return Str(ValorDoTexto(texto), 12, 2).trimmed();
}

QString TextoDeQuantia(const QString& texto) {
    return texto.trimmed().isEmpty() ? QString() : TextoNumero(texto);
}

namespace {
const QRegularExpression& formaDeValor() {
    static const QRegularExpression valor(QStringLiteral("[0-9]{0,9}([.,][0-9]{0,2})?"));
    return valor;
}

// Full-width digits typed through an input method become plain ones as they are typed, so the
// field holds the amount the supplier sees and not a lone ",".
class ValidadorDeValor : public QRegularExpressionValidator {
public:
    using QRegularExpressionValidator::QRegularExpressionValidator;
    State validate(QString& texto, int& posicao) const override {
        const QString simples = TextoDeValor(texto);
        if (simples != texto) {
            posicao = int(std::min<qsizetype>(posicao, simples.size()));
            texto = simples;
        }
        return QRegularExpressionValidator::validate(texto, posicao);
    }
};
} // namespace

bool ValorAceito(const QString& texto) {
    static const QRegularExpression inteiro(
        QRegularExpression::anchoredPattern(formaDeValor().pattern()));
    return inteiro.match(TextoDeValor(texto)).hasMatch();
}

QValidator* NovoValidadorDeValor(QObject* dono) {
    return new ValidadorDeValor(formaDeValor(), dono);
}

} // namespace formatos
