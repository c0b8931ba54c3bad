#include "nucleo/RegistroDeErro.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#ifdef _WIN32
#include <windows.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace nucleo {

Saida& Saida::operator<<(std::string_view texto) {
    if (m_crescente) {
        m_crescente->append(texto);
        return *this;
    }
    const std::size_t cabe = std::min(texto.size(), m_capacidade - m_tamanho);
    if (cabe == 0)
        return *this;
    std::memcpy(m_buffer + m_tamanho, texto.data(), cabe);
    m_tamanho += cabe;
    return *this;
}

Saida& Saida::semSinal(unsigned long long n) {
    char digitos[24];
    int i = sizeof digitos;
    do {
        digitos[--i] = char('0' + n % 10);
        n /= 10;
    } while (n);
    return *this << std::string_view(digitos + i, sizeof digitos - i);
}

Saida& Saida::decimal(long long n) {
    if (n < 0)
        *this << '-';
    // Negated as unsigned so the smallest value has a magnitude too.
    return semSinal(n < 0 ? 0ULL - static_cast<unsigned long long>(n)
                          : static_cast<unsigned long long>(n));
}

Saida& Saida::hex(unsigned long long n) {
    char digitos[16];
    const int largura = n > 0xFFFFFFFFULL ? 16 : 8;
    for (int i = largura - 1; i >= 0; --i, n >>= 4)
        digitos[i] = "0123456789ABCDEF"[n & 0xF];
    return *this << std::string_view(digitos, largura);
}

Saida& Saida::maiusculas(std::string_view texto) {
    for (char c : texto)
        *this << char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return *this;
}

std::string_view Saida::texto() const {
    return m_crescente ? std::string_view(*m_crescente) : std::string_view(m_buffer, m_tamanho);
}

} // namespace nucleo

const char* TypeString(int tipo) {
    switch (tipo) {
    case 0:
        return "UNDEFINED";
    case 2:
        return "NUMERIC";
    case 3:
        return "DATE";
    case 7:
        return "CHARACTER";
    case 8:
        return "LOGICAL";
    case 9:
        return "ARRAY";
    case 10:
        return "OBJECT";
    case 11:
        return "CODEBLOCK";
    case 18:
        return "POINTER";
    default:
        return "UNKNOWN";
    }
}

const char* ErrString(int codigo) {
    switch (codigo) {
    case 0:
        return "";
    case 1:
        return "Argument error";
    case 2:
        return "Bound error";
    case 5:
        return "Zero divisor";
    case 11:
        return "Memory low";
    case 13:
        return "No exported method";
    case 14:
        return "Variable does not exist";
    case 20:
        return "Create error";
    case 21:
        return "Open error";
    case 22:
        return "Close error";
    case 23:
        return "Read error";
    case 24:
        return "Write error";
    case 25:
        return "Print error";
    case 28:
        return "Invalid error object";
    case 30:
        return "Operation not supported";
    case 31:
        return "Limit exceeded";
    case 40:
        return "Unhandled exception";
    case 41:
        return "Processor exception";
    default:
        return "Unknown error";
    }
}

