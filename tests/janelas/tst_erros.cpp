#include "tests/janelas/tst_erros.h"

#include "janelas/Caixas.h"
#include "janelas/GravacaoComAviso.h"
#include "janelas/Textos.h"
#include "nucleo/Cp1252.h"
#include "nucleo/Erro.h"
#include "nucleo/Ini.h"
#include "nucleo/Pilha.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/DiscoPequeno.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <memory>
#include <stdexcept>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace janelas;
using namespace nucleo;

namespace {
QString linhas(const QStringList& l) {
    return l.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

Error erroDeAbertura() {
    Error e;
    e.SubSystem = "Profile";
    e.GenCode = CodigoGenerico::Abertura;
    e.OsCode = 2;
    e.FileName = "Config.ini";
    e.Description = "Não foi possível abrir";
    e.CanDefault = true;
    e.Stack = "LEITURA (Line:12)\r\n";
    return e;
}

// A chain of routines whose innermost reads the stack from level 1.
volatile int g_profundidade = 0;
[[gnu::noinline]] QString nivel7() {
    const QString pilha = TextoDaPilha(1);
    g_profundidade = 7;
    return pilha;
}
#define NIVEL(n, proximo)                                                                          \
    [[gnu::noinline]] QString nivel##n() {                                                         \
        const QString pilha = proximo();                                                           \
        g_profundidade = n;                                                                        \
        return pilha;                                                                              \
    }
NIVEL(6, nivel7)
NIVEL(5, nivel6)
NIVEL(4, nivel5)
NIVEL(3, nivel4)
NIVEL(2, nivel3)
NIVEL(1, nivel2)

class Lanca : public QObject {
public:
    int vezes = 0;
    bool event(QEvent* evento) override {
        if (evento->type() != QEvent::User)
            return QObject::event(evento);
        ++vezes;
        throw std::runtime_error("falhou ao tratar");
    }
};

std::unique_ptr<DiretorioTeste> g_dir;
} // namespace

void Erros::init() {
    g_dir = std::make_unique<DiretorioTeste>();
    Caixas::setModoDeTeste(true);
    opcoesDeErro() = OpcoesDeErro{};
    NetErr(false);
    ItensDaLocalidade brasil;
    brasil.ordemDaData = "1";
    brasil.separadorDeData = "/";
    brasil.padraoDeDataCurta = "dd/MM/yyyy";
    brasil.separadorDeHora = ":";
    brasil.formatoDeHora = "1";
    SetInternational(ModoInternacional::Windows, brasil);
}

void Erros::cleanup() {
    Caixas::setModoDeTeste(false);
    opcoesDeErro() = OpcoesDeErro{};
    g_dir.reset();
}

