#pragma once

// What each platform's stack reader gives the report (PilhaPosix.cpp with libbacktrace,
// PilhaWindows.cpp with DbgHelp): the routines from a level outward, at most five, with the
// names as the linker knows them. Nothing here allocates, so a crash can use it too.
namespace nucleo::pilha {

inline constexpr int kMaxLinhas = 5;

struct Rotina {
    char nome[512] = {}; // empty when the routine has no name
    int linha = 0;
};

struct Coleta {
    Rotina rotinas[kMaxLinhas];
    int total = 0;
};

// The routines `nivel` levels out from the caller of its caller (it passes over itself and the
// routine that asked). With `contexto` (the processor state a crash left, where the platform
// gives one), the walk starts there instead.
Coleta Coleta_(int nivel, const void* contexto);

// Readies the reader so that a crash finds it ready; the debug information itself is read when
// a stack is first needed.
void Prepara();

} // namespace nucleo::pilha
