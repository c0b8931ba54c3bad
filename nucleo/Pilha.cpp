#include "nucleo/Pilha.h"

#include "nucleo/PilhaColeta.h"
#include "nucleo/RegistroDeErro.h"

#include <cstdlib>
#include <cxxabi.h>

namespace nucleo {

namespace {
template <class Nomear> void escreve(Saida& saida, const nucleo::pilha::Coleta& c, Nomear nomear) {
    for (int i = 0; i < c.total; ++i) {
        nomear(c.rotinas[i].nome);
        (saida << " (Line:").decimal(c.rotinas[i].linha) << ")\r\n";
    }
    if (c.total == 0)
        saida << "*EmptyCallStack*\r\n";
}
} // namespace

QString NomeDaRotina(const char* nome) {
    if (!nome || !*nome)
        return QStringLiteral("*ProcName*");
    int estadoDemangle = 0;
    char* legivel = abi::__cxa_demangle(nome, nullptr, nullptr, &estadoDemangle);
    const QString completo = QString::fromLatin1(legivel ? legivel : nome);
    std::free(legivel);

    // Keep what stands outside parameter lists and template arguments; an operator's own
    // symbol ("operator()", "operator<<") is part of the name.
    QString curto;
    int profundidade = 0;
    for (qsizetype i = 0; i < completo.size(); ++i) {
        const QChar c = completo[i];
        if (profundidade == 0 && QStringView(completo).mid(i).startsWith(u"operator")) {
            qsizetype fim = i + 8;
            while (fim < completo.size() && QStringView(u"<>=!+-*/%&|^~[]").contains(completo[fim]))
                ++fim;
            if (QStringView(completo).mid(fim).startsWith(u"()"))
                fim += 2;
            curto += completo.mid(i, fim - i);
            i = fim - 1;
        } else if (c == u'(' || c == u'<') {
            ++profundidade;
        } else if (c == u')' || c == u'>') {
            profundidade = std::max(0, profundidade - 1);
        } else if (profundidade == 0) {
            curto += c;
        }
    }
    curto = curto.trimmed();
    if (curto.endsWith(u" const"))
        curto.chop(6);
    // A return type stands before the name.
    curto = curto.mid(curto.lastIndexOf(u' ') + 1);
    while (curto.startsWith(u"::"))
        curto.remove(0, 2);
    return curto.replace(QStringLiteral("::"), QStringLiteral(":")).toUpper();
}

[[gnu::noinline]] QString TextoDaPilha(int nivel) {
    std::string texto;
    Saida saida(texto);
    escreve(saida, nucleo::pilha::Coleta_(nivel, nullptr),
            [&](const char* nome) { saida << NomeDaRotina(nome).toStdString(); });
    return QString::fromStdString(texto);
}

[[gnu::noinline]] void EscrevePilhaSegura(Saida& saida, int nivel, const void* contexto) {
    escreve(saida, nucleo::pilha::Coleta_(nivel, contexto), [&](const char* nome) {
        saida << (*nome ? std::string_view(nome) : std::string_view("*ProcName*"));
    });
}

void PreparaPilha() {
    nucleo::pilha::Prepara();
}

} // namespace nucleo