void Erros::mensagem_data() {
    QTest::addColumn<Error>("erro");
    QTest::addColumn<QString>("esperada");

    Error aviso = erroDeAbertura();
    aviso.Severity = 1;
    aviso.Stack.clear();
    QTest::newRow("aviso") << aviso
                           << linhas({"WARNING :  21 [ OPEN ERROR ]", "Subsystem: Profile",
                                      "Filename: Config.ini",
                                      "Description: Não foi possível abrir"});

    QTest::newRow("com a pilha") << erroDeAbertura()
                                 << linhas({"Error Code:  21 [ OPEN ERROR ]", "Subsystem: Profile",
                                            "Filename: Config.ini",
                                            "Description: Não foi possível abrir",
                                            "CallStack:", "LEITURA (Line:12)"});

    Error zero;
    zero.Description = "A grade não existe";
    QTest::newRow("código genérico 0")
        << zero << linhas({"Error Code:  A grade não existe", "Description: A grade não existe"});

    Error arquivo;
    arquivo.GenCode = CodigoGenerico::Gravacao;
    arquivo.FileName = "/home/fornecedor/cotacao/2026000000012345.cot.tmp";
    QTest::newRow("arquivo de mais de 40")
        << arquivo
        << linhas({"Error Code:  24 [ WRITE ERROR ]",
                   "Filename: /home/fornecedor/cotacao/202600000001234"});

    Error tipos;
    tipos.GenCode = CodigoGenerico::Argumento;
    tipos.SubCode = 1003;
    tipos.SubCodeText = "parâmetro";
    tipos.Operation = "Val";
    tipos.FuncSym = "VAL";
    tipos.Arg = "abc";
    tipos.ArgType = Tipo::Texto;
    tipos.ArgNum = 2;
    tipos.ArgTypeReq = Tipo::Numero;
    QTest::newRow("argumento com tipo, requerido outro")
        << tipos
        << linhas({"Error Code:  1 [ ARGUMENT ERROR ]", "Error Subcode: 1003 (parâmetro)",
                   "Operation: Val", "Function: VAL", "Argument: abc", "Type: CHARACTER",
                   "Argument Number: 2", "Requested type: NUMERIC"});

    Error igual = tipos;
    igual.SubCodeText.clear();
    igual.ArgTypeReq = Tipo::Texto;
    QTest::newRow("requerido igual, subcódigo sem texto")
        << igual
        << linhas({"Error Code:  1 [ ARGUMENT ERROR ]", "Error Subcode: 1003", "Operation: Val",
                   "Function: VAL", "Argument: abc", "Type: CHARACTER", "Argument Number: 2"});

    Error semTipo = tipos;
    semTipo.ArgType = Tipo::Indefinido;
    semTipo.ArgTypeReq = Tipo::Indefinido;
    semTipo.SubCode = 0;
    QTest::newRow("argumento sem tipo")
        << semTipo
        << linhas({"Error Code:  1 [ ARGUMENT ERROR ]", "Operation: Val", "Function: VAL",
                   "Argument: abc", "Argument Number: 2"});

    Error tipoSemArgumento = tipos;
    tipoSemArgumento.Arg.clear();
    tipoSemArgumento.ArgTypeReq = Tipo::Indefinido;
    tipoSemArgumento.SubCode = 0;
    QTest::newRow("tipo sem argumento")
        << tipoSemArgumento
        << linhas({"Error Code:  1 [ ARGUMENT ERROR ]", "Operation: Val", "Function: VAL",
                   "Argument Number: 2"});
}

void Erros::mensagem() {
    QFETCH(Error, erro);
    QFETCH(QString, esperada);
    QCOMPARE(MensagemDoErro(erro), esperada);
}

