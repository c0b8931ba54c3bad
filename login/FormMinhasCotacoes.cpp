#include "login/FormMinhasCotacoes.h"

#include "formatos/Arquivos.h"
#include "formatos/Quantia.h"
#include "janelas/Formato.h"
#include "login/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/Ini.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"
#include "nucleo/Textos.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

using namespace formatos;
using namespace nucleo;

using namespace acesso;

namespace login {

namespace {

QString dataEHora(const QDateTime& quando) {
    return DateToText(quando.date()) + u' ' + TimeToText(quando.time());
}

// Keeps the lines whose number or requester holds the text typed.
class FiltroDeRespostas : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void defineTexto(const QString& texto) {
        m_texto = texto.trimmed();
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int linha, const QModelIndex&) const override {
        if (m_texto.isEmpty())
            return true;
        const auto& r = static_cast<const ModeloMinhasCotacoes*>(sourceModel())->resposta(linha);
        return r.cotacao.contains(m_texto) || r.solicitante.contains(m_texto, Qt::CaseInsensitive);
    }

private:
    QString m_texto;
};

} // namespace

ModeloMinhasCotacoes::ModeloMinhasCotacoes(QList<RespostaListada> respostas, QObject* pai)
    : QAbstractTableModel(pai)
    , m_respostas(std::move(respostas)) {
    using namespace textos;
    m_textos.reserve(m_respostas.size());
    for (const RespostaListada& r : m_respostas) {
        std::array<QString, Colunas> t;
        t[Quando] = dataEHora(r.quando);
        t[Cotacao] = r.cotacao;
        t[Solicitante] = r.solicitante.isEmpty() ? Desconhecido : r.solicitante;
        if (r.recibo && r.recibo->conhecido()) {
            t[Cotados] = CotadosDeTotal.arg(ComMilhares(r.recibo->cotados, 0),
                                            ComMilhares(r.recibo->produtos, 0));
            t[Total] = formatos::MostraCentavos(r.recibo->total);
        } else {
            t[Cotados] = Desconhecido;
            t[Total] = Desconhecido;
        }
        t[Situacao] = r.rascunho() ? Rascunho : Enviada;
        m_textos.append(std::move(t));
    }
}

int ModeloMinhasCotacoes::rowCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : int(m_respostas.size());
}

int ModeloMinhasCotacoes::columnCount(const QModelIndex& pai) const {
    return pai.isValid() ? 0 : Colunas;
}

