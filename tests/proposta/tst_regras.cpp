// The answer without a window: its rules on a Proposta, its draft, its sending over a real FTP
// server with a scripted conversation.
#include "tests/proposta/tst_regras.h"

#include "banco/Recibos.h"
#include "formatos/Arquivos.h"
#include "nucleo/Ini.h"
#include "proposta/Envio.h"
#include "proposta/Importacao.h"
#include "proposta/PrecosDaTabela.h"
#include "proposta/Proposta.h"
#include "proposta/Rascunho.h"
#include "proposta/Textos.h"
#include "tests/proposta/Dados.h"
#include "tests/support/Certo.h"
#include "tests/support/DiretorioTeste.h"
#include "tests/support/ServidorFtpTeste.h"

#include <QCryptographicHash>
#include <QDir>
#include <QRandomGenerator>
#include <QSignalSpy>

using proposta::Alteracao;
using proposta::Campo;
using proposta::Proposta;

namespace {

formatos::Quantia preco(const QString& texto) {
    return formatos::Quantia::le(texto).value();
}

formatos::Cotacao tresProdutos() {
    formatos::Cotacao c;
    c.solicitante = "Mercado";
    c.produtos = {{"1001", "789", "AÇÚCAR 1KG", "120", "UN"},
                  {"1002", "788", "CAFÉ 500G", "48", "UN"},
                  {"1003", "", "PÃO FRANCÊS", "12,500", "KG"}};
    return c;
}

// A conversation that answers the questions in turn ("Sim" when none is left) and notes all.
struct Conversa : proposta::Interlocutor {
    QList<bool> respostas;
    bool internet = true;
    QStringList falado; // "?question", "!message", "...waiting"
    bool pergunta(const QString& texto, bool) override {
        falado << "?" + texto;
        return respostas.isEmpty() ? true : respostas.takeFirst();
    }
    void avisa(const QString& texto) override { falado << "!" + texto; }
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override {
        falado << "..." + texto;
        trabalho();
    }
    bool conectado() override { return internet; }
};

} // namespace

void RegrasDaProposta::init() {
    regionalBrasileiro();
}

