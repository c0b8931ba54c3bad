// The answer without a window: its rules on a Proposta, its draft, its sending over a real FTP
// server with a scripted conversation; and the product grid's model as Qt's checker sees it.
#include "tests/quotation/tst_proposta.h"

#include "quotation/core/Envio.h"
#include "quotation/core/Proposta.h"
#include "quotation/core/Rascunho.h"
#include "quotation/core/Textos.h"
#include "quotation/formats/Arquivos.h"
#include "runtime/core/Ini.h"
#include "store/Recibos.h"
#include "tests/quotation/Ambiente.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QSignalSpy>

using cotacao::Alteracao;
using cotacao::Campo;
using cotacao::Proposta;

namespace {

formatos::Cotacao tresProdutos() {
    formatos::Cotacao c;
    c.solicitante = "Mercado";
    c.produtos = {{"1001", "789", "AÇÚCAR 1KG", "120", "UN"},
                  {"1002", "788", "CAFÉ 500G", "48", "UN"},
                  {"1003", "", "PÃO FRANCÊS", "12,500", "KG"}};
    return c;
}

// A conversation that answers the questions in turn ("Sim" when none is left) and notes all.
struct Conversa : cotacao::Interlocutor {
    QList<bool> respostas;
    bool internet = true;
    QStringList falado; // "?question", "!message", "...waiting"
    bool pergunta(const QString& texto, bool) override {
        falado << "?" + texto;
        return respostas.isEmpty() ? true : respostas.takeFirst();
    }
    void avisa(const QString& texto) override { falado << "!" + texto; }
    void avisaGravacao(const QString& antes, nucleo::FalhaGravacao, const QString&) override {
        falado << "!gravação " + antes;
    }
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override {
        falado << "..." + texto;
        trabalho();
    }
    bool conectado() override { return internet; }
};

} // namespace

void RegrasDaProposta::init() {
    prepara();
}

void RegrasDaProposta::cleanup() {
    limpa();
}

// Typed prices in either convention give the same totals, the minimum order follows the total,
// and each change is told once with its real value before.
void RegrasDaProposta::totaisEMinimo_data() {
    QTest::addColumn<QStringList>("precos");
    QTest::addColumn<QString>("minimo");
    QTest::addColumn<QString>("resumo");
    QTest::newRow("nada cotado") << QStringList{"0,00", "0,00", "0,00"} << ""
                                 << "Cotados: 0 de 3  |  Total: 0,00";
    QTest::newRow("vírgula e ponto") << QStringList{"1,5", "2.25", "0,00"} << "0,00"
                                     << "Cotados: 2 de 3  |  Total: 288,00";
    QTest::newRow("quilo com três decimais")
        << QStringList{"0", "0", "8,9"} << "100"
        << "Cotados: 1 de 3  |  Total: 111,25  |  Pedido mínimo atingido";
    QTest::newRow("abaixo do mínimo") << QStringList{"1", "0", "0"} << "150,75"
                                      << "Cotados: 1 de 3  |  Total: 120,00  |  Abaixo do pedido "
                                         "mínimo (faltam 30,75)";
}

void RegrasDaProposta::totaisEMinimo() {
    QFETCH(QStringList, precos);
    QFETCH(QString, minimo);
    QFETCH(QString, resumo);
    Proposta p;
    p.inicia(tresProdutos());
    QSignalSpy alteradas(&p, &Proposta::alterada);
    QList<Alteracao> mudancas;
    for (int i = 0; i < 3; ++i)
        mudancas.append({i, Campo::Preco, "ignorado", precos[i]});
    mudancas.append({7, Campo::Preco, {}, "1,00"}); // beyond the last product
    const QList<Alteracao> feitas = p.altera(mudancas);
    for (const Alteracao& a : feitas)
        QCOMPARE(a.antes, "0,00");
    QCOMPARE(alteradas.size(), feitas.isEmpty() ? 0 : 1);
    p.defineTermo("MPedidoMinimo", minimo);
    QCOMPARE(p.resumo(), resumo);
    // The answer holds the texts as typed; the file gets their number texts.
    QCOMPARE(p.resposta().precos, precos);
}

