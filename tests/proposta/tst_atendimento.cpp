// One quotation answered without its window: what opening it says, in which order, and what
// closing does, with a recorded conversation.
#include "tests/proposta/tst_atendimento.h"

#include "banco/BancoLocal.h"
#include "proposta/Atendimento.h"
#include "proposta/Textos.h"
#include "remoto/Textos.h"
#include "tests/proposta/Dados.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QDir>
#include <QRegularExpression>

using proposta::Atendimento;

namespace {

// Everything said, asked, waited for and shown, in order: "?question", "!message", "...waiting",
// "[" and "]" around the program's own filling, "=situation".
struct Conversa : proposta::ConversaDaAbertura {
    QList<bool> respostas; // in turn; "Sim" when none is left
    QStringList falado;
    bool pergunta(const QString& texto, bool) override {
        falado << "?" + texto;
        return respostas.isEmpty() ? true : respostas.takeFirst();
    }
    void avisa(const QString& texto) override { falado << "!" + texto; }
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override {
        falado << "..." + texto;
        trabalho();
    }
    bool conectado() override { return true; }
    void preenchendo(bool sim) override { falado << (sim ? "[" : "]"); }
    void mostraSituacao(const QString& texto) override { falado << "=" + texto; }
};

formatos::Cotacao comQuantidadeIlegivel() {
    formatos::Cotacao c;
    c.solicitante = "Mercado";
    c.produtos = {{"1001", "789", "AÇÚCAR 1KG", "doze", "UN"},
                  {"1002", "788", "CAFÉ 500G", "48", "UN"}};
    return c;
}

} // namespace

void Atendimentos::init() {
    regionalBrasileiro();
}

void Atendimentos::cleanup() {
    regionalC();
}

// The opening's words in the order the supplier meets them: the earlier answer looked for, then
// why drafts cannot be kept, then the quantities that cannot be read, then the situation; the
// program's own filling apart from what he types.
void Atendimentos::abertura() {
    DiretorioTeste programa;
    ServidorFtpTeste servidor;
    const QString arquivo = programa.arquivo("Cotacao.db");
    BancoDeOutraVersao(arquivo);
    banco::BancoLocal banco(arquivo);
    Conversa conversa;
    Atendimento atendimento(&banco);
    atendimento.abre(proposta::DestinoDe(servidor.endereco(), kNumero, kCNPJ),
                     comQuantidadeIlegivel(), conversa);
    atendimento.preencheDadosEnviados(conversa);
    QVERIFY(!atendimento.retoma(conversa));

    proposta::Proposta igual;
    igual.inicia(comQuantidadeIlegivel());
    const QString quantidades = proposta::AvisoDeQuantidades(igual);
    QVERIFY(!quantidades.isEmpty());
    using namespace proposta::textos;
    QCOMPARE(conversa.falado, (QStringList{"..." + remoto::textos::Conectando,
                                           "!" + RascunhosIndisponiveis.arg(BancoVersaoNova.arg(
                                                     QDir::toNativeSeparators(arquivo))),
                                           "!" + quantidades, "=", "[", "]"}));
    QCOMPARE(atendimento.proposta().cotacao().solicitante, "Mercado");
}

// Closing: nothing typed leaves; what is typed asks whether to send it first ("Não" leaves, the
// draft keeping it); a draft that cannot be kept asks once more, and the window stays unless the
// supplier says to leave anyway.
void Atendimentos::saida_data() {
    QTest::addColumn<bool>("guardaRascunho"); // the database takes drafts
    QTest::addColumn<bool>("modificado");
    QTest::addColumn<QList<bool>>("respostas");
    QTest::addColumn<int>("saida");
    QTest::addColumn<int>("perguntas");
    using S = Atendimento::Saida;
    QTest::newRow("nada digitado") << true << false << QList<bool>{} << int(S::Sai) << 0;
    QTest::newRow("não envia") << true << true << QList<bool>{false} << int(S::Sai) << 1;
    QTest::newRow("envia") << true << true << QList<bool>{true} << int(S::Envia) << 1;
    QTest::newRow("sem rascunho, fica")
        << false << true << QList<bool>{false, false} << int(S::Fica) << 2;
    QTest::newRow("sem rascunho, sai assim mesmo")
        << false << true << QList<bool>{false, true} << int(S::Sai) << 2;
    QTest::newRow("sem rascunho, nada digitado, fica")
        << false << false << QList<bool>{false} << int(S::Fica) << 1;
}

void Atendimentos::saida() {
    QFETCH(bool, guardaRascunho);
    QFETCH(bool, modificado);
    QFETCH(QList<bool>, respostas);
    QFETCH(int, saida);
    QFETCH(int, perguntas);
    DiretorioTeste programa;
    ServidorFtpTeste servidor;
    const QString arquivo = programa.arquivo("Cotacao.db");
    if (!guardaRascunho)
        BancoDeOutraVersao(arquivo);
    banco::BancoLocal banco(arquivo);
    Conversa conversa;
    Atendimento atendimento(&banco);
    atendimento.abre(proposta::DestinoDe(servidor.endereco(), kNumero, kCNPJ),
                     comQuantidadeIlegivel(), conversa);
    atendimento.preencheDadosEnviados(conversa);
    static_cast<void>(atendimento.retoma(conversa));
    atendimento.proposta().define(1, proposta::Campo::Preco, "2,50"); // pending in the draft
    conversa.falado.clear();
    conversa.respostas = respostas;

    QCOMPARE(int(atendimento.saida(modificado, conversa)), saida);
    const QStringList feitas = conversa.falado.filter(QRegularExpression("^\\?"));
    QCOMPARE(feitas.size(), perguntas);
    if (modificado)
        QCOMPARE(feitas[0], "?" + proposta::textos::PerguntaSair);
    if (!guardaRascunho)
        QVERIFY(
            feitas.last().startsWith("?" + inicio(proposta::textos::RascunhoNaoGuardadoAoSair)));
    QVERIFY(conversa.respostas.isEmpty());
}