void Erros::registro_data() {
    QTest::addColumn<Error>("erro");
    QTest::addColumn<QStringList>("campos");
    QTest::addColumn<QStringList>("mensagem");

    Error comum = erroDeAbertura();
    comum.ArgType = Tipo::Texto;
    comum.FuncPtr = 4096;
    comum.ArgNum = 1;
    comum.FuncSym = "FOPEN";
    comum.Tries = 2;
    comum.FileHandle = -1;
    comum.Arg = "Config.ini";
    comum.ArgTypeReq = Tipo::Texto;
    comum.MaxSize = 299999;
    comum.SubstituteType = Tipo::Logico;
    comum.CallFuncSym = "FORMLOGIN:OK";
    comum.FileName = QString(45, u'x');
    QTest::newRow("erro comum") << comum
                                << QStringList{"SubSystem       :Profile",
                                               "SubCode         :0",
                                               "GenCode         :Open error",
                                               "OsCode          :2",
                                               "ArgType         :CHARACTER",
                                               "FuncPtr         :4096",
                                               "ArgNum          :1",
                                               "FuncSym         :FOPEN",
                                               "Severity        :2",
                                               "CanDefault      :.T.",
                                               "CanRetry        :.F.",
                                               "CanSubstitute   :.F.",
                                               "Operation       :",
                                               "Description     :Não foi possível abrir",
                                               "FileName        :" + QString(45, u'x'),
                                               "Tries           :2",
                                               "FileHandle      :-1",
                                               "SubCodeText     :",
                                               "Arg             :Config.ini",
                                               "ArgTypeReq      :CHARACTER",
                                               "MaxSize         :299999",
                                               "SubstituteType  :LOGICAL",
                                               "CallFuncSym     :FORMLOGIN:OK"}
                                << QStringList{"Error Code:  21 [ OPEN ERROR ]",
                                               "Subsystem: Profile",
                                               "Function: FOPEN",
                                               "Filename: " + QString(40, u'x'),
                                               "Argument: Config.ini",
                                               "Type: CHARACTER",
                                               "Argument Number: 1",
                                               "Description: Não foi possível abrir",
                                               "CallStack:",
                                               "LEITURA (Line:12)"};

    Error excecao;
    excecao.SubSystem = "Runtime";
    excecao.SubCode = kSubcodigoExcecao;
    excecao.SubCodeText = "Processor exception";
    excecao.GenCode = CodigoGenerico::Processador;
    excecao.OsCode = 11;
    excecao.ArgType = 1;
    excecao.FuncPtr = 0x7F12345678;
    excecao.FuncSym = "4198400";
    excecao.Stack = "*EmptyCallStack*\r\n";
    QTest::newRow("exceção do processador")
        << excecao << QStringList{"SubSystem       :Runtime",
                                  "SubCode         :5333",
                                  "GenCode         :Processor exception",
                                  "ExceptionCode   :0000000B",
                                  "ExceptionFlags  :00000001",
                                  "ExceptionAddress:0000007F12345678",
                                  "ParamNumber     :0",
                                  "ExceptionInfo   :00401000",
                                  "Severity        :2",
                                  "CanDefault      :.F.",
                                  "CanRetry        :.F.",
                                  "CanSubstitute   :.F.",
                                  "Operation       :",
                                  "Description     :",
                                  "FileName        :",
                                  "Tries           :0",
                                  "FileHandle      :0",
                                  "SubCodeText     :Processor exception",
                                  "Arg             :",
                                  "ArgTypeReq      :UNDEFINED",
                                  "MaxSize         :0",
                                  "SubstituteType  :UNDEFINED",
                                  "CallFuncSym     :"}
        << QStringList{"Error Code:  41 [ PROCESSOR EXCEPTION ]",
                       "Subsystem: Runtime",
                       "Error Subcode: 5333 (Processor exception)",
                       "Function: 4198400",
                       "CallStack:",
                       "*EmptyCallStack*"};
}

void Erros::registro() {
    QFETCH(Error, erro);
    QFETCH(QStringList, campos);
    QFETCH(QStringList, mensagem);
    const QDateTime quando(QDate(2026, 12, 8), QTime(14, 5, 9));
    const QStringList esperado =
        QStringList{"***********************ERROR********************************",
                    VersaoDoRuntime(), "08/12/2026 14:05:09",
                    // The executable's name as the system knows it ("tst_runtime.exe" on Windows).
                    "Application: " + QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                    " ", "Error message:", "--------------"} +
        mensagem + QStringList{"", "Error Object created:", "--------------------"} + campos +
        QStringList{"--------------------"};
    QCOMPARE(RegistroDoLog(erro, quando), ParaCp1252(linhas(esperado)));
}

