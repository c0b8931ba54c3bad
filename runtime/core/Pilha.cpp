#include "runtime/core/Pilha.h"

#include "runtime/core/RegistroDeErro.h"

#include <array>
#include <backtrace.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>

namespace {
constexpr int kMaxLinhas = 5;

struct Rotina {
    const char* nome = nullptr;
    int linha = 0;
};

struct Coleta {
    std::array<Rotina, kMaxLinhas> rotinas;
    int total = 0;
};

void semErro(void*, const char*, int) {}

backtrace_state* estado() {
    // Threaded: errors may come from any thread; the state reads symbols lazily, through mmap.
    static backtrace_state* const s = backtrace_create_state(nullptr, 1, semErro, nullptr);
    return s;
}

void nomeDaTabela(void* dados, std::uintptr_t, const char* simbolo, std::uintptr_t,
                  std::uintptr_t) {
    *static_cast<const char**>(dados) = simbolo;
}

int umaRotina(void* dados, std::uintptr_t pc, const char*, int linha, const char* funcao) {
    auto* coleta = static_cast<Coleta*>(dados);
    if (pc == UINTPTR_MAX)
        return 1;
    // Without debug information the name comes from the symbol table.
    if (!funcao)
        backtrace_syminfo(estado(), pc, nomeDaTabela, semErro, &funcao);
    coleta->rotinas[coleta->total++] = {funcao, linha};
    return coleta->total == kMaxLinhas ? 1 : 0;
}

// Frames to pass over: this function and its caller (TextoDaPilha or EscrevePilhaSegura).
[[gnu::noinline]] Coleta coleta(int nivel) {
    Coleta c;
    if (backtrace_state* s = estado())
        backtrace_full(s, 2 + nivel, umaRotina, semErro, &c);
    return c;
}

template <class Nomear> void escreve(Saida& saida, const Coleta& c, Nomear nomear) {
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
    escreve(saida, coleta(nivel),
            [&](const char* nome) { saida << NomeDaRotina(nome).toStdString(); });
    return QString::fromStdString(texto);
}

[[gnu::noinline]] void EscrevePilhaSegura(Saida& saida, int nivel) {
    escreve(saida, coleta(nivel), [&](const char* nome) {
        saida << (nome && *nome ? std::string_view(nome) : std::string_view("*ProcName*"));
    });
}

void PreparaPilha() {
    // Only the reader's state: the symbols and debug information are read when a stack is
    // first needed (a tenth of a second that start-up should not pay), through mmap, which the
    // crash handler may use too.
    estado();
}