void RegrasDaProposta::cleanup() {
    regionalC();
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

// Prices the amount rule refuses, as the answer on the server may hold them: each shown as it
// stands and counted as a price to correct, totalled and sent as zero, never as another number.
void RegrasDaProposta::precosQueNaoSaoValores() {
    formatos::Cotacao c = tresProdutos();
    c.produtos.append({"1004", "786", "SAL 1KG", "10", "UN"});
    Proposta p;
    p.inicia(c);
    formatos::Resposta r;
    r.precos = {"1.234,50", "1e5", "-5", "12345678901234"};
    p.carregaResposta(r);
    QCOMPARE(p.valor(0).numero(), "1234,50");
    QCOMPARE(p.precosRecusados(), 3);
    QVERIFY(!p.precoRecusado(0) && p.precoRecusado(1) && p.precoRecusado(2) && p.precoRecusado(3));
    QCOMPARE(p.preco(1), "1e5");
    QCOMPARE(formatos::ItensDePrecos(p.resposta()),
             (QStringList{"1234,50", "0,00", "0,00", "0,00"}));
    QCOMPARE(p.resumo(), "Cotados: 1 de 4  |  Total: 148.140,00  |  3 preços a corrigir");
    // Filling from known prices leaves a price to correct to the supplier.
    p.defineUltimosPrecos({{proposta::Identidade::de("788", "1002"), {preco("2,00"), {}}}});
    QVERIFY(p.preenchimentoPelosUltimos().isEmpty());
    p.define(1, Campo::Preco, "2");
    QCOMPARE(p.precosRecusados(), 2);
}

// Quantities from the server that are no quantity (10^300 twice, 10^400, negative) count as 0,
// with no overflow (the sanitizer build aborts on one), are told as the form opens, and go to a
// spreadsheet as the texts they are, never as "INF".
void RegrasDaProposta::quantidadesIlegiveis() {
    formatos::Cotacao c = tresProdutos();
    const QString enorme = "1" + QString(300, u'0');
    c.produtos[0].quantidade = enorme;
    c.produtos[1].quantidade = enorme;
    c.produtos[2].quantidade = "1" + QString(400, u'0');
    c.produtos.append({"1004", "786", "SAL 1KG", "-2", "UN"});
    c.produtos.append({"1005", "785", "ARROZ 5KG", "3", "UN"});
    Proposta p;
    p.inicia(c);
    QCOMPARE(p.quantidadesRecusadas(), (QList<int>{0, 1, 2, 3}));
    for (int i = 0; i < p.produtos(); ++i)
        p.define(i, Campo::Preco, "999999999,99");
    QCOMPARE(formatos::MostraCentavos(p.centavos()), "2.999.999.999,97");
    QCOMPARE(p.cotados(), 1);
    const QString aviso = proposta::AvisoDeQuantidades(p);
    QVERIFY(aviso.startsWith("4 produtos desta cotação têm uma quantidade"));
    QVERIFY(aviso.contains("SAL 1KG: \"-2\""));
    const proposta::Tabela t = proposta::TabelaDaProposta(p, QVariantList(7));
    QCOMPARE(t[3][3], QVariant(c.produtos[2].quantidade));
    QCOMPARE(t[5][3], QVariant(3.0));
}

namespace {} // namespace

// One identity everywhere: barcode and PLU together. A line with one code finds the product that
// code alone names; a code that names two products (a can and a box) names neither.
void RegrasDaProposta::identidades_data() {
    QTest::addColumn<QString>("barras");
    QTest::addColumn<QString>("plu");
    QTest::addColumn<QList<int>>("produtos");
    QTest::addColumn<int>("como");
    using C = proposta::Correspondencia;
    QTest::newRow("os dois códigos") << "789"
                                     << "1004" << QList<int>{3} << int(C::Identica);
    QTest::newRow("o código de barras de dois produtos") << "789"
                                                         << "" << QList<int>{} << int(C::Ambigua);
    QTest::newRow("um PLU que não é o daquele código de barras")
        << "789"
        << "1002" << QList<int>{} << int(C::Nenhuma);
    QTest::newRow("só o PLU, produto sem código de barras")
        << ""
        << "1003" << QList<int>{2} << int(C::Identica);
    QTest::newRow("só o PLU") << ""
                              << "1002" << QList<int>{1} << int(C::PorPlu);
    QTest::newRow("só o código de barras") << "788"
                                           << "" << QList<int>{1} << int(C::PorBarras);
    QTest::newRow("código de barras de nenhum produto")
        << "000"
        << "1002" << QList<int>{} << int(C::Nenhuma);
    QTest::newRow("brancos em volta") << " 788 "
                                      << " 1002 " << QList<int>{1} << int(C::Identica);
}

void RegrasDaProposta::identidades() {
    QFETCH(QString, barras);
    QFETCH(QString, plu);
    QFETCH(QList<int>, produtos);
    QFETCH(int, como);
    formatos::Cotacao c = tresProdutos();
    c.produtos.append({"1004", "789", "AÇÚCAR 5KG", "10", "UN"});
    Proposta p;
    p.inicia(c);
    const Proposta::Achados achados = p.localiza(proposta::Identidade::de(barras, plu));
    QCOMPARE(achados.produtos, produtos);
    QCOMPARE(int(achados.como), como);
    // The key kept in the database names the product back.
    for (int i = 0; i < p.produtos(); ++i)
        QCOMPARE(proposta::Identidade::daChave(p.chave(i)), p.identidade(i));
    QCOMPARE(p.chave(3), "789 PLU:1004");
    QCOMPARE(p.chave(2), "PLU:1003");
}

// Known prices: filling touches only unpriced products; a price ten times off the last one sent
// or the table's is named for a second look, the last one sent first.
void RegrasDaProposta::precosConhecidos() {
    Proposta p;
    p.inicia(tresProdutos());
    const QDate hoje = QDate::currentDate();
    using proposta::Identidade;
    p.defineUltimosPrecos({{Identidade::daChave("789 PLU:1001"), {preco("4,50"), hoje}},
                           {Identidade::daChave("PLU:1003"), {preco("9,00"), hoje}}});
    p.defineTabela({{Identidade::de("789", "1001"), {preco("5,00"), hoje}},
                    {Identidade::de("788", ""), {preco("20,00"), hoje}}});
    p.define(2, Campo::Preco, "8,00");
    QCOMPARE(p.preenchimentoPelosUltimos(), (QList<Alteracao>{{0, Campo::Preco, "0,00", "4,50"}}));
    QCOMPARE(p.preenchimentoPelaTabela(), (QList<Alteracao>{{0, Campo::Preco, "0,00", "5,00"},
                                                            {1, Campo::Preco, "0,00", "20,00"}}));
    QCOMPARE(int(p.achadoNaTabela(1)), int(proposta::Correspondencia::PorBarras));
    p.altera(p.preenchimentoPelaTabela());
    QVERIFY(p.saltos().isEmpty());
    p.define(0, Campo::Preco, "45,00"); // ten times the last one sent
    p.define(1, Campo::Preco, "2,00");  // a tenth of the table's
    p.define(2, Campo::Preco, "0,90");  // a tenth of the last one sent
    const QList<Proposta::Salto> saltos = p.saltos();
    QCOMPARE(saltos.size(), 3);
    QCOMPARE(saltos[0].daTabela, false);
    QCOMPARE(saltos[1].daTabela, true);
    QCOMPARE(saltos[1].referencia->preco, preco("20,00"));
    QCOMPARE(p.precosParaGuardar().size(), 3);
    QCOMPARE(p.precosParaGuardar()[2], (QPair<QString, QString>{"PLU:1003", "0,90"}));
}

// A can (PLU 21) and a box of twelve (PLU 22) share a barcode: each keeps its own last price and
// its own line of the price table, through the database; a price kept by an earlier version
// under the barcode alone is given to neither, and to the can when it is alone.
void RegrasDaProposta::mesmoCodigoDeBarras() {
    DiretorioTeste dir;
    banco::BancoLocal banco(dir.arquivo("c.db"));
    formatos::Cotacao c;
    c.produtos = {{"21", "7891000100103", "CERVEJA LATA", "24", "UN"},
                  {"22", "7891000100103", "CERVEJA CX 12", "2", "CX"},
                  {"31", "7892000000001", "SUCO", "6", "UN"}};
    Proposta enviada;
    enviada.inicia(c);
    enviada.altera({{0, Campo::Preco, {}, "7,10"}, {1, Campo::Preco, {}, "9,90"}});
    const banco::Recibo recibo{QDateTime::currentDateTime(), "1", kCNPJ, "1.cot", 1, "x"};
    QVERIFY(proposta::RegistraEnvio(banco, recibo, enviada.precosParaGuardar()));

    Proposta p;
    p.inicia(c);
    p.defineUltimosPrecos(teste::Certo(proposta::UltimosPrecosEnviados(banco, kNumero)));
    p.altera(p.preenchimentoPelosUltimos());
    QCOMPARE(p.resposta().precos, (QStringList{"7,10", "9,90", "0,00"}));

    // The table: a line for each packaging, and one by the barcode alone for the juice.
    proposta::PlanoDaTabela plano;
    plano.itens = {{"7891000100103", "22", "9,50", ""},
                   {"7891000100103", "21", "6,90", ""},
                   {"7892000000001", "", "3,00", ""}};
    QVERIFY(proposta::ImportaTabelaDePrecos(banco, plano, "t.csv"));
    p.inicia(c);
    const auto tabela = teste::Certo(proposta::LinhasDaTabela(banco, p));
    QVERIFY(tabela);
    p.defineTabela(tabela->precos);
    p.altera(p.preenchimentoPelaTabela());
    QCOMPARE(p.resposta().precos, (QStringList{"6,90", "9,50", "3,00"}));

    // Kept before products had both codes: the barcode alone named the two packagings at once.
    const banco::Recibo antigo{QDateTime::currentDateTime(), "2", kCNPJ, "2.cot", 1, "y"};
    QVERIFY(proposta::RegistraEnvio(banco, antigo,
                                    {{"7891000100103", "9,90"}, {"7892000000001", "3,20"}}));
    p.inicia(c);
    p.defineUltimosPrecos(
        teste::Certo(proposta::UltimosPrecosEnviados(banco, "1"))); // the new keys left out
    QVERIFY(!p.ultimoPreco(0) && !p.ultimoPreco(1));
    QCOMPARE(p.ultimoPreco(2)->preco, preco("3,20"));
    c.produtos.removeAt(1);
    p.inicia(c);
    p.defineUltimosPrecos(teste::Certo(proposta::UltimosPrecosEnviados(banco, "1")));
    QCOMPARE(p.ultimoPreco(0)->preco, preco("9,90"));
}

// The draft gets every change handed to it, and puts back only what belongs to each product,
// drafts kept under the older key (PLU and barcode) included.
void RegrasDaProposta::rascunho() {
    DiretorioTeste dir;
    banco::BancoLocal banco(dir.arquivo("r.db"));
    {
        Proposta p;
        p.inicia(tresProdutos());
        proposta::Rascunho r(&banco, kNumero, kCNPJ);
        r.acompanha(p);
        p.define(0, Campo::Preco, "3,50");
        p.define(2, Campo::Observacao, "fresco");
        p.defineTermo("MFormaPgto", "28");
        QVERIFY(r.guardaAgora());
    }
    teste::Certo(banco::Rascunhos(banco).guarda(
        kNumero, kCNPJ, {{"preco", 2, "1002\t788", "7,00", QDateTime::currentDateTime()}}));
    formatos::Cotacao outra = tresProdutos();
    outra.produtos[2].plu = "9999"; // the third row now holds another product
    Proposta p;
    p.inicia(outra);
    teste::Certo(proposta::Rascunho(&banco, kNumero, kCNPJ).recupera(p));
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
    teste::Certo(
        banco::Rascunhos(banco).guarda(kNumero, kCNPJ, {{"preco", 1, "789", "3,50", quando}}));
    proposta::Rascunho r(&banco, kNumero, kCNPJ);
    Proposta p;
    p.inicia(tresProdutos());
    QStringList perguntas;
    const bool feito =
        teste::Certo(r.oferece(p, quando.addSecs(envioDepois), [&](const QString& texto) {
            perguntas << texto;
            return resposta;
        }));
    QCOMPARE(feito, recuperado);
    QCOMPARE(perguntas.size(), perguntado ? 1 : 0);
    if (perguntado)
        QVERIFY(perguntas[0].contains(quando.time().toString("HH:mm")));
    QCOMPARE(p.valor(0).centavos(), recuperado ? 350 : 0);
    QCOMPARE(teste::Certo(r.alteradoEm()).has_value(), recuperado); // what was not taken is gone
}

void EnvioSemJanela::init() {
    regionalBrasileiro();
}

void EnvioSemJanela::cleanup() {
    regionalC();
}

// Each way a sending ends, told through the conversation: what reaches the server, what is
// recorded, and what the supplier hears, in order.
void EnvioSemJanela::desfechos_data() {
    QTest::addColumn<QString>("caso");
    QTest::addColumn<bool>("enviada");
    QTest::addColumn<QStringList>("falado");
    using namespace proposta::textos;
    QTest::newRow("enviada") << "ok" << true
                             << QStringList{"..." + Enviando, "!" + Enviada,
                                            "?" + PerguntaImprimir};
    QTest::newRow("sem internet") << "offline" << false << QStringList{};
    QTest::newRow("ilegível recusado")
        << "ilegivel" << false << QStringList{"?" + SubstituirIlegivel};
    QTest::newRow("servidor fora")
        << "servidor" << false << QStringList{"..." + Enviando, "!" + ErroEnvio};
    QTest::newRow("longa demais") << "longa" << false << QStringList{"!longa"};
    QTest::newRow("preço a corrigir")
        << "recusado" << false
        << QStringList{"?" +
                       PrecosRecusadosNoEnvio.arg(LinhaPrecoRecusado.arg("CAFÉ 500G", "1.234"))};
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
    if (caso == "recusado")
        p.define(1, Campo::Preco, "1.234");
    const QString nome = formatos::Arquivos::NomeResposta(kNumero, kCNPJ);
    using namespace remoto::Servidor;
    const proposta::DestinoDoEnvio destino{
        {caso == "servidor" ? "127.0.0.1:1" : servidor.endereco(),
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
    const auto anterior = caso == "ilegivel" ? proposta::RespostaAnterior::Origem::Ilegivel
                                             : proposta::RespostaAnterior::Origem::Nenhuma;
    const proposta::DesfechoDoEnvio d =
        proposta::Envia(p, destino, anterior, &banco, nullptr, conversa);
    QCOMPARE(d.enviada, enviada);
    QCOMPARE(d.imprimir, false);
    if (caso == "longa") {
        QCOMPARE(conversa.falado.size(), 1);
        QVERIFY(conversa.falado[0].startsWith("!A cotação não foi enviada: as observações"));
        conversa.falado[0] = "!longa";
    }
    QCOMPARE(conversa.falado, falado);
    const auto recibo = teste::Certo(banco::Recibos(banco).ultimo(kNumero, kCNPJ));
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
    QCOMPARE(recibo->total, p.centavos());
    QVERIFY(bytes.contains("ListaPrecosForn=[|4,50|][|0,00|][|0,00|]"));
    QString prazo;
    GetFileIni(formatos::Arquivos::Secao, formatos::Arquivos::Resposta::PrazoEntrega, "",
               dir.arquivo("Config.ini"), prazo);
    QCOMPARE(prazo, "30");
}
