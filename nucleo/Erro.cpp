#include "nucleo/Erro.h"

#include "nucleo/Cp1252.h"
#include "nucleo/Pilha.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "nucleo/Textos.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <array>
#include <cfenv>
#include <cstdio>
#include <cstdlib>

namespace nucleo {

namespace {
BlocoDeErro& blocoAtual() {
    static BlocoDeErro bloco;
    return bloco;
}

bool& netErr() {
    static bool valor = false;
    return valor;
}

// An Error's texts in Windows-1252, alive as long as the raw record that points at them.
class ErroEmBytes {
public:
    explicit ErroEmBytes(const Error& e) {
        b.subSystem = guarda(e.SubSystem);
        b.subCode = e.SubCode;
        b.genCode = e.GenCode;
        b.osCode = e.OsCode;
        b.argType = e.ArgType;
        b.funcPtr = e.FuncPtr;
        b.argNum = e.ArgNum;
        b.funcSym = guarda(e.FuncSym);
        b.severity = e.Severity;
        b.canDefault = e.CanDefault;
        b.canRetry = e.CanRetry;
        b.canSubstitute = e.CanSubstitute;
        b.operation = guarda(e.Operation);
        b.description = guarda(e.Description);
        b.fileName = guarda(e.FileName);
        b.tries = e.Tries;
        b.fileHandle = e.FileHandle;
        b.subCodeText = guarda(e.SubCodeText);
        b.arg = guarda(e.Arg);
        b.argTypeReq = e.ArgTypeReq;
        b.maxSize = e.MaxSize;
        b.substituteType = e.SubstituteType;
        b.callFuncSym = guarda(e.CallFuncSym);
        b.stack = guarda(e.Stack);
    }
    ErroBruto b;

private:
    std::string_view guarda(const QString& texto) {
        return vista(textos[usados++] = ParaCp1252(texto));
    }
    std::array<QByteArray, 9> textos; // one per text field of the record
    std::size_t usados = 0;
};

QString doBruto(std::string_view texto) {
    return DeCp1252(QByteArrayView(texto.data(), qsizetype(texto.size())));
}

void tocaTons() {
    OpcoesDeErro& opcoes = opcoesDeErro();
    if (!opcoes.tom)
        return; // no sound without the window layer
    for (int hertz : {440, 494, 523})
        opcoes.tom(hertz, 1);
}

// The box, when the window layer installed one; otherwise the text goes to the standard error
// and the first choice the error allows is taken (nobody is there to answer).
int caixaDeErro(const QString& texto, const QString& titulo, const EscolhasDoErro& escolhas) {
    if (const auto& caixa = apresentacaoDeErro().caixa)
        return caixa(texto, titulo, escolhas);
    std::fprintf(stderr, "%s\n%s\n", qPrintable(titulo), qPrintable(texto));
    return escolhas.primeira();
}

QVariant valorVazio(int tipo) {
    switch (tipo) {
    case Tipo::Texto:
        return QString();
    case Tipo::Logico:
        return false;
    case Tipo::Numero:
        return 0;
    case Tipo::Data:
        return QDate();
    default:
        return {};
    }
}

// Hands the error to the error block (DefError when none is set) and answers its result.
QVariant avaliaBloco(const Error& erro) {
    const QVariant valor = QVariant::fromValue(erro);
    const BlocoDeErro bloco = blocoAtual();
    return bloco ? bloco(valor) : DefError(valor);
}

[[noreturn]] void encerra(int codigoGenerico) {
    std::feclearexcept(FE_ALL_EXCEPT);
    std::fflush(nullptr);
    // An exit code of 0 would tell whoever started the program that all went well.
    std::_Exit(codigoGenerico != 0 ? codigoGenerico : 1);
}
} // namespace

ApresentacaoDeErro& apresentacaoDeErro() {
    static ApresentacaoDeErro apresentacao;
    return apresentacao;
}

OpcoesDeErro& opcoesDeErro() {
    static OpcoesDeErro opcoes;
    return opcoes;
}

EscolhasDoErro Escolhas(Error& erro) {
    if (erro.GenCode == CodigoGenerico::SemVariavel)
        erro.CanRetry = false;
    EscolhasDoErro e;
    e.ignorar = erro.CanDefault || erro.CanSubstitute ? 1 : 0;
    e.repetir = erro.CanRetry ? 2 : 0;
    // The program sets no recover points, so abandoning always ends it.
    e.abandono = 0x80000000;
    return e;
}

QString MensagemDoErro(const Error& erro) {
    const ErroEmBytes bytes(erro);
    std::string texto;
    Saida saida(texto);
    EscreveMensagem(saida, bytes.b);
    return doBruto(texto);
}

QString VersaoDoRuntime() {
    return textos::Runtime + QString::fromLatin1(qVersion());
}

QByteArray CaminhoDoRegistroDeErros() {
    return CaminhoDoSistema(ArquivoDoPrograma(QString::fromLatin1(kRegistroDeErros)));
}

QByteArray NomeDoExecutavel() {
    return ParaCp1252(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

QByteArray RegistroDoLog(const Error& erro, const QDateTime& quando) {
    const ErroEmBytes bytes(erro);
    const QByteArray versao = ParaCp1252(VersaoDoRuntime());
    const QByteArray data = ParaCp1252(DateToText(quando.date()));
    const QByteArray hora = ParaCp1252(TimeToText(quando.time()));
    const QByteArray aplicacao = NomeDoExecutavel();
    std::string texto;
    Saida saida(texto);
    EscreveRegistro(saida, bytes.b, {vista(versao), vista(data), vista(hora), vista(aplicacao)});
    return QByteArray::fromStdString(texto);
}

void RegistraNoLog(const Error& erro) {
    AcrescentaAoRegistro(CaminhoDoRegistroDeErros().constData(),
                         vista(RegistroDoLog(erro, QDateTime::currentDateTime())));
}

void RegistraNoLog(const QString& subsistema, const QString& descricao, const QString& operacao,
                   const QString& arquivo) {
    Error erro;
    erro.SubSystem = subsistema;
    erro.Severity = 1;
    erro.Operation = operacao;
    erro.FileName = arquivo;
    erro.Description = descricao;
    RegistraNoLog(erro);
}

void Registra(const Falha& falha) {
    if (falha.detalhe.isEmpty())
        return;
    // A server that could not be trusted is the network's too, not a file's.
    const bool daRede = falha.tipo == Falha::Tipo::Rede || falha.tipo == Falha::Tipo::Inseguro;
    RegistraNoLog(falha.tipo == Falha::Tipo::Banco ? QStringLiteral("Banco")
                  : daRede                         ? QStringLiteral("Ftp")
                                                   : QStringLiteral("Arquivo"),
                  falha.texto + QStringLiteral(" (") + falha.detalhe + u')');
}

const QString& Diz(const Falha& falha) {
    Registra(falha);
    return falha.texto;
}

[[gnu::noinline]] QVariant ErroDeExecucao(Error erro) {
    if (erro.Stack.isEmpty())
        erro.Stack = TextoDaPilha(1);
    return avaliaBloco(erro);
}

[[gnu::noinline]] bool TentaOuErro(const std::function<bool()>& tenta, Error erro) {
    for (;;) {
        if (tenta())
            return true;
        // Read only on a failure: the first reading of the stack loads the debug information.
        if (erro.Stack.isEmpty())
            erro.Stack = TextoDaPilha(1);
        if (!Repetir(ErroDeExecucao(erro)))
            return false;
        ++erro.Tries;
    }
}

bool Repetir(const QVariant& resposta) {
    return resposta.metaType() == QMetaType::fromType<bool>() && resposta.toBool();
}

} // namespace nucleo

// The runtime's published entry points.

using namespace nucleo;

nucleo::BlocoDeErro ErrorBlock() {
    return blocoAtual();
}

nucleo::BlocoDeErro ErrorBlock(nucleo::BlocoDeErro novo) {
    return std::exchange(blocoAtual(), std::move(novo));
}

bool NetErr() {
    return netErr();
}

void NetErr(bool valor) {
    netErr() = valor;
}

[[gnu::noinline]] QVariant DefError(const QVariant& valor) {
    Error erro;
    if (valor.metaType() == QMetaType::fromType<Error>()) {
        erro = valor.value<Error>();
    } else {
        erro.GenCode = CodigoGenerico::ObjetoInvalido;
        erro.Severity = 2;
        erro.CanDefault = true;
        erro.FuncSym = QStringLiteral("DefError");
        erro.ArgNum = 1;
        erro.Arg = valor.toString();
    }

    if (erro.CanDefault && erro.GenCode == CodigoGenerico::Abertura &&
        (erro.OsCode == 32 || erro.OsCode == 33)) {
        NetErr(true);
        return false;
    }

    const QString titulo = erro.Severity == 1 ? QStringLiteral("WARNING") : QStringLiteral("ERROR");
    if (erro.SubstituteType == Tipo::Ponteiro)
        erro.Severity = 3;
    if (erro.Stack.isEmpty())
        erro.Stack = TextoDaPilha(1);
    const QString mensagem = MensagemDoErro(erro);

    if (opcoesDeErro().bip)
        tocaTons();
    const EscolhasDoErro escolhas = Escolhas(erro);
    if (opcoesDeErro().registro)
        RegistraNoLog(erro); // a log that cannot be written is skipped; the box still tells

    switch (caixaDeErro(mensagem, titulo, escolhas)) {
    case 1:
        return erro.CanSubstitute ? valorVazio(erro.SubstituteType) : QVariant(false);
    case 2:
        return true;
    default:
        encerra(erro.GenCode);
    }
}

[[gnu::noinline]] QVariant DefErrorGen(const nucleo::ErroBruto* bruto) {
    if (!bruto) {
        const QString titulo = QStringLiteral("FROM DefErrorGen");
        const QString texto = QStringLiteral("No error object created !");
        if (const auto& aviso = apresentacaoDeErro().semObjeto)
            aviso(titulo, texto);
        else
            std::fprintf(stderr, "%s\n%s\n", qPrintable(titulo), qPrintable(texto));
        return false;
    }
    Error erro;
    erro.SubSystem = doBruto(bruto->subSystem);
    erro.SubCode = bruto->subCode;
    erro.GenCode = bruto->genCode;
    erro.OsCode = bruto->osCode;
    erro.ArgType = bruto->argType;
    erro.FuncPtr = bruto->funcPtr;
    erro.ArgNum = bruto->argNum;
    erro.FuncSym = doBruto(bruto->funcSym);
    erro.Severity = bruto->severity;
    erro.CanDefault = bruto->canDefault;
    erro.CanRetry = bruto->canRetry;
    erro.CanSubstitute = bruto->canSubstitute;
    erro.Operation = doBruto(bruto->operation);
    erro.Description = doBruto(bruto->description);
    erro.FileName = doBruto(bruto->fileName);
    erro.Tries = bruto->tries;
    erro.FileHandle = bruto->fileHandle;
    erro.SubCodeText = doBruto(bruto->subCodeText);
    erro.Arg = doBruto(bruto->arg);
    erro.ArgTypeReq = bruto->argTypeReq;
    erro.MaxSize = bruto->maxSize;
    erro.SubstituteType = bruto->substituteType;
    erro.CallFuncSym = doBruto(bruto->callFuncSym);
    erro.Stack = bruto->stack.empty() ? TextoDaPilha(1) : doBruto(bruto->stack);
    return avaliaBloco(erro);
}