void RegrasDaProposta::respostaAnteriorPorPosicao() {
    Proposta p;
    p.inicia(tresProdutos());
    formatos::Resposta r;
    r.precos = {"1,00", "2,00", "3,00", "4,00"};
    r.observacoes = {"a"};
    r.termos.prazoEntrega = "30";
    p.carregaResposta(r);
    QCOMPARE(p.resposta().precos, (QStringList{"1,00", "2,00", "3,00"}));
    QCOMPARE(p.resposta().observacoes, (QStringList{"a", "", ""}));
    QCOMPARE(p.termo("MPrazoEntrega"), "30");
    QVERIFY(!p.defineTermo("MNaoExiste", "x"));
}

// One product key everywhere: barcode, else PLU; a barcode shared by two products is told apart
// by the PLU.
void RegrasDaProposta::chavesEBusca() {
    formatos::Cotacao c = tresProdutos();
    c.produtos.append({"1004", "789", "AÇÚCAR 5KG", "10", "UN"});
    Proposta p;
    p.inicia(c);
    QCOMPARE(p.chave(0), "789");
    QCOMPARE(p.chave(2), "PLU:1003");
    QCOMPARE(p.localiza("789", ""), (QList<int>{0, 3}));
    QCOMPARE(p.localiza("789", "1004"), (QList<int>{3}));
    QCOMPARE(p.localiza("", "1003"), (QList<int>{2}));
    QCOMPARE(p.localiza("000", "1002"), (QList<int>{1}));
    QCOMPARE(p.localiza("000", ""), (QList<int>{}));
}

// Known prices: filling touches only unpriced products; a price ten times off the last one sent
// or the table's is named for a second look, the last one sent first.
void RegrasDaProposta::precosConhecidos() {
    Proposta p;
    p.inicia(tresProdutos());
    const QDate hoje = QDate::currentDate();
    p.defineUltimosPrecos({{"789", {"4,50", hoje}}, {"PLU:1003", {"9,00", hoje}}});
    p.defineTabela({{"5,00", hoje}, {"20,00", hoje}, {}});
    p.define(2, Campo::Preco, "8,00");
    QCOMPARE(p.preenchimentoPelosUltimos(), (QList<Alteracao>{{0, Campo::Preco, "0,00", "4,50"}}));
    QCOMPARE(p.preenchimentoPelaTabela(), (QList<Alteracao>{{0, Campo::Preco, "0,00", "5,00"},
                                                            {1, Campo::Preco, "0,00", "20,00"}}));
    p.altera(p.preenchimentoPelaTabela());
    QVERIFY(p.saltos().isEmpty());
    p.define(0, Campo::Preco, "45,00"); // ten times the last one sent
    p.define(1, Campo::Preco, "2,00");  // a tenth of the table's
    p.define(2, Campo::Preco, "0,90");  // a tenth of the last one sent
    const QList<Proposta::Salto> saltos = p.saltos();
    QCOMPARE(saltos.size(), 3);
    QCOMPARE(saltos[0].daTabela, false);
    QCOMPARE(saltos[1].daTabela, true);
    QCOMPARE(saltos[1].referencia->preco, "20,00");
    QCOMPARE(p.precosParaGuardar().size(), 3);
    QCOMPARE(p.precosParaGuardar()[2], (QPair<QString, QString>{"PLU:1003", "0,90"}));
}

// The draft gets every change handed to it, and puts back only what belongs to each product,
// drafts kept under the older key (PLU and barcode) included.
void RegrasDaProposta::rascunho() {
    DiretorioTeste dir;
    banco::BancoLocal banco(dir.arquivo("r.db"));
    {
        Proposta p;
        p.inicia(tresProdutos());
        cotacao::Rascunho r(&banco, kNumero, kCNPJ);
        r.acompanha(p);
        p.define(0, Campo::Preco, "3,50");
        p.define(2, Campo::Observacao, "fresco");
        p.defineTermo("MFormaPgto", "28");
        QVERIFY(r.guardaAgora());
    }
    banco::Rascunhos(banco).guarda(
        kNumero, kCNPJ, {{"preco", 2, "1002\t788", "7,00", QDateTime::currentDateTime()}});
    formatos::Cotacao outra = tresProdutos();
    outra.produtos[2].plu = "9999"; // the third row now holds another product
    Proposta p;
    p.inicia(outra);
    cotacao::Rascunho(&banco, kNumero, kCNPJ).recupera(p);
    QCOMPARE(p.resposta().precos, (QStringList{"3,50", "7,00", "0,00"}));
    QCOMPARE(p.observacao(2), "");
    QCOMPARE(p.termo("MFormaPgto"), "28");
}