QVariant ModeloMinhasCotacoes::data(const QModelIndex& indice, int papel) const {
    if (!indice.isValid() || indice.row() >= m_textos.size())
        return {};
    switch (papel) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_textos[indice.row()][indice.column()];
    case Qt::TextAlignmentRole:
        return indice.column() == Cotados || indice.column() == Total
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ModeloMinhasCotacoes::headerData(int secao, Qt::Orientation orientacao, int papel) const {
    using namespace textos;
    if (orientacao != Qt::Horizontal || papel != Qt::DisplayRole)
        return {};
    switch (secao) {
    case Quando:
        return ColunaQuando;
    case Cotacao:
        return ColunaCotacao;
    case Solicitante:
        return ColunaSolicitante;
    case Cotados:
        return ColunaCotados;
    case Total:
        return ColunaTotal;
    case Situacao:
        return ColunaSituacao;
    default:
        return {};
    }
}

namespace {

QPushButton* botao(QWidget* pai, const char* nome, const QString& texto, const QString& ajuda) {
    auto* b = new QPushButton(texto, pai);
    b->setObjectName(QString::fromLatin1(nome));
    b->setAccessibleName(QString(texto).remove(u'&'));
    b->setStatusTip(ajuda);
    b->setToolTip(ajuda);
    // Enter belongs to the list: no button takes it.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

FormMinhasCotacoes::FormMinhasCotacoes(QWidget* dono, banco::BancoLocal& banco, Escolhe escolhe,
                                       ImprimeResposta imprime)
    : DataDialog(dono)
    , m_escolhe(std::move(escolhe))
    , m_imprime(std::move(imprime)) {
    using namespace textos;
    setObjectName(QStringLiteral("ListaMinhasCotacoes"));
    setWindowTitle(TituloMinhasCotacoes);
    setWindowModality(Qt::ApplicationModal);

    auto lidas = RespostasDoComputador(banco);
    const QString erro = lidas ? QString() : nucleo::Diz(lidas.falha());
    QList<RespostaListada> respostas = lidas ? std::move(*lidas) : QList<RespostaListada>();
    const bool vazia = respostas.isEmpty();
    m_modelo = new ModeloMinhasCotacoes(std::move(respostas), this);
    auto* filtro = new FiltroDeRespostas(this);
    filtro->setSourceModel(m_modelo);
    m_filtro = filtro;

    auto* rotulo = new QLabel(Filtrar, this);
    m_campoFiltro = new QLineEdit(this);
    m_campoFiltro->setObjectName(QStringLiteral("Filtro"));
    m_campoFiltro->setPlaceholderText(DicaFiltro);
    m_campoFiltro->setAccessibleName(NomeFiltro);
    m_campoFiltro->setClearButtonEnabled(true);
    rotulo->setBuddy(m_campoFiltro);

    m_tabela = new QTableView(this);
    m_tabela->setObjectName(QStringLiteral("Lista"));
    m_tabela->setAccessibleName(NomeLista);
    m_tabela->setModel(m_filtro);
    m_tabela->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabela->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabela->setAlternatingRowColors(true);
    m_tabela->setWordWrap(false);
    m_tabela->verticalHeader()->hide();
    // Every line the same height, the columns sized by samples: nothing is measured line by
    // line, so a long list opens at once.
    m_tabela->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tabela->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    const auto largura = [this](const QString& amostra) {
        return fontMetrics().horizontalAdvance(amostra) + 16;
    };
    auto* cabecalho = m_tabela->horizontalHeader();
    cabecalho->resizeSection(ModeloMinhasCotacoes::Quando,
                             largura(QStringLiteral("00/00/0000 00:00:00")));
    cabecalho->resizeSection(ModeloMinhasCotacoes::Cotacao,
                             largura(QStringLiteral("0000000000000000")));
    cabecalho->resizeSection(ModeloMinhasCotacoes::Solicitante, largura(QString(24, u'M')) / 2);
    cabecalho->resizeSection(ModeloMinhasCotacoes::Cotados,
                             largura(QStringLiteral("00.000 de 00.000")));
    cabecalho->resizeSection(ModeloMinhasCotacoes::Total,
                             largura(QStringLiteral("000.000.000,00")));
    cabecalho->setSectionResizeMode(ModeloMinhasCotacoes::Solicitante, QHeaderView::Stretch);
    cabecalho->resizeSection(ModeloMinhasCotacoes::Situacao, largura(Rascunho));

    m_aviso = new QLabel(this);
    m_aviso->setTextFormat(Qt::PlainText);
    m_aviso->setObjectName(QStringLiteral("Aviso"));
    m_aviso->setWordWrap(true);
    if (!erro.isEmpty())
        m_aviso->setText(RespostasIlegiveis.arg(erro));
    else if (vazia)
        m_aviso->setText(NenhumaResposta);
    m_aviso->setVisible(!m_aviso->text().isEmpty());

    m_usar = botao(this, "Usar", BotaoUsar, AjudaUsar);
    m_imprimir = botao(this, "Imprimir", BotaoImprimir, AjudaImprimirResposta);
    m_imprimir->setShortcut(QKeySequence::Print);
    m_imprimir->setVisible(static_cast<bool>(m_imprime));
    m_fechar = botao(this, "Fechar", BotaoFechar, AjudaFechar);

    auto* linhaFiltro = new QHBoxLayout;
    linhaFiltro->addWidget(rotulo);
    linhaFiltro->addWidget(m_campoFiltro, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(m_usar);
    botoes->addWidget(m_imprimir);
    botoes->addWidget(m_fechar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(linhaFiltro);
    layout->addWidget(m_tabela, 1);
    layout->addWidget(m_aviso);
    layout->addLayout(botoes);
    resize(largura(QString(96, u'0')), 420);
    janelas::CabeNaTela(this); // on a small screen, or at a large scale, no wider than it

    QObject::connect(m_campoFiltro, &QLineEdit::textChanged, this,
                     [this](const QString& texto) { filtra(texto); });
    // Enter in the filter takes the line chosen in the list.
    QObject::connect(m_campoFiltro, &QLineEdit::returnPressed, this, [this] { Usar(); });
    QObject::connect(m_tabela, &QAbstractItemView::doubleClicked, this, [this] { Usar(); });
    for (const int tecla : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        auto* atalho = new QShortcut(QKeySequence(tecla), m_tabela);
        atalho->setContext(Qt::WidgetShortcut);
        QObject::connect(atalho, &QShortcut::activated, this, [this] { Usar(); });
    }
    QObject::connect(m_tabela->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                     [this] { atualizaBotoes(); });
    QObject::connect(m_usar, &QPushButton::clicked, this, [this] { Usar(); });
    QObject::connect(m_imprimir, &QPushButton::clicked, this, [this] { Imprimir(); });
    QObject::connect(m_fechar, &QPushButton::clicked, this, [this] { EndWindow(); });

    filtra(QString());
    m_campoFiltro->setFocus();
}

void FormMinhasCotacoes::filtra(const QString& texto) {
    static_cast<FiltroDeRespostas*>(m_filtro)->defineTexto(texto);
    // The first line left is the one Enter takes.
    if (m_filtro->rowCount() > 0)
        m_tabela->setCurrentIndex(m_filtro->index(0, 0));
    atualizaBotoes();
}

std::optional<RespostaListada> FormMinhasCotacoes::atual() const {
    const QModelIndex indice = m_tabela->currentIndex();
    if (!indice.isValid())
        return std::nullopt;
    return m_modelo->resposta(m_filtro->mapToSource(indice).row());
}

void FormMinhasCotacoes::atualizaBotoes() {
    const auto r = atual();
    m_usar->setEnabled(r.has_value());
    m_imprimir->setEnabled(r && !r->rascunho());
}

void FormMinhasCotacoes::Usar() {
    const auto r = atual();
    if (!r)
        return;
    if (m_escolhe)
        m_escolhe(r->cotacao);
    EndWindow();
}

void FormMinhasCotacoes::Imprimir() {
    const auto r = atual();
    if (!m_imprime || !r || r->rascunho())
        return;
    // What is printed is what was checked: the file is not read again.
    const auto copia = ConfereCopia(*r->recibo);
    if (copia)
        m_imprime(*r->recibo, *copia);
    else
        WarningMessage(nucleo::Diz(copia.falha()));
}

} // namespace login
