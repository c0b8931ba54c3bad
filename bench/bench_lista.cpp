// Reading a product list of 299999 characters (about 3,500 products) into rows; measuring an
// answer of 3,500 remarks against the buyer's reader, as a sending does, and the remarks' room,
// as the form does at every remark typed.
#include "Medida.h"
#include "formatos/Lista.h"
#include "formatos/Resposta.h"

#include <QCoreApplication>

using namespace formatos;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QString lista;
    for (int i = 0; lista.size() < 299999; ++i)
        lista += EscreveLista({QString::number(100000 + i), QStringLiteral("7890000000011"),
                               QStringLiteral("AÇÚCAR REFINADO 1KG Nº %1").arg(i + 1),
                               QStringLiteral("120"), QStringLiteral("UN"), QString()});
    lista.truncate(299999);
    qsizetype linhas = 0;
    const double ms = medianaMs(51, [&] { linhas = LeRegistros(lista, 6).size(); });
    linha(QStringLiteral("ListaProdutos of 299999 chars into rows (%1 rows)").arg(linhas),
          QStringLiteral("< 5 ms"), QString::number(ms, 'f', 2) + QStringLiteral(" ms"));

    formatos::Resposta resposta;
    resposta.precos = QStringList(3500, QStringLiteral("12,5"));
    resposta.observacoes = QStringList(3500, QString(90, u'o'));
    MedidaDaResposta medida;
    const double msMedida = medianaMs(51, [&] { medida = MedeResposta(resposta); });
    linha(QStringLiteral("Answer of 3500 remarks of 90 chars measured (%1 chars)")
              .arg(medida.observacoes),
          QStringLiteral("< 16 ms"), QString::number(msMedida, 'f', 2) + QStringLiteral(" ms"));
    std::optional<qsizetype> espaco;
    const double msEspaco = medianaMs(51, [&] { espaco = EspacoNasObservacoes(resposta); });
    linha(QStringLiteral("Room left in those remarks, at each remark typed"),
          QStringLiteral("< 16 ms"), QString::number(msEspaco, 'f', 2) + QStringLiteral(" ms"));
    return linhas > 3000 && !medida.cabe() && espaco == medida.espacoNasObservacoes() ? 0 : 1;
}