// As the form opens, a draft is offered only when it is newer than the last sending from here;
// the supplier's "Não" drops it, as does a sending made after it.
void RegrasDaProposta::rascunhoOferecido_data() {
    QTest::addColumn<int>("envioDepois"); // seconds from the draft to the last sending
    QTest::addColumn<bool>("resposta");
    QTest::addColumn<bool>("perguntado");
    QTest::addColumn<bool>("recuperado");
    QTest::newRow("Sim") << -60 << true << true << true;
    QTest::newRow("Não") << -60 << false << true << false;
    QTest::newRow("enviado depois do rascunho") << 60 << true << false << false;
    QTest::newRow("enviado no mesmo instante") << 0 << true << false << false;
}

void RegrasDaProposta::rascunhoOferecido() {
    QFETCH(int, envioDepois);
    QFETCH(bool, resposta);
    QFETCH(bool, perguntado);
    QFETCH(bool, recuperado);
    DiretorioTeste dir;
    banco::BancoLocal banco(dir.arquivo("r.db"));
    const QDateTime quando = QDateTime::currentDateTime().addSecs(-600);
    banco::Rascunhos(banco).guarda(kNumero, kCNPJ, {{"preco", 1, "789", "3,50", quando}});
    cotacao::Rascunho r(&banco, kNumero, kCNPJ);
    Proposta p;
    p.inicia(tresProdutos());
    QStringList perguntas;
    const bool feito = r.oferece(p, quando.addSecs(envioDepois), [&](const QString& texto) {
        perguntas << texto;
        return resposta;
    });
    QCOMPARE(feito, recuperado);
    QCOMPARE(perguntas.size(), perguntado ? 1 : 0);
    if (perguntado)
        QVERIFY(perguntas[0].contains(quando.time().toString("HH:mm")));
    QCOMPARE(p.valor(0), recuperado ? 3.5 : 0.0);
    QCOMPARE(r.alteradoEm().has_value(), recuperado); // what was not taken is gone
}

void EnvioSemJanela::init() {
    prepara();
}

void EnvioSemJanela::cleanup() {
    limpa();
}

// Each way a sending ends, told through the conversation: what reaches the server, what is
// recorded, and what the supplier hears, in order.
void EnvioSemJanela::desfechos_data() {
    QTest::addColumn<QString>("caso");
    QTest::addColumn<bool>("enviada");
    QTest::addColumn<QStringList>("falado");
    using namespace cotacao::textos;
    QTest::newRow("enviada") << "ok" << true
                             << QStringList{"..." + Enviando, "!" + Enviada,
                                            "?" + PerguntaImprimir};
    QTest::newRow("sem internet") << "offline" << false << QStringList{};
    QTest::newRow("ilegível recusado")
        << "ilegivel" << false << QStringList{"?" + SubstituirIlegivel};
    QTest::newRow("servidor fora")
        << "servidor" << false << QStringList{"..." + Enviando, "!" + ErroEnvio};
    QTest::newRow("longa demais") << "longa" << false << QStringList{"!longa"};
}

