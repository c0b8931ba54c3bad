#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The text of an error report and its record in the error log. Everything here works on plain
// bytes (Windows-1252) and numbers and never touches the heap unless the output is growable, so
// the crash handler writes its record with the same code as every other error.

namespace nucleo {

// Text assembled either into a growable string or into a fixed buffer (which cuts what does not
// fit, the crash handler's case).
class Saida {
public:
    explicit Saida(std::string& crescente)
        : m_crescente(&crescente) {}
    Saida(char* buffer, std::size_t capacidade)
        : m_buffer(buffer)
        , m_capacidade(capacidade) {}

    Saida& operator<<(std::string_view texto);
    Saida& operator<<(char c) { return *this << std::string_view(&c, 1); }
    Saida& decimal(long long n);
    Saida& semSinal(unsigned long long n);
    // Eight hexadecimal digits, sixteen when the value does not fit in 32 bits.
    Saida& hex(unsigned long long n);
    Saida& maiusculas(std::string_view texto);
    Saida& linha(std::string_view texto) { return *this << texto << "\r\n"; }

    std::string_view texto() const;

private:
    std::string* m_crescente = nullptr;
    char* m_buffer = nullptr;
    std::size_t m_capacidade = 0;
    std::size_t m_tamanho = 0;
};

// The error's fields as the runtime records them: texts in Windows-1252, numbers, type codes.
struct ErroBruto {
    std::string_view subSystem;
    long long subCode = 0;
    int genCode = 0;
    long long osCode = 0;
    int argType = 0;
    unsigned long long funcPtr = 0;
    int argNum = 0;
    std::string_view funcSym;
    int severity = 2;
    bool canDefault = false;
    bool canRetry = false;
    bool canSubstitute = false;
    std::string_view operation;
    std::string_view description;
    std::string_view fileName;
    int tries = 0;
    long long fileHandle = 0;
    std::string_view subCodeText;
    std::string_view arg;
    int argTypeReq = 0;
    long long maxSize = 0;
    int substituteType = 0;
    std::string_view callFuncSym;
    std::string_view stack;
};

// The lines of a log record that do not come from the error.
struct CabecalhoDoLog {
    std::string_view versao;    // the runtime's version text
    std::string_view data;      // today, in the regional date format
    std::string_view hora;      // now, hours, minutes and seconds
    std::string_view aplicacao; // the executable's name
};

inline constexpr int kSubcodigoExcecao = 5333;            // a processor exception (fatal signal)
inline constexpr char kRegistroDeErros[] = "KZERROR.LOG"; // in the program directory

} // namespace nucleo

// Names of the value types and texts of the generic codes.
const char* TypeString(int tipo);
const char* ErrString(int codigo);

namespace nucleo {

// The message shown in the error box, its call stack part included; lines end with CR LF.
void EscreveMensagem(Saida& saida, const ErroBruto& erro);

// One record of KZERROR.LOG, from the asterisk line to the closing hyphens.
void EscreveRegistro(Saida& saida, const ErroBruto& erro, const CabecalhoDoLog& cabecalho);

// Appends one record to KZERROR.LOG (`caminho` as CaminhoDoSistema gives it): an existing log gets
// the empty line that separates records first, a missing one is created. False when the log can be
// neither opened nor created (the record is then skipped). Safe in a signal handler.
bool AcrescentaAoRegistro(const char* caminho, std::string_view registro);

} // namespace nucleo
