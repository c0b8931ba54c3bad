#include "grade/ImpressaoGrade.h"

#include "grade/ControleGrade.h"
#include "grade/Textos.h"
#include "janelas/Aparencia.h"
#include "janelas/Caixas.h"
#include "janelas/EscolhaDeArquivo.h"
#include "janelas/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/Gravacao.h"
#include "nucleo/Regional.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QScreen>
#include <QToolBar>

using namespace janelas;

namespace grade {

namespace {

// Everything is drawn in units of 1/96 inch, the unit of the grid's column widths.
constexpr double kUnidadesPorPolegada = 96.0;

QFont fonteEmUnidades(const QString& nome, double pontos, bool negrito) {
    QFont f = Fonte(nome, 10, negrito);
    f.setPixelSize(std::max(1, qRound(pontos * kUnidadesPorPolegada / 72.0)));
    return f;
}

QFont fonteDaCelula(const Celula& c) {
    QFont f = fonteEmUnidades(QStringLiteral("Arial"), 8, c.negrito);
    f.setUnderline(c.sublinhado);
    return f;
}

struct Geometria {
    QRectF pagina;        // the printable area, in units
    double escalaColunas; // columns narrowed to fit the page width
    double alturaLinha;
    double alturaTitulos; // the titles' block on the first page
    double alturaRodape;
};

void configura(QPagedPaintDevice& d, const ConfigPagina& p) {
    const auto mm = [](float cm) { return double(cm) * 10.0; };
    QPageLayout layout(QPageSize(QPageSize::A4),
                       p.orientacao == 2 ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(mm(p.margemEsquerda), mm(p.margemSuperior), mm(p.margemDireita),
                                 mm(p.margemInferior)),
                       QPageLayout::Millimeter);
    d.setPageLayout(layout);
}

Geometria geometria(const DadosGrade& dados, const Relatorio& r, QPagedPaintDevice& d) {
    Geometria g;
    const QRectF polegadas = d.pageLayout().paintRect(QPageLayout::Inch);
    g.pagina = QRectF(0, 0, polegadas.width() * kUnidadesPorPolegada,
                      polegadas.height() * kUnidadesPorPolegada);
    double largura = 0;
    for (int c = 0; c < dados.colunas(); ++c)
        largura += std::max(dados.coluna(c).largura, 0);
    g.escalaColunas = largura > g.pagina.width() ? g.pagina.width() / largura : 1.0;
    g.alturaLinha = QFontMetricsF(fonteEmUnidades(QStringLiteral("Arial"), 8, false)).height() + 6;
    g.alturaTitulos = 0;
    for (const TituloRelatorio& t : r.titulos)
        g.alturaTitulos +=
            QFontMetricsF(fonteEmUnidades(t.fonte.nome, t.fonte.tamanho, t.fonte.negrito)).height();
    g.alturaRodape = QFontMetricsF(fonteEmUnidades(QStringLiteral("Arial"), 8, false)).height() +
                     double(r.pagina.margemRodape) / 2.54 * kUnidadesPorPolegada / 2;
    return g;
}

QList<QList<int>> paginas(const DadosGrade& dados, const Geometria& g) {
    QList<QList<int>> resultado{{}};
    double livre = g.pagina.height() - g.alturaTitulos - g.alturaRodape - g.alturaLinha;
    for (int linha = 1; linha < dados.linhas(); ++linha) {
        if (livre < g.alturaLinha && !resultado.last().isEmpty()) {
            resultado.append(QList<int>());
            livre = g.pagina.height() - g.alturaRodape - g.alturaLinha;
        }
        resultado.last().append(linha);
        livre -= g.alturaLinha;
    }
    return resultado;
}

void desenhaLinha(QPainter& p, const DadosGrade& dados, int linha, double y, const Geometria& g) {
    double x = 0;
    for (int c = 0; c < dados.colunas(); ++c) {
        const double largura = std::max(dados.coluna(c).largura, 0) * g.escalaColunas;
        const Mesclagem* m = dados.mesclagemDe(linha, c);
        if (largura <= 0 || (m && m->coluna1 != c)) {
            x += largura;
            continue;
        }
        double larguraTotal = largura;
        if (m)
            for (int o = c + 1; o <= m->coluna2; ++o)
                larguraTotal += std::max(dados.coluna(o).largura, 0) * g.escalaColunas;
        const QRectF caixa(x, y, larguraTotal, g.alturaLinha);
        const Celula& celula = dados.celula(linha, c);
        if (celula.fundo.isValid())
            p.fillRect(caixa, celula.fundo);
        p.setPen(QPen(QColor(190, 190, 190), 0));
        p.drawRect(caixa);
        const QString texto = dados.textoMostrado(linha, c);
        const bool numero = dados.numerica(linha, c);
        const int a = dados.alinhamento(linha, c);
        Qt::Alignment h = (a & 0xC) == 8    ? Qt::AlignHCenter
                          : (a & 0xC) == 12 ? Qt::AlignRight
                          : (a & 0xC) == 4  ? Qt::AlignLeft
                          : numero          ? Qt::AlignRight
                                            : Qt::AlignLeft;
        p.setPen(Qt::black);
        p.setFont(fonteDaCelula(celula));
        p.drawText(caixa.adjusted(3, 0, -3, 0), int(h | Qt::AlignVCenter), texto);
        x += larguraTotal;
        if (m)
            c = m->coluna2;
    }
}

void desenhaTitulos(QPainter& p, const Relatorio& r, const Geometria& g, double& y) {
    for (const TituloRelatorio& t : r.titulos) {
        const QFont fonte = fonteEmUnidades(t.fonte.nome, t.fonte.tamanho, t.fonte.negrito);
        const double altura = QFontMetricsF(fonte).height();
        p.setFont(fonte);
        p.setPen(Qt::black);
        const QRectF faixa(0, y, g.pagina.width(), altura);
        const QStringList partes = PartesDoTitulo(t.texto);
        if (partes.size() > 1) {
            const Qt::Alignment lugares[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
            for (int i = 0; i < partes.size(); ++i)
                p.drawText(faixa, int(lugares[i] | Qt::AlignVCenter), partes[i]);
        } else {
            p.drawText(faixa, Qt::AlignHCenter | Qt::AlignVCenter, t.texto);
        }
        y += altura;
    }
}

} // namespace

QStringList PartesDoTitulo(const QString& titulo) {
    const qsizetype ultima = titulo.lastIndexOf(u'|');
    if (ultima < 0)
        return {titulo};
    const qsizetype penultima = ultima > 0 ? titulo.lastIndexOf(u'|', ultima - 1) : -1;
    if (penultima < 0)
        return {titulo.left(ultima), titulo.mid(ultima + 1)};
    return {titulo.left(penultima), titulo.mid(penultima + 1, ultima - penultima - 1),
            titulo.mid(ultima + 1)};
}

QString RodapeDaPagina(const QString& rodape, int pagina, int paginas) {
    QString texto = rodape;
    texto.replace(QStringLiteral("&p"), QString::number(pagina));
    texto.replace(QStringLiteral("&n"), QString::number(paginas));
    return texto;
}

QList<QList<int>> PaginasDoRelatorio(const DadosGrade& dados, const Relatorio& relatorio,
                                     QPagedPaintDevice& dispositivo) {
    configura(dispositivo, relatorio.pagina);
    return paginas(dados, geometria(dados, relatorio, dispositivo));
}

void ImprimeRelatorio(const DadosGrade& dados, const Relatorio& relatorio,
                      QPagedPaintDevice& dispositivo) {
    configura(dispositivo, relatorio.pagina);
    const Geometria g = geometria(dados, relatorio, dispositivo);
    const QList<QList<int>> porPagina = paginas(dados, g);
    QPainter p(&dispositivo);
    const double escala = dispositivo.logicalDpiX() / kUnidadesPorPolegada;
    p.scale(escala, escala);
    for (int i = 0; i < porPagina.size(); ++i) {
        if (i > 0)
            dispositivo.newPage();
        double y = 0;
        if (i == 0)
            desenhaTitulos(p, relatorio, g, y);
        desenhaLinha(p, dados, 0, y, g);
        y += g.alturaLinha;
        for (int linha : porPagina[i]) {
            desenhaLinha(p, dados, linha, y, g);
            y += g.alturaLinha;
        }
        const double topoRodape = g.pagina.height() - g.alturaRodape;
        if (relatorio.pagina.estiloLinhaRodape != 0) {
            p.setPen(QPen(Qt::black, 0));
            p.drawLine(QPointF(0, topoRodape), QPointF(g.pagina.width(), topoRodape));
        }
        p.setFont(fonteEmUnidades(QStringLiteral("Arial"), 8, false));
        p.drawText(QRectF(0, topoRodape, g.pagina.width(), g.alturaRodape),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   RodapeDaPagina(relatorio.pagina.rodape, i + 1, int(porPagina.size())));
    }
}

nucleo::Resultado<void> SalvaPdfDoRelatorio(const DadosGrade& dados, const Relatorio& relatorio,
                                            const QString& arquivo) {
    QSaveFile saida(arquivo);
    if (!saida.open(QIODevice::WriteOnly))
        return nucleo::DiagnosticaFalha(QFileInfo(arquivo).absolutePath(), 0);
    {
        QPdfWriter pdf(&saida);
        pdf.setResolution(int(kUnidadesPorPolegada));
        pdf.setTitle(textos::TituloPdf.arg(relatorio.nomeDocumento));
        pdf.setCreator(textos::CriadorPdf);
        ImprimeRelatorio(dados, relatorio, pdf);
    }
    return nucleo::ConcluiGravacao(saida);
}

void VisualizaRelatorio(ControleGrade& grade, int zoom) {
    const DadosGrade& dados = grade.modelo()->dados();
    const Relatorio& relatorio = grade.relatorio();
    Caixas::pergunta(textos::VisualizarImpressao, relatorio.nomeDocumento, 0, [&] {
        QPrinter impressora(QPrinter::HighResolution);
        impressora.setDocName(relatorio.nomeDocumento);
        configura(impressora, relatorio.pagina);
        QPrintPreviewDialog previa(&impressora, grade.window());
        previa.setWindowTitle(textos::VisualizarImpressao);
        QObject::connect(&previa, &QPrintPreviewDialog::paintRequested, &previa,
                         [&](QPrinter* p) { ImprimeRelatorio(dados, relatorio, *p); });
        if (auto* barra = previa.findChild<QToolBar*>()) {
            barra->addSeparator();
            QAction* pdf = barra->addAction(textos::SalvarPdf);
            pdf->setObjectName(QStringLiteral("SalvarPdf"));
            QObject::connect(pdf, &QAction::triggered, &previa, [&] {
                const QString arquivo = janelas::EscolheArquivo(
                    janelas::Escolha::Salvar, &previa, textos::SalvarPdf,
                    relatorio.nomeDocumento + QStringLiteral(".pdf"), textos::FiltroPdf);
                if (arquivo.isEmpty())
                    return;
                const auto salvo = SalvaPdfDoRelatorio(dados, relatorio, arquivo);
                const QString onde = QDir::toNativeSeparators(arquivo);
                Caixas::aviso(&previa, janelas::textos::Aviso,
                              salvo ? textos::PdfSalvo.arg(onde)
                                    : textos::PdfNaoSalvo.arg(onde) + u' ' +
                                          nucleo::Diz(salvo.falha()));
            });
        }
        // Within the screen it opens on, whatever its size and scale: the page at the zoom asked
        // for when the window shows it whole, the whole page otherwise.
        const QSize tela = grade.window()->screen()->availableGeometry().size();
        previa.resize(QSize(1000, 700).boundedTo(tela * 9 / 10));
        if (auto* vista = previa.findChild<QPrintPreviewWidget*>()) {
            const QSizeF pagina = impressora.pageLayout().fullRectPoints().size() * zoom / 72.0 *
                                  previa.logicalDpiX() / 100.0;
            if (pagina.width() < previa.width() * 0.9 && pagina.height() < previa.height() * 0.8) {
                vista->setZoomMode(QPrintPreviewWidget::CustomZoom);
                vista->setZoomFactor(zoom / 100.0);
            } else {
                vista->setZoomMode(QPrintPreviewWidget::FitInView);
            }
        }
        previa.exec();
        return 0;
    });
}

} // namespace grade
