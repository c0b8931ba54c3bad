// The call stack on Linux: libbacktrace (shipped with GCC) reads the DWARF line tables through
// mmap only, so the crash handler may use it too.
#include "nucleo/PilhaColeta.h"

#include <backtrace.h>
#include <cstdint>
#include <cstring>

namespace nucleo::pilha {
namespace {

void semErro(void*, const char*, int) {}

backtrace_state* estado() {
    // Threaded: errors may come from any thread; the state reads symbols lazily.
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
    Rotina& r = coleta->rotinas[coleta->total++];
    if (funcao)
        std::strncpy(r.nome, funcao, sizeof r.nome - 1);
    r.linha = linha;
    return coleta->total == kMaxLinhas ? 1 : 0;
}

} // namespace

[[gnu::noinline]] Coleta Coleta_(int nivel, const void*) {
    Coleta c;
    // Passed over: this function and the routine that asked.
    if (backtrace_state* s = estado())
        backtrace_full(s, 2 + nivel, umaRotina, semErro, &c);
    return c;
}

void Prepara() {
    estado();
}

} // namespace nucleo::pilha
