// The paths by which errors reach DefError at start-up, and the crash handler: a fatal signal
// (a processor exception) cannot show a box any more, so it writes its log record with what is
// safe inside a signal handler (no heap, no locks, no Qt) and lets the process end.

#include "runtime/Cp1252.h"
#include "runtime/Erro.h"
#include "runtime/Pilha.h"
#include "runtime/ProgramDir.h"
#include "runtime/Regional.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <cstring>
#include <ctime>
#include <ucontext.h>
#include <unistd.h>

namespace {
// Everything the crash handler needs, prepared at start-up.
struct ParaFalhas {
    char caminho[4096];
    char aplicacao[256];
    char versao[128];
    char formatoData[32];
    bool seculo;
    char separadorHora;
    bool dozeHoras;
    char manha[32];
    char tarde[32];
    long desvioUtc;
    char registro[64 * 1024];
    char pilha[4096];
    char pilhaDoSinal[256 * 1024]; // the handler's own stack: the fault may be a stack overflow
};
ParaFalhas g;

void copia(char* destino, std::size_t tamanho, const QByteArray& bytes) {
    std::strncpy(destino, bytes.constData(), tamanho - 1);
    destino[tamanho - 1] = '\0';
}

void doisDigitos(Saida& s, long n) {
    s << char('0' + n / 10 % 10) << char('0' + n % 10);
}

// Today and now as DateToText and TimeToText write them, from the clock alone.
void escreveDataHora(Saida& s, std::time_t agora) {
    const long long local = agora + g.desvioUtc;
    long long dias = local / 86400;
    long segundos = long(local % 86400);
    if (segundos < 0)
        segundos += 86400, --dias;
    // Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
    const long long z = dias + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long dia = long(doy - (153 * mp + 2) / 5 + 1);
    const long mes = long(mp < 10 ? mp + 3 : mp - 9);
    const long ano = long(yoe + era * 400 + (mes <= 2));

    const std::string_view f(g.formatoData);
    const bool quatroDigitos = g.seculo || f.find("YYYY") != std::string_view::npos;
    for (std::size_t i = 0; i < f.size();) {
        if (f.substr(i, 4) == "YYYY" || f.substr(i, 2) == "YY") {
            if (quatroDigitos)
                doisDigitos(s, ano / 100);
            doisDigitos(s, ano);
            i += f.substr(i, 4) == "YYYY" ? 4 : 2;
        } else if (f.substr(i, 2) == "MM") {
            doisDigitos(s, mes);
            i += 2;
        } else if (f.substr(i, 2) == "DD") {
            doisDigitos(s, dia);
            i += 2;
        } else {
            s << f[i++];
        }
    }

    long hora = segundos / 3600;
    const char* sufixo = "";
    if (g.dozeHoras) {
        sufixo = hora < 12 ? g.manha : g.tarde;
        hora = hora % 12 == 0 ? 12 : hora % 12;
    }
    s << ' ';
    doisDigitos(s, hora);
    s << g.separadorHora;
    doisDigitos(s, segundos / 60 % 60);
    s << g.separadorHora;
    doisDigitos(s, segundos % 60);
    s << sufixo;
}

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
    Saida pilha(g.pilha, sizeof g.pilha);
    EscrevePilhaSegura(pilha, 2);

    ErroBruto e;
    e.subSystem = "Runtime";
    e.subCode = kSubcodigoExcecao;
    e.subCodeText = "Processor exception";
    e.genCode = CodigoGenerico::Processador;
    e.osCode = sinal;
    e.argType = info ? info->si_code : 0;
    e.funcPtr = info ? reinterpret_cast<std::uintptr_t>(info->si_addr) : 0;
    e.funcSym = textoDoPc.texto();
    e.description = nomeDoSinal(sinal);
    e.stack = pilha.texto();

    char dataHora[96];
    Saida quando(dataHora, sizeof dataHora);
    escreveDataHora(quando, std::time(nullptr));
    const std::string_view dh = quando.texto();
    const std::size_t espaco = dh.find(' ');

    Saida registro(g.registro, sizeof g.registro);
    EscreveRegistro(registro, e,
                    {g.versao, dh.substr(0, espaco), dh.substr(espaco + 1), g.aplicacao});
    const int fd = AbreRegistroDeErros(g.caminho);
    if (fd >= 0) {
        const std::string_view r = registro.texto();
        if (::write(fd, r.data(), r.size()) < 0) {
            // Nothing more can be done about a log that refuses the record.
        }
        ::close(fd);
    }
    // The default action ends the process (and leaves a core where the system keeps them).
    std::signal(sinal, SIG_DFL);
    std::raise(sinal);
}

void preparaFalhas() {
    copia(g.caminho, sizeof g.caminho,
          QFile::encodeName(programFile(QStringLiteral("KZERROR.LOG"))));
    copia(g.aplicacao, sizeof g.aplicacao,
          toCp1252(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    copia(g.versao, sizeof g.versao, toCp1252(VersaoDoRuntime()));
    const RegionalSettings& r = regionalSettings();
    copia(g.formatoData, sizeof g.formatoData, toCp1252(r.dateFormat));
    g.seculo = r.century;
    g.separadorHora = r.timeSeparator.toLatin1();
    g.dozeHoras = r.twelveHourClock;
    copia(g.manha, sizeof g.manha, toCp1252(r.amSuffix));
    copia(g.tarde, sizeof g.tarde, toCp1252(r.pmSuffix));
    g.desvioUtc = QDateTime::currentDateTime().offsetFromUtc();

    stack_t pilha{};
    pilha.ss_sp = g.pilhaDoSinal;
    pilha.ss_size = sizeof g.pilhaDoSinal;
    sigaltstack(&pilha, nullptr);

    struct sigaction acao {};
    acao.sa_sigaction = aoFalhar;
    acao.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND | SA_NODEFER;
    sigemptyset(&acao.sa_mask);
    for (int sinal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(sinal, &acao, nullptr);
}
} // namespace

void InstalaTratamentoDeErros() {
    if (!ErrorBlock())
        ErrorBlock(DefError);
    PreparaPilha();
    preparaFalhas();
}
