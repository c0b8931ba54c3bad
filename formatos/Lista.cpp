#include "formatos/Lista.h"

namespace formatos {

namespace {
const QString kAbre = QStringLiteral("[|");
const QString kFecha = QStringLiteral("|]");
} // namespace

QString TextoDeItem(QString texto) {
    texto.replace(u'\r', u' ').replace(u'\n', u' ');
    // Replacing "|]" by "| ]" cannot make a new "|]" to its left or right, so one pass does.
    texto.replace(kFecha, QStringLiteral("| ]"));
    // After the opener "[|" a leading "]" would read as a closer.
    if (texto.startsWith(u']'))
        texto.prepend(u' ');
    return texto;
}

QString EscreveLista(const QStringList& itens) {
    QString lista;
    qsizetype tamanho = 0;
    for (const QString& item : itens)
        tamanho += item.size() + 4;
    lista.reserve(tamanho);
    for (const QString& item : itens)
        lista += kAbre + TextoDeItem(item) + kFecha;
    return lista;
}

qsizetype TamanhoDaLista(const QStringList& itens) {
    qsizetype tamanho = 0;
    for (const QString& item : itens)
        tamanho += TextoDeItem(item).size() + kAbre.size() + kFecha.size();
    return tamanho;
}

bool LeitorLista::proximo(QStringView& item) {
    const qsizetype abre = m_resto.indexOf(kAbre);
    if (abre < 0) {
        m_resto = {};
        return false;
    }
    const qsizetype fecha = m_resto.indexOf(kFecha, abre + 2);
    if (fecha < 0) {
        m_resto = {};
        return false;
    }
    item = m_resto.sliced(abre + 2, fecha - abre - 2);
    m_resto = m_resto.sliced(fecha + 2);
    return true;
}

bool LeitorLista::registro(QStringView* campos, int quantos) {
    for (int i = 0; i < quantos; ++i)
        if (!proximo(campos[i]))
            return false;
    return true;
}

QList<QStringList> LeRegistros(QStringView lista, int campos) {
    QList<QStringList> registros;
    LeitorLista leitor(lista);
    QList<QStringView> campo(campos);
    while (leitor.registro(campo.data(), campos)) {
        QStringList registro;
        registro.reserve(campos);
        for (QStringView c : campo)
            registro.append(c.toString());
        registros.append(std::move(registro));
    }
    return registros;
}

QStringList LeItens(QStringView lista) {
    QStringList itens;
    LeitorLista leitor(lista);
    QStringView item;
    while (leitor.proximo(item))
        itens.append(item.toString());
    return itens;
}

} // namespace formatos