namespace nucleo {

namespace {
std::string_view logico(bool valor) {
    return valor ? ".T." : ".F.";
}

// The decimal text of a symbol that holds an address (the crash handler's exception info).
unsigned long long numeroDoSimbolo(std::string_view simbolo) {
    unsigned long long n = 0;
    for (char c : simbolo) {
        if (c < '0' || c > '9')
            break;
        n = n * 10 + unsigned(c - '0');
    }
    return n;
}
} // namespace

void EscreveMensagem(Saida& s, const ErroBruto& e) {
    s << (e.severity == 1 ? "WARNING : " : "Error Code: ") << ' ';
    if (e.genCode == 0)
        s << e.description;
    else {
        s.decimal(e.genCode) << " [ ";
        s.maiusculas(ErrString(e.genCode)) << " ]";
    }
    s << "\r\n";
    if (!e.subSystem.empty())
        s << "Subsystem: " << e.subSystem << "\r\n";
    if (e.subCode != 0) {
        s << "Error Subcode: ";
        s.decimal(e.subCode);
        if (!e.subCodeText.empty())
            s << " (" << e.subCodeText << ")";
        s << "\r\n";
    }
    if (!e.operation.empty())
        s << "Operation: " << e.operation << "\r\n";
    if (!e.funcSym.empty())
        s << "Function: " << e.funcSym << "\r\n";
    if (!e.fileName.empty())
        s << "Filename: " << e.fileName.substr(0, 40) << "\r\n";
    if (!e.arg.empty()) {
        s << "Argument: " << e.arg << "\r\n";
        if (e.argType != 0)
            s << "Type: " << TypeString(e.argType) << "\r\n";
    }
    if (e.argNum != 0)
        (s << "Argument Number: ").decimal(e.argNum) << "\r\n";
    if (e.argTypeReq != 0 && e.argTypeReq != e.argType)
        s << "Requested type: " << TypeString(e.argTypeReq) << "\r\n";
    if (!e.description.empty())
        s << "Description: " << e.description << "\r\n";
    if (!e.stack.empty())
        s << "CallStack:\r\n" << e.stack;
}

void EscreveRegistro(Saida& s, const ErroBruto& e, const CabecalhoDoLog& c) {
    s.linha("***********************ERROR********************************");
    s.linha(c.versao);
    s << c.data << ' ' << c.hora << "\r\n";
    s << "Application: " << c.aplicacao << "\r\n";
    s.linha(" ");
    s.linha("Error message:");
    s.linha("--------------");
    EscreveMensagem(s, e);
    s.linha("");
    s.linha("Error Object created:");
    s.linha("--------------------");

    const auto campo = [&s](std::string_view rotulo) -> Saida& { return s << rotulo << ':'; };
    campo("SubSystem       ") << e.subSystem << "\r\n";
    campo("SubCode         ").decimal(e.subCode) << "\r\n";
    campo("GenCode         ") << ErrString(e.genCode) << "\r\n";
    if (e.subCode == kSubcodigoExcecao) {
        campo("ExceptionCode   ").hex(static_cast<unsigned long long>(e.osCode)) << "\r\n";
        campo("ExceptionFlags  ").hex(static_cast<unsigned>(e.argType)) << "\r\n";
        campo("ExceptionAddress").hex(e.funcPtr) << "\r\n";
        campo("ParamNumber     ").decimal(e.argNum) << "\r\n";
        campo("ExceptionInfo   ").hex(numeroDoSimbolo(e.funcSym)) << "\r\n";
    } else {
        campo("OsCode          ").decimal(e.osCode) << "\r\n";
        campo("ArgType         ") << TypeString(e.argType) << "\r\n";
        campo("FuncPtr         ").semSinal(e.funcPtr) << "\r\n";
        campo("ArgNum          ").decimal(e.argNum) << "\r\n";
        campo("FuncSym         ") << e.funcSym << "\r\n";
    }
    campo("Severity        ").decimal(e.severity) << "\r\n";
    campo("CanDefault      ") << logico(e.canDefault) << "\r\n";
    campo("CanRetry        ") << logico(e.canRetry) << "\r\n";
    campo("CanSubstitute   ") << logico(e.canSubstitute) << "\r\n";
    campo("Operation       ") << e.operation << "\r\n";
    campo("Description     ") << e.description << "\r\n";
    campo("FileName        ") << e.fileName << "\r\n";
    campo("Tries           ").decimal(e.tries) << "\r\n";
    campo("FileHandle      ").decimal(e.fileHandle) << "\r\n";
    campo("SubCodeText     ") << e.subCodeText << "\r\n";
    campo("Arg             ") << e.arg << "\r\n";
    campo("ArgTypeReq      ") << TypeString(e.argTypeReq) << "\r\n";
    campo("MaxSize         ").decimal(e.maxSize) << "\r\n";
    campo("SubstituteType  ") << TypeString(e.substituteType) << "\r\n";
    campo("CallFuncSym     ") << e.callFuncSym << "\r\n";
    s.linha("--------------------");
}

namespace {
// Writes the whole text; `escritos` counts what reached the file, even of a text cut short.
bool escreveTudo(int fd, std::string_view texto, long long& escritos) {
    while (!texto.empty()) {
        const auto n = ::write(fd, texto.data(), static_cast<unsigned>(texto.size()));
        if (n <= 0)
            return false;
        escritos += n;
        texto.remove_prefix(std::size_t(n));
    }
    return true;
}

// Opens the log for appending; `criar` creates it, only when no one else has yet. The path is the
// system's own (UTF-8 on Windows, where it is widened; bytes as they are elsewhere).
int abreRegistro(const char* caminho, bool criar) {
#ifdef _WIN32
    wchar_t largo[4096];
    if (!MultiByteToWideChar(CP_UTF8, 0, caminho, -1, largo, 4096))
        return -1;
    // Binary: the record's own CR LF, not a translation of them.
    return ::_wopen(
        largo, _O_WRONLY | _O_APPEND | _O_BINARY | _O_NOINHERIT | (criar ? _O_CREAT | _O_EXCL : 0),
        _S_IREAD | _S_IWRITE);
#else
    // The supplier's alone: the log names his files, servers and quotations.
    return ::open(caminho, O_WRONLY | O_APPEND | O_CLOEXEC | (criar ? O_CREAT | O_EXCL : 0), 0600);
#endif
}

// Takes back a record that could not be written whole: the log ends where it ended before, and a
// log this record started is not left behind empty. Only while nothing came after it: a record
// another writer appended meanwhile (another copy of the program, a crash) is never cut.
void desfaz(int fd, const char* caminho, bool criado, long long antes, long long escritos) {
#ifdef _WIN32
    const bool soONosso = ::_filelengthi64(fd) == antes + escritos;
    if (soONosso)
        ::_chsize_s(fd, antes);
    ::close(fd);
    wchar_t largo[4096];
    if (soONosso && criado && MultiByteToWideChar(CP_UTF8, 0, caminho, -1, largo, 4096))
        ::_wunlink(largo);
#else
    struct stat estado {};
    const bool soONosso = ::fstat(fd, &estado) == 0 && estado.st_size == antes + escritos;
    if (soONosso && ::ftruncate(fd, off_t(antes)) != 0) {
        // Where even that fails, the next record still starts on a line of its own.
    }
    ::close(fd);
    if (soONosso && criado)
        ::unlink(caminho);
#endif
}
} // namespace

bool AcrescentaAoRegistro(const char* caminho, std::string_view registro) {
    bool criado = false;
    int fd = abreRegistro(caminho, false);
    if (fd < 0 && errno == ENOENT) {
        fd = abreRegistro(caminho, true);
        criado = fd >= 0;
        if (fd < 0 && errno == EEXIST) // another writer made it meanwhile
            fd = abreRegistro(caminho, false);
    }
    if (fd < 0)
        return false;
#ifdef _WIN32
    const long long antes = ::_lseeki64(fd, 0, SEEK_END);
#else
    const long long antes = ::lseek(fd, 0, SEEK_END);
#endif
    // Records are apart by a blank line.
    long long escritos = 0;
    if ((!criado && !escreveTudo(fd, "\r\n", escritos)) || !escreveTudo(fd, registro, escritos)) {
        desfaz(fd, caminho, criado, antes < 0 ? 0 : antes, escritos);
        return false;
    }
    ::close(fd);
    return true;
}

} // namespace nucleo