void Erros::nomeDaRotina_data() {
    QTest::addColumn<QByteArray>("nome");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("mangled") << QByteArray("_ZN8FlexCell6chamarERK10cOleMethodRK5QListI8QVariantE")
                             << "FLEXCELL:CHAMAR";
    QTest::newRow("tipo de retorno e const")
        << QByteArray("QList<int> ns::Classe::metodo(int, char) const") << "NS:CLASSE:METODO";
    QTest::newRow("modelo") << QByteArray(
                                   "std::vector<int, std::allocator<int> >::push_back(int&&)")
                            << "STD:VECTOR:PUSH_BACK";
    QTest::newRow("lambda") << QByteArray("Foo::bar(int)::{lambda()#1}::operator()() const")
                            << "FOO:BAR:{LAMBDA#1}:OPERATOR()";
    QTest::newRow("operador") << QByteArray("QDebug::operator<<(int)") << "QDEBUG:OPERATOR<<";
    QTest::newRow("espaço anônimo") << QByteArray("(anonymous namespace)::nivel6()") << "NIVEL6";
    QTest::newRow("só o nome") << QByteArray("main") << "MAIN";
    QTest::newRow("sem nome") << QByteArray() << "*ProcName*";
}

void Erros::nomeDaRotina() {
    QFETCH(QByteArray, nome);
    QFETCH(QString, esperado);
    QCOMPARE(NomeDaRotina(nome.isNull() ? nullptr : nome.constData()), esperado);
}

void Erros::pilhaDeCincoRotinas() {
    // Read from nivel7 at level 1: nivel6 outward, five routines, not one more.
    const QStringList pilha = nivel1().split(QStringLiteral("\r\n"));
    QCOMPARE(pilha.size(), 6);
    QCOMPARE(pilha.last(), QString());
    for (int i = 0; i < 5; ++i) {
        const QRegularExpression linha(QStringLiteral("^NIVEL%1 \\(Line:([0-9]+)\\)$").arg(6 - i));
        const QRegularExpressionMatch m = linha.match(pilha[i]);
        QVERIFY2(m.hasMatch(), qPrintable(pilha[i]));
        QVERIFY(m.captured(1).toInt() > 0);
    }
}

void Erros::escolhas_data() {
    QTest::addColumn<bool>("podePadrao");
    QTest::addColumn<bool>("podeSubstituir");
    QTest::addColumn<bool>("podeRepetir");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<int>("ignorar");
    QTest::addColumn<int>("repetir");
    QTest::newRow("nada") << false << false << false << 24 << 0 << 0;
    QTest::newRow("padrão") << true << false << false << 24 << 1 << 0;
    QTest::newRow("substituto") << false << true << false << 24 << 1 << 0;
    QTest::newRow("repetir") << false << false << true << 24 << 0 << 2;
    QTest::newRow("tudo") << true << true << true << 21 << 1 << 2;
    QTest::newRow("código 14 não repete") << true << false << true << 14 << 1 << 0;
}

void Erros::escolhas() {
    QFETCH(bool, podePadrao);
    QFETCH(bool, podeSubstituir);
    QFETCH(bool, podeRepetir);
    QFETCH(int, codigo);
    QFETCH(int, ignorar);
    QFETCH(int, repetir);
    Error e;
    e.CanDefault = podePadrao;
    e.CanSubstitute = podeSubstituir;
    e.CanRetry = podeRepetir;
    e.GenCode = codigo;
    const EscolhasDoErro escolhas = Escolhas(e);
    QCOMPARE(escolhas.ignorar, ignorar);
    QCOMPARE(escolhas.repetir, repetir);
    QCOMPARE(escolhas.abandono, 0x80000000u);
    QCOMPARE(e.CanRetry, repetir == 2);
}

void Erros::respostas_data() {
    QTest::addColumn<int>("resposta");
    QTest::addColumn<bool>("podeSubstituir");
    QTest::addColumn<int>("tipoSubstituto");
    QTest::addColumn<QVariant>("esperado");
    QTest::newRow("ignorar sem substituto") << 1 << false << int(Tipo::Texto) << QVariant(false);
    QTest::newRow("ignorar, texto vazio") << 1 << true << int(Tipo::Texto) << QVariant(QString());
    QTest::newRow("ignorar, número") << 1 << true << int(Tipo::Numero) << QVariant(0);
    QTest::newRow("repetir") << 2 << true << int(Tipo::Texto) << QVariant(true);
}

