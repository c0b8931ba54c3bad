#include "acesso/Verificacao.h"

#include "formatos/Arquivos.h"
#include "formatos/Cotacao.h"
#include "nucleo/ProgramDir.h"

#include <optional>

namespace acesso {
namespace {

// The whole part of the leading number of a text: sign and digits, blanks before it skipped.
struct Inteiro {
    bool negativo = false;
    QString digitos; // without leading zeros; empty for 0
};

Inteiro inteiroInicial(QStringView texto) {
    qsizetype i = 0;
    while (i < texto.size() && texto[i] == u' ')
        ++i;
    Inteiro n;
    if (i < texto.size() && (texto[i] == u'-' || texto[i] == u'+'))
        n.negativo = texto[i++] == u'-';
    for (; i < texto.size() && texto[i] >= u'0' && texto[i] <= u'9'; ++i)
        if (!n.digitos.isEmpty() || texto[i] != u'0')
            n.digitos += texto[i];
    if (n.digitos.isEmpty())
        n.negativo = false;
    return n;
}

// a >= b, for digit strings without leading zeros.
bool maiorOuIgual(const QString& a, const QString& b) {
    return a.size() != b.size() ? a.size() > b.size() : a >= b;
}

int digito(const QString& n, qsizetype daDireita) {
    return daDireita < n.size() ? n[n.size() - 1 - daDireita].digitValue() : 0;
}

QString semZerosAEsquerda(QString n) {
    qsizetype zeros = 0;
    while (zeros < n.size() && n[zeros] == u'0')
        ++zeros;
    n.remove(0, zeros);
    return n;
}

// a + b on decimal digit strings.
QString soma(const QString& a, const QString& b) {
    QString r;
    int vaiUm = 0;
    for (qsizetype i = 0; i < a.size() || i < b.size() || vaiUm; ++i) {
        const int d = digito(a, i) + digito(b, i) + vaiUm;
        vaiUm = d / 10;
        r.prepend(QChar(u'0' + d % 10));
    }
    return semZerosAEsquerda(r);
}

// a - b on decimal digit strings, a >= b.
QString diferenca(const QString& a, const QString& b) {
    QString r;
    int emprestimo = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        int d = digito(a, i) - digito(b, i) - emprestimo;
        emprestimo = d < 0;
        r.prepend(QChar(u'0' + (d + 10) % 10));
    }
    return semZerosAEsquerda(r);
}

// The quotation file of a 16-digit number, downloaded into the program directory.
std::optional<formatos::Cotacao> cotacaoBaixada(const QString& numero) {
    if (!formatos::Arquivos::NumeroCotacaoValido(numero))
        return std::nullopt;
    auto lida =
        formatos::LeCotacao(nucleo::ArquivoDoPrograma(formatos::Arquivos::NomeCotacao(numero)));
    if (!lida)
        return std::nullopt;
    return std::move(*lida);
}

} // namespace

QString SenhaEsperada(const QString& base, const QString& cnpjDigitos) {
    const Inteiro b = inteiroInicial(base);
    const Inteiro raiz = inteiroInicial(cnpjDigitos.left(6));
    QString texto;
    if (!b.negativo)
        texto = soma(b.digitos, raiz.digitos);
    else if (maiorOuIgual(raiz.digitos, b.digitos))
        texto = diferenca(raiz.digitos, b.digitos);
    else
        texto = u'-' + diferenca(b.digitos, raiz.digitos);
    if (texto.isEmpty())
        texto = QStringLiteral("0");
    return texto.left(8);
}

bool SenhaConfere(const formatos::Cotacao& cotacao, const QString& senha,
                  const QString& cnpjDigitos) {
    return senha == SenhaEsperada(cotacao.senhaBase, cnpjDigitos);
}

bool CNPJLiberado(const formatos::Cotacao& cotacao, const QString& cnpjDigitos) {
    return cotacao.fornecedores.contains(cnpjDigitos);
}

} // namespace acesso

bool VerificaSenhaCotacao(const QString& numero, const QString& senha, const QString& cnpjDigitos) {
    const auto cotacao = acesso::cotacaoBaixada(numero);
    return cotacao && acesso::SenhaConfere(*cotacao, senha, cnpjDigitos);
}

bool VerificaCNPJCotacao(const QString& numero, const QString& cnpjDigitos) {
    const auto cotacao = acesso::cotacaoBaixada(numero);
    return cotacao && acesso::CNPJLiberado(*cotacao, cnpjDigitos);
}
