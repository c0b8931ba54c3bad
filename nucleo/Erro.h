#pragma once

#include "nucleo/RegistroDeErro.h"
#include "nucleo/Resultado.h"

#include <QByteArray>
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVariant>

#include <functional>

// Runtime errors: the error object, the one handler (DefError) that reports and logs them, and
// the ways errors reach it.

namespace nucleo {

// Value type codes, as the report names them (TypeString).
namespace Tipo {
enum : int {
    Indefinido = 0,
    Numero = 2,
    Data = 3,
    Texto = 7,
    Logico = 8,
    Lista = 9,
    Objeto = 10,
    Bloco = 11,
    Ponteiro = 18,
};
} // namespace Tipo

// Generic error codes (ErrString gives their texts).
namespace CodigoGenerico {
enum : int {
    Nenhum = 0, // the description says it all
    Argumento = 1,
    SemMetodo = 13,
    SemVariavel = 14,
    Criacao = 20,
    Abertura = 21,
    Gravacao = 24,
    ObjetoInvalido = 28,
    NaoSuportada = 30,
    Excecao = 40,     // a C++ exception that reached the event dispatch
    Processador = 41, // a fatal signal
};
} // namespace CodigoGenerico

} // namespace nucleo

// The runtime's error object, with the fields the report and the log record name.
struct Error {
    QString SubSystem;
    qint64 SubCode = 0;
    int GenCode = 0;
    qint64 OsCode = 0;
    int ArgType = nucleo::Tipo::Indefinido;
    quint64 FuncPtr = 0;
    int ArgNum = 0;
    QString FuncSym;
    int Severity = 2;
    bool CanDefault = false;
    bool CanRetry = false;
    bool CanSubstitute = false;
    QString Operation;
    QString Description;
    QString FileName;
    int Tries = 0;
    qint64 FileHandle = 0;
    QString SubCodeText;
    QString Arg;
    int ArgTypeReq = nucleo::Tipo::Indefinido;
    qint64 MaxSize = 0;
    int SubstituteType = nucleo::Tipo::Indefinido;
    QString CallFuncSym;
    QString Stack;
};
Q_DECLARE_METATYPE(Error)

namespace nucleo {
using BlocoDeErro = std::function<QVariant(const QVariant&)>;
struct ErroBruto;
} // namespace nucleo

// The error block: what every raised error is handed to. Start-up sets it to DefError.
nucleo::BlocoDeErro ErrorBlock();
nucleo::BlocoDeErro ErrorBlock(nucleo::BlocoDeErro novo); // answers the block it replaces

// Reports one error: the box, the log record, and the user's choice. Answers the value the
// failed operation goes on with: an empty value of the substitute type or false (ignore), true
// (retry). Abandoning ends the program with the error's generic code.
QVariant DefError(const QVariant& erro);

// The runtime's raw error record, turned into an Error and handed to the error block. With no
// record, a plain box says no error object could be created.
QVariant DefErrorGen(const nucleo::ErroBruto* bruto);

// Set when an open failed on a sharing or lock violation (nothing is shown then).
bool NetErr();
void NetErr(bool valor);

namespace nucleo {

// Raises an error of the program's own code through the error block and answers its result.
// The call stack is the caller's.
QVariant ErroDeExecucao(Error erro);

// Runs `tenta` until it succeeds, raising `erro` after each failure (Tries counts them): true
// once it succeeds, false when the user goes on without it.
bool TentaOuErro(const std::function<bool()>& tenta, Error erro);

// Whether an answer of the error block asks for the operation again.
bool Repetir(const QVariant& resposta);

// Bytes as the raw record's view of them.
inline std::string_view vista(const QByteArray& bytes) {
    return {bytes.constData(), std::size_t(bytes.size())};
}

struct OpcoesDeErro {
    bool bip = false;     // three tones before the box
    bool registro = true; // a record in KZERROR.LOG
    std::function<void(int hertz, int duracao)> tom;
};
OpcoesDeErro& opcoesDeErro();

// What the error box offers: ignore (1 or 0), retry (2 or 0) and the abandon style. May clear
// the error's CanRetry (generic code 14 is never retried).
struct EscolhasDoErro {
    int ignorar = 0;
    int repetir = 0;
    quint32 abandono = 0x80000000;

    // The first choice allowed, the one taken when nobody answers: 1 ignore, 2 retry, 3 abandon.
    int primeira() const { return ignorar ? 1 : repetir ? 2 : 3; }
};
EscolhasDoErro Escolhas(Error& erro);

// How an error reaches the person at the screen. The window layer installs the error box at
// start-up; without it the text goes to the standard error and the first choice the error
// allows is taken.
struct ApresentacaoDeErro {
    // Shows the box and answers the choice: 1 ignore, 2 retry, anything else abandon.
    std::function<int(const QString& texto, const QString& titulo, const EscolhasDoErro&)> caixa;
    // The plain box shown when no error object could be created.
    std::function<void(const QString& titulo, const QString& texto)> semObjeto;
};
ApresentacaoDeErro& apresentacaoDeErro();

// The box's message, call stack part included (CR LF line ends).
QString MensagemDoErro(const Error& erro);

// One record of the error log as bytes, dated `quando`.
QByteArray RegistroDoLog(const Error& erro, const QDateTime& quando);

// A record in the error log, with no box: what the program refused on its own and why, for
// whoever supports the supplier. A log that cannot be written is skipped.
void RegistraNoLog(const Error& erro);

// A record of what the program refused or could not do on its own, with no box: the subsystem,
// why, and the operation and the file where there are.
void RegistraNoLog(const QString& subsistema, const QString& descricao,
                   const QString& operacao = {}, const QString& arquivo = {});

// Tells a failure: when it carries a detail (the system's or SQLite's own words, a path), that
// goes to the error log with its text, for whoever supports the supplier; the text the supplier
// reads comes back, to be shown.
const QString& Diz(const Falha& falha);
// The error log's part of Diz alone, where the supplier is told in other words (the login's and
// the sending's own texts for a failed transfer).
void Registra(const Falha& falha);

// The runtime's version text, the first line of every log record.
QString VersaoDoRuntime();

// The error log's path, as the system names files.
QByteArray CaminhoDoRegistroDeErros();

// The executable's name in Windows-1252, as every log record carries it.
QByteArray NomeDoExecutavel();

// Start-up: the error block (unless one is set), the call stack reader and the crash handler.
void InstalaTratamentoDeErros();

} // namespace nucleo