void Erros::respostas() {
    QFETCH(int, resposta);
    QFETCH(bool, podeSubstituir);
    QFETCH(int, tipoSubstituto);
    QFETCH(QVariant, esperado);
    Error e = erroDeAbertura();
    e.CanSubstitute = podeSubstituir;
    e.SubstituteType = tipoSubstituto;
    e.CanRetry = true;
    Caixas::responde(e.Description, resposta);
    const QVariant valor = DefError(QVariant::fromValue(e));
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    QCOMPARE(valor, esperado);
    QCOMPARE(valor.metaType(), esperado.metaType());
    QCOMPARE(Caixas::mostradas().size(), 1);
    QCOMPARE(Caixas::mostradas()[0].titulo, "ERROR");
    QCOMPARE(Caixas::mostradas()[0].texto, MensagemDoErro(e));
}

void Erros::logNovoEAcrescentado() {
    Error e = erroDeAbertura();
    e.SubstituteType = Tipo::Ponteiro; // raises the severity to 3
    opcoesDeErro().bip = true;
    QList<QPair<int, int>> tons;
    opcoesDeErro().tom = [&](int hertz, int duracao) { tons.append({hertz, duracao}); };

#ifndef Q_OS_WIN
    const mode_t mascara = ::umask(022); // a machine whose default lets others read
#endif
    QCOMPARE(DefError(QVariant::fromValue(e)), QVariant(false));
#ifndef Q_OS_WIN
    ::umask(mascara);
    QCOMPARE(QFile::permissions(g_dir->arquivo("KZERROR.LOG")) &
                 ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser),
             QFile::Permissions());
#endif
    const QByteArray primeiro = g_dir->ler("KZERROR.LOG");
    QVERIFY(primeiro.startsWith("***********************ERROR***"));
    QVERIFY(primeiro.endsWith("\r\n--------------------\r\n"));
    QVERIFY(primeiro.contains("\r\nSeverity        :3\r\n"));
    QCOMPARE(primeiro.count("ERROR*"), 1);
    QCOMPARE(tons, (QList<QPair<int, int>>{{440, 1}, {494, 1}, {523, 1}}));
    QCOMPARE(Caixas::mostradas()[0].titulo, "ERROR");

    e.Severity = 1;
    e.SubstituteType = Tipo::Indefinido;
    DefError(QVariant::fromValue(e));
    const QByteArray ambos = g_dir->ler("KZERROR.LOG");
    QVERIFY(ambos.startsWith(QByteArray(primeiro + "\r\n***********************ERROR***")));
    QCOMPARE(ambos.count("ERROR*"), 2);
    QVERIFY(ambos.contains("WARNING :  21 [ OPEN ERROR ]"));
    QCOMPARE(Caixas::mostradas()[1].titulo, "WARNING");

    opcoesDeErro().registro = false;
    DefError(QVariant::fromValue(e));
    QCOMPARE(g_dir->ler("KZERROR.LOG"), ambos);
    QCOMPARE(Caixas::mostradas().size(), 3);
}

void Erros::logQueNaoAbreNaoImpedeACaixa() {
    QVERIFY(QDir(g_dir->path()).mkdir("KZERROR.LOG")); // a log that cannot be opened
    DefError(QVariant::fromValue(erroDeAbertura()));
    QCOMPARE(Caixas::mostradas().size(), 1);
    QVERIFY(QFileInfo(g_dir->arquivo("KZERROR.LOG")).isDir());
}

