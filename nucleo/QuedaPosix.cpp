// A crash on Linux: a fatal signal, caught on a stack of its own (the fault may be a stack
// overflow); the record is written with async-signal-safe calls only, then the default action
// ends the process (and leaves a core where the system keeps them).
#include "nucleo/Erro.h"
#include "nucleo/Queda.h"
#include "nucleo/Pilha.h"

#include <csignal>
#include <cstdint>
#include <ucontext.h>

namespace nucleo {
namespace {

char g_pilha[4096];
char g_pilhaDoSinal[256 * 1024];

const char* nomeDoSinal(int sinal) {
    switch (sinal) {
    case SIGSEGV:
        return "Segmentation fault (invalid memory access)";
    case SIGBUS:
        return "Bus error (invalid memory access)";
    case SIGFPE:
        return "Arithmetic exception";
    case SIGILL:
        return "Illegal instruction";
    case SIGABRT:
        return "Program aborted";
    default:
        return "Fatal signal";
    }
}

void aoFalhar(int sinal, siginfo_t* info, void* contexto) {
    unsigned long long pc = 0;
#if defined(__x86_64__)
    pc = static_cast<unsigned long long>(
        static_cast<ucontext_t*>(contexto)->uc_mcontext.gregs[REG_RIP]);
#else
    (void)contexto;
#endif
    char simbolo[24];
    Saida textoDoPc(simbolo, sizeof simbolo);
    textoDoPc.semSinal(pc);

    // Level 0 is this handler, level 1 the kernel's signal frame; the fault is at level 2.
    Saida pilha(g_pilha, sizeof g_pilha);
    EscrevePilhaSegura(pilha, 2);

    ErroBruto e;
    e.osCode = sinal;
    e.argType = info ? info->si_code : 0;
    e.funcPtr = info ? reinterpret_cast<std::uintptr_t>(info->si_addr) : 0;
    e.funcSym = textoDoPc.texto();
    e.description = nomeDoSinal(sinal);
    e.stack = pilha.texto();

    queda::Registra(e);
    // The default action ends the process (and leaves a core where the system keeps them).
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
}

} // namespace

namespace queda {

void InstalaCaptura() {
    stack_t pilha{};
    pilha.ss_sp = g_pilhaDoSinal;
    pilha.ss_size = sizeof g_pilhaDoSinal;
    sigaltstack(&pilha, nullptr);

    struct sigaction acao {};
    acao.sa_sigaction = aoFalhar;
    acao.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND | SA_NODEFER;
    sigemptyset(&acao.sa_mask);
    for (int sinal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(sinal, &acao, nullptr);
}

} // namespace queda
} // namespace nucleo
