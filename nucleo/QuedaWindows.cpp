// A crash on Windows: the unhandled exception filter receives the exception record and the
// processor state; the record is written from them (the stack walked from the faulting frame),
// then the process ends, whichever of its threads failed.
#include "nucleo/Erro.h"
#include "nucleo/Queda.h"
#include "nucleo/Pilha.h"

#include <windows.h>
#include <cstdint>

namespace nucleo {
namespace {

char g_pilha[4096];

const char* nomeDaExcecao(DWORD codigo) {
    switch (codigo) {
    case EXCEPTION_ACCESS_VIOLATION:
        return "Access violation (invalid memory access)";
    case EXCEPTION_IN_PAGE_ERROR:
        return "In-page error (invalid memory access)";
    case EXCEPTION_STACK_OVERFLOW:
        return "Stack overflow";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_FLT_DIVIDE_BY_ZERO:
        return "Division by zero";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
        return "Illegal instruction";
    default:
        return "Processor exception";
    }
}

LONG WINAPI aoFalhar(EXCEPTION_POINTERS* excecao) {
    const EXCEPTION_RECORD* r = excecao->ExceptionRecord;
    // The second parameter of an access violation is the address it tried to reach.
    char simbolo[24];
    Saida textoDoEndereco(simbolo, sizeof simbolo);
    textoDoEndereco.semSinal(r->NumberParameters > 1 ? r->ExceptionInformation[1] : 0);

    Saida pilha(g_pilha, sizeof g_pilha);
    EscrevePilhaSegura(pilha, 0, excecao->ContextRecord);

    ErroBruto e;
    e.osCode = r->ExceptionCode;
    e.argType = int(r->ExceptionFlags);
    e.funcPtr = reinterpret_cast<std::uintptr_t>(r->ExceptionAddress);
    e.argNum = int(r->NumberParameters);
    e.funcSym = textoDoEndereco.texto();
    e.description = nomeDaExcecao(r->ExceptionCode);
    e.stack = pilha.texto();
    queda::Registra(e);
    // The whole program ends, whichever thread failed: a thread ended alone would leave the
    // window open over a program that cannot work.
    TerminateProcess(GetCurrentProcess(), r->ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

namespace queda {

void InstalaCaptura() {
    SetUnhandledExceptionFilter(aoFalhar);
}

} // namespace queda
} // namespace nucleo