// A full disk takes no record: no new empty log is left behind, and an old log keeps its bytes.
void Erros::logNoDiscoCheio() {
    DiscoPequeno disco(64 * 1024);
    if (!disco.montado())
        QSKIP("mounting a small disk needs root");
    const QString log = QDir(disco.path()).filePath(QStringLiteral("KZERROR.LOG"));
    QVERIFY(DefinePastaDoPrograma(disco.path()));
    disco.encher();
    RegistraNoLog(QStringLiteral("Teste"), QStringLiteral("o disco está cheio"));
    QVERIFY(!QFile::exists(log));

    QVERIFY(QFile::remove(QDir(disco.path()).filePath(QStringLiteral(".lastro"))));
    QFile anterior(log);
    QVERIFY(anterior.open(QIODevice::WriteOnly));
    const QByteArray antes = "registro anterior\r\n";
    QCOMPARE(anterior.write(antes), antes.size());
    QVERIFY(anterior.flush());
    anterior.close();
    disco.encher();
    RegistraNoLog(QStringLiteral("Teste"), QString(2000, u'x'));
    QVERIFY(anterior.open(QIODevice::ReadOnly));
    QCOMPARE(anterior.readAll(), antes);
    QVERIFY(DefinePastaDoPrograma(g_dir->path()));
}

// A failure told to the supplier leaves its technical detail in the log, in no box; one without
// a detail leaves nothing.
void Erros::falhaDitaComDetalheNoLog() {
    const Falha semDetalhe{Falha::Tipo::Inexistente, QStringLiteral("O arquivo não existe.")};
    QCOMPARE(Diz(semDetalhe), semDetalhe.texto);
    QVERIFY(!QFile::exists(g_dir->arquivo("KZERROR.LOG")));

    const Falha doBanco{Falha::Tipo::Banco, QStringLiteral("O disco está cheio."),
                        QStringLiteral("database or disk is full")};
    QCOMPARE(Diz(doBanco), doBanco.texto);
    const QString log = DeCp1252(g_dir->ler("KZERROR.LOG"));
    QVERIFY2(log.contains(QStringLiteral("O disco está cheio. (database or disk is full)")),
             qPrintable(log));
    QVERIFY2(log.contains(QStringLiteral("Banco")), qPrintable(log));
    QVERIFY(Caixas::mostradas().isEmpty());
}

void Erros::casoDeRedeNaoMostraNada() {
    opcoesDeErro().bip = true;
    int tons = 0;
    opcoesDeErro().tom = [&](int, int) { ++tons; };
    for (const int codigoDoSistema : {32, 33}) {
        NetErr(false);
        Error e = erroDeAbertura();
        e.OsCode = codigoDoSistema;
        QCOMPARE(DefError(QVariant::fromValue(e)), QVariant(false));
        QVERIFY(NetErr());
    }
    QCOMPARE(tons, 0);
    QVERIFY(Caixas::mostradas().isEmpty());
    QVERIFY(!QFile::exists(g_dir->arquivo("KZERROR.LOG")));

    // Without "can default" it is an ordinary error.
    NetErr(false);
    Error semPadrao = erroDeAbertura();
    semPadrao.OsCode = 32;
    semPadrao.CanDefault = false;
    Caixas::responde(semPadrao.Description, 1);
    DefError(QVariant::fromValue(semPadrao));
    QCOMPARE(Caixas::respostasPendentes(), QStringList());
    QVERIFY(!NetErr());
    QCOMPARE(Caixas::mostradas().size(), 1);
    QCOMPARE(tons, 3);
}

void Erros::valorQueNaoEErro() {
    DefError(QVariant(QStringLiteral("abc")));
    QCOMPARE(Caixas::mostradas().size(), 1);
    const QString texto = Caixas::mostradas()[0].texto;
    QVERIFY2(
        texto.startsWith(linhas({"Error Code:  28 [ INVALID ERROR OBJECT ]", "Function: DefError",
                                 "Argument: abc", "Argument Number: 1", "CallStack:"})),
        qPrintable(texto));
    // The stack starts at whoever called the handler: this test.
    QVERIFY2(texto.contains("ERROS:VALORQUENAOEERRO (Line:"), qPrintable(texto));
    QVERIFY(g_dir->ler("KZERROR.LOG").contains("GenCode         :Invalid error object\r\n"));
}

