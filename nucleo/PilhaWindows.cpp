// The call stack on Windows: StackWalk64 over the frames, SymFromAddr for the names and
// SymGetLineFromAddr64 for the lines, from DbgHelp.
#include "nucleo/PilhaColeta.h"

#include <windows.h>
#include <algorithm>
#include <cstring>
#include <dbghelp.h>

namespace nucleo::pilha {
namespace {

HANDLE processo() {
    static const HANDLE h = [] {
        const HANDLE p = GetCurrentProcess();
        SymSetOptions(SYMOPT_DEFERRED_LOADS | SYMOPT_LOAD_LINES | SYMOPT_FAIL_CRITICAL_ERRORS);
        SymInitialize(p, nullptr, TRUE);
        return p;
    }();
    return h;
}

void nomeELinha(DWORD64 endereco, Rotina& r) {
    alignas(SYMBOL_INFO) char espaco[sizeof(SYMBOL_INFO) + sizeof r.nome];
    auto* simbolo = reinterpret_cast<SYMBOL_INFO*>(espaco);
    std::memset(espaco, 0, sizeof espaco);
    simbolo->SizeOfStruct = sizeof(SYMBOL_INFO);
    simbolo->MaxNameLen = sizeof r.nome - 1;
    DWORD64 deslocamento = 0;
    if (SymFromAddr(processo(), endereco, &deslocamento, simbolo)) {
        const std::size_t tamanho = std::min<std::size_t>(simbolo->NameLen, sizeof r.nome - 1);
        std::memcpy(r.nome, simbolo->Name, tamanho);
        r.nome[tamanho] = '\0';
    }
    IMAGEHLP_LINE64 linha{};
    linha.SizeOfStruct = sizeof linha;
    DWORD coluna = 0;
    if (SymGetLineFromAddr64(processo(), endereco, &coluna, &linha))
        r.linha = int(linha.LineNumber);
}

} // namespace

[[gnu::noinline]] Coleta Coleta_(int nivel, const void* contexto) {
    Coleta c;
    CONTEXT estado{};
    int pular = 0;
    if (contexto) {
        estado = *static_cast<const CONTEXT*>(contexto);
        pular = nivel; // the crash's own frame is level 0
    } else {
        RtlCaptureContext(&estado);
        pular = 2 + nivel; // this function's frame, then the routine that asked
    }
    STACKFRAME64 quadro{};
    quadro.AddrPC.Offset = estado.Rip;
    quadro.AddrPC.Mode = AddrModeFlat;
    quadro.AddrFrame.Offset = estado.Rbp;
    quadro.AddrFrame.Mode = AddrModeFlat;
    quadro.AddrStack.Offset = estado.Rsp;
    quadro.AddrStack.Mode = AddrModeFlat;
    const HANDLE thread = GetCurrentThread();
    for (int i = 0; c.total < kMaxLinhas; ++i) {
        if (!StackWalk64(IMAGE_FILE_MACHINE_AMD64, processo(), thread, &quadro, &estado, nullptr,
                         SymFunctionTableAccess64, SymGetModuleBase64, nullptr) ||
            quadro.AddrPC.Offset == 0)
            break;
        if (i >= pular)
            nomeELinha(quadro.AddrPC.Offset, c.rotinas[c.total++]);
    }
    return c;
}

void Prepara() {
    processo();
}

} // namespace nucleo::pilha