void EnvioSemJanela::desfechos() {
    QFETCH(QString, caso);
    QFETCH(bool, enviada);
    QFETCH(QStringList, falado);
    ServidorFtpTeste servidor;
    DiretorioTeste dir;
    banco::BancoLocal banco(dir.arquivo("c.db"));
    Proposta p;
    p.inicia(tresProdutos());
    p.define(0, Campo::Preco, "4,5");
    p.defineTermo("MPrazoEntrega", "30");
    if (caso == "longa")
        p.define(1, Campo::Observacao, QString(nucleo::kLimiteValorIni + 1, u'x'));
    const QString nome = formatos::Arquivos::NomeResposta(kNumero, kCNPJ);
    using namespace remoto::Servidor;
    const cotacao::DestinoDoEnvio destino{{caso == "servidor" ? "127.0.0.1:1" : servidor.endereco(),
                                           Usuario,
                                           Senha,
                                           Diretorio,
                                           nome,
                                           dir.arquivo(nome),
                                           {}},
                                          dir.arquivo("Config.ini"),
                                          kNumero,
                                          kCNPJ};
    Conversa conversa;
    conversa.internet = caso != "offline";
    conversa.respostas = {false};
    const auto anterior = caso == "ilegivel" ? cotacao::RespostaAnterior::Origem::Ilegivel
                                             : cotacao::RespostaAnterior::Origem::Nenhuma;
    const cotacao::DesfechoDoEnvio d =
        cotacao::Envia(p, destino, anterior, &banco, nullptr, conversa);
    QCOMPARE(d.enviada, enviada);
    QCOMPARE(d.imprimir, false);
    if (caso == "longa") {
        QCOMPARE(conversa.falado.size(), 1);
        QVERIFY(conversa.falado[0].startsWith("!A cotação não foi enviada: as observações"));
        conversa.falado[0] = "!longa";
    }
    QCOMPARE(conversa.falado, falado);
    const auto recibo = banco::Recibos(banco).ultimo(kNumero, kCNPJ);
    QCOMPARE(recibo.has_value(), enviada);
    QCOMPARE(servidor.existe(nome), enviada);
    if (!enviada)
        return;
    // The server holds the bytes of the receipt, and the terms are kept for the next quotation.
    const QByteArray bytes = servidor.conteudo(nome);
    QCOMPARE(recibo->sha256, QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
    // With the figures the list of answers shows: 4,50 x 120.
    QCOMPARE(recibo->solicitante, "Mercado");
    QCOMPARE(recibo->cotados, 1);
    QCOMPARE(recibo->produtos, 3);
    QCOMPARE(recibo->total, 54000);
    QVERIFY(bytes.contains("ListaPrecosForn=[|4,50|][|0,00|][|0,00|]"));
    QString prazo;
    GetFileIni(formatos::Arquivos::Secao, formatos::Arquivos::Resposta::PrazoEntrega, "",
               dir.arquivo("Config.ini"), prazo);
    QCOMPARE(prazo, "30");
}

void ModeloDaGrade::init() {
    prepara();
}

void ModeloDaGrade::cleanup() {
    limpa();
}

// Qt's own checker watches the product grid's model while the supplier types, pastes, imports,
// undoes and the program fills it: every signal and index stays consistent, and the grid shows
// what the answer holds.
void ModeloDaGrade::consistente() {
    Ambiente a;
    FormCotacao& f = a.abrir();
    QAbstractItemModelTester verificador(a.grade()->model(),
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    a.digitarNaCelula(1, 6, "2,5");
    a.digitarNaCelula(2, 7, "moido");
    QGuiApplication::clipboard()->setText("7\tx\n8\ty\n");
    a.grade()->setCurrentIndex(a.grade()->model()->index(1, 6));
    a.comando("C&olar");
    a.comando("&Desfazer");
    a.comando("&Refazer");
    f.MListaProdutos.Cell(3, 6).Text("9,90"); // through the automation layer
    const formatos::Resposta r = f.proposta().resposta();
    QCOMPARE(r.precos, (QStringList{"2,5", "7", "9,90"}));
    QCOMPARE(r.observacoes, (QStringList{"", "x", "y"}));
    for (int linha = 1; linha <= 3; ++linha) {
        QCOMPARE(a.celula(linha, 6), r.precos[linha - 1]);
        QCOMPARE(a.celula(linha, 7), r.observacoes[linha - 1]);
    }
    a.comando("&Desfazer");
    QCOMPARE(f.proposta().preco(2), "8");
    QCOMPARE(a.celula(3, 6), "8");
}