void Erros::defErrorGenSemRegistro() {
    QCOMPARE(DefErrorGen(nullptr), QVariant(false));
    QCOMPARE(Caixas::mostradas().size(), 1);
    QCOMPARE(Caixas::mostradas()[0].titulo, "FROM DefErrorGen");
    QCOMPARE(Caixas::mostradas()[0].texto, "No error object created !");
    QVERIFY(!QFile::exists(g_dir->arquivo("KZERROR.LOG")));
}

void Erros::excecaoNoTratamentoDeEvento() {
    const BlocoDeErro anterior = ErrorBlock(DefError);
    Lanca alvo;
    Caixas::responde("Description: falhou ao tratar", 2); // retry: the event is delivered again
    Caixas::responde("Description: falhou ao tratar", 1); // then go on without it
    QEvent evento(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&alvo, &evento));
    ErrorBlock(anterior);
    QCOMPARE(Caixas::respostasPendentes(), QStringList());

    QCOMPARE(alvo.vezes, 2);
    QCOMPARE(Caixas::mostradas().size(), 2);
    const QString texto = Caixas::mostradas()[0].texto;
    QVERIFY2(texto.startsWith(
                 linhas({"Error Code:  40 [ UNHANDLED EXCEPTION ]", "Subsystem: Runtime",
                         "Operation: User", "Function: QObject", "Argument: std::runtime_error",
                         "Description: falhou ao tratar", "CallStack:"})),
             qPrintable(texto));
    QCOMPARE(g_dir->ler("KZERROR.LOG").count("ERROR*"), 2);
}

void Erros::filhoTerminaComoOErroDecide_data() {
    QTest::addColumn<QString>("modo");
    QTest::addColumn<bool>("falhou");
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QStringList>("noLog");
    QTest::newRow("abandono") << "abandona" << false << 24
                              << QStringList{"Error Code:  24 [ WRITE ERROR ]",
                                             "Application: filho_erros", "CallStack:\r\nMAIN "};
    QTest::newRow("exceção abandonada") << "excecao" << false << 40
                                        << QStringList{"Error Code:  40 [ UNHANDLED EXCEPTION ]",
                                                       "Description: event handler failed"};
#ifdef Q_OS_WIN
    // The exception record: an access violation, the address it reached as its information.
    QTest::newRow("falha do processador")
        << "falha" << true << 0
        << QStringList{"Error Code:  41 [ PROCESSOR EXCEPTION ]",
                       "Error Subcode: 5333 (Processor exception)", "ExceptionCode   :C0000005\r\n",
                       "ExceptionInfo   :00000010\r\n", "Application: filho_erros.exe"};
    // A fault on another thread leaves its record and ends the program too.
    QTest::newRow("falha na linha da rede")
        << "falhaNaRede" << true << 0
        << QStringList{"Error Code:  41 [ PROCESSOR EXCEPTION ]",
                       "Error Subcode: 5333 (Processor exception)", "ExceptionCode   :C0000005\r\n",
                       "Application: filho_erros.exe"};
#else
    QTest::newRow("falha na linha da rede")
        << "falhaNaRede" << true << 0
        << QStringList{"Error Code:  41 [ PROCESSOR EXCEPTION ]", "ExceptionCode   :0000000B\r\n",
                       "escreveEmEnderecoInvalido", "Application: filho_erros"};
    // The signal and the address it reached.
    QTest::newRow("falha do processador")
        << "falha" << true << 0
        << QStringList{"Error Code:  41 [ PROCESSOR EXCEPTION ]",
                       "Error Subcode: 5333 (Processor exception)",
                       "ExceptionCode   :0000000B\r\n",
                       "ExceptionAddress:00000010\r\n",
                       "escreveEmEnderecoInvalido",
                       "Application: filho_erros"};
#endif
}

