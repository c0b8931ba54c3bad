#pragma once

#include <QString>

namespace nucleo {

class Saida;

// The call stack text of an error report: one line "NAME (Line:n)" per routine, starting
// `nivel` levels out from the routine that asks (level 0) and at most five lines;
// "*EmptyCallStack*" when there is none. Lines end with CR LF.
QString TextoDaPilha(int nivel);

// The same for the crash handler, written without the heap: the names stay as the linker knows
// them, since demangling needs memory. `contexto`: the processor state of the crash, where the
// platform walks the stack from it (Windows).
void EscrevePilhaSegura(Saida& saida, int nivel, const void* contexto = nullptr);

// Prepares the stack reader ahead of time, so a crash finds it ready.
void PreparaPilha();

// A routine's name as the report shows it: "QList<int> ns::Classe::metodo(int) const" becomes
// "NS:CLASSE:METODO"; a mangled name is demangled first.
QString NomeDaRotina(const char* nome);

} // namespace nucleo