void Erros::filhoTerminaComoOErroDecide() {
    QFETCH(QString, modo);
    QFETCH(bool, falhou);
    QFETCH(int, codigo);
    QFETCH(QStringList, noLog);

    QProcess filho;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    // Under the sanitizers the fault must reach the program's own handler.
    ambiente.insert("ASAN_OPTIONS", "handle_segv=0:allow_user_segv_handler=1:detect_leaks=0");
    filho.setProcessEnvironment(ambiente);
    // Beside the test program where it is only named (a Windows build run under Wine).
    const QString programa = QDir::isAbsolutePath(FILHO_ERROS)
                                 ? QStringLiteral(FILHO_ERROS)
                                 : QCoreApplication::applicationDirPath() + "/" + FILHO_ERROS;
    filho.start(programa, {modo, QDir::toNativeSeparators(g_dir->path())});
    QVERIFY(filho.waitForFinished(60000));
    if (!falhou)
        QCOMPARE(filho.exitCode(), codigo);
    else // a crash, however the system reports it (Wine ends such a process with a small code)
        QVERIFY2(filho.exitStatus() == QProcess::CrashExit ||
                     (filho.exitCode() != 0 && filho.exitCode() != 104),
                 qPrintable(QString::number(filho.exitCode())));

    const QString log = DeCp1252(g_dir->ler("KZERROR.LOG"));
    QVERIFY(log.startsWith("***********************ERROR***"));
    QVERIFY(log.endsWith("--------------------\r\n"));
    for (const QString& trecho : noLog)
        QVERIFY2(log.contains(trecho), qPrintable(trecho + "\n" + log));
}

void Erros::gravacaoQueFalhaEUmErro() {
    // Where the program has no answer of its own, the failure is a write error the user may
    // retry or pass over; each attempt leaves its record in the log.
    DiretorioTeste dir;
    Caixas::setModoDeTeste(true);
    Caixas::responde(QStringLiteral("Operation: PutFileIni"), 2); // retry
    Caixas::responde(QStringLiteral("Operation: PutFileIni"), 1); // then pass it over
    const QString arquivo = dir.arquivo(QStringLiteral("falta/Config.ini"));
    QVERIFY(
        !GravaIni(QStringLiteral("Geral"), QStringLiteral("CNPJ"), QStringLiteral("1"), arquivo));
    const auto caixas = Caixas::mostradas();
    const QStringList pendentes = Caixas::respostasPendentes();
    Caixas::setModoDeTeste(false);
    QCOMPARE(pendentes, QStringList());
    QCOMPARE(caixas.size(), 2);
    QVERIFY(caixas[0].texto.startsWith("Error Code:  24 [ WRITE ERROR ]\r\nSubsystem: Profile\r\n"
                                       "Operation: PutFileIni\r\n"));
    // The box says why, in the supplier's words.
    const auto porque =
        PutFileIni(QStringLiteral("Geral"), QStringLiteral("CNPJ"), QStringLiteral("1"), arquivo);
    QVERIFY(!porque);
    QVERIFY2(caixas[0].texto.contains(janelas::textos::ConfiguracoesNaoGravadas +
                                      QStringLiteral(": ") + porque.falha().texto),
             qPrintable(caixas[0].texto));
    const QByteArray log = dir.ler(QStringLiteral("KZERROR.LOG"));
    QVERIFY(log.contains("Tries           :0\r\n"));
    QVERIFY(log.contains("Tries           :1\r\n"));
    QVERIFY(log.contains(QByteArray("FileName        :" + ParaCp1252(arquivo) + "\r\n")));

    // Once it can be written, nothing is shown.
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("falta")));
    Caixas::setModoDeTeste(true);
    QVERIFY(
        GravaIni(QStringLiteral("Geral"), QStringLiteral("CNPJ"), QStringLiteral("1"), arquivo));
    QVERIFY(Caixas::mostradas().isEmpty());
    Caixas::setModoDeTeste(false);
}
