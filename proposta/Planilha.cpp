#include "proposta/Planilha.h"

#include "formatos/Quantia.h"
#include "nucleo/Cp1252.h"
#include "nucleo/NumerosEmC.h"
#include "proposta/Textos.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <unzip.h>
#include <xlsxwriter.h>
#ifdef Q_OS_WIN
#include <iowin32.h>
#endif

#include <algorithm>
#include <cstring>
#include <functional>

using namespace nucleo;

namespace proposta {
namespace {

// What a spreadsheet program takes for the start of a formula when it opens a .csv.
bool pareceFormula(QStringView texto) {
    static constexpr QStringView kInicios = u"=+-@\t\r";
    return !texto.isEmpty() && kInicios.contains(texto.front());
}

QString celulaCsv(const QVariant& valor) {
    if (valor.typeId() == QMetaType::Double)
        return formatos::NumeroDePlanilha(valor.toDouble());
    QString texto = valor.toString();
    if (pareceFormula(texto))
        texto.prepend(u'\'');
    if (texto.contains(u';') || texto.contains(u'"') || texto.contains(u'\n') ||
        texto.contains(u'\r')) {
        texto.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        texto = u'"' + texto + u'"';
    }
    return texto;
}

// ";" or ",", whichever the first row uses more outside quotes.
QChar separadorDe(QStringView texto) {
    int pontoEVirgula = 0, virgula = 0;
    bool entreAspas = false;
    for (const QChar c : texto) {
        if (c == u'"')
            entreAspas = !entreAspas;
        else if (!entreAspas && (c == u'\n' || c == u'\r'))
            break;
        else if (!entreAspas && c == u';')
            ++pontoEVirgula;
        else if (!entreAspas && c == u',')
            ++virgula;
    }
    return virgula > pontoEVirgula ? u',' : u';';
}

// A .csv as text: UTF-16 when it starts with its mark; otherwise line by line, each line UTF-8
// when it is valid UTF-8 and Windows-1252 when not (a file saved in UTF-8 with one remark pasted
// from an old system keeps its accented headings).
QString textoDoArquivo(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        return utf16.decode(QByteArrayView(bytes).sliced(2));
    }
    QByteArrayView resto(bytes);
    if (resto.startsWith("\xEF\xBB\xBF"))
        resto = resto.sliced(3);
    QString texto;
    texto.reserve(resto.size());
    while (!resto.isEmpty()) {
        const qsizetype fim = resto.indexOf('\n');
        const QByteArrayView linha = resto.first(fim < 0 ? resto.size() : fim + 1);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString lida = utf8.decode(linha);
        texto += utf8.hasError() ? DeCp1252(linha) : lida;
        resto = resto.sliced(linha.size());
    }
    return texto;
}

// Splits `texto` into rows of cells and hands each row to `linha` (false stops). Answers false
// when a row is longer than `maximo` characters (a negative `maximo` is no limit). Cells after
// the first `colunas` of a row are passed over (a negative `colunas` keeps them all).
bool percorreCelulas(QStringView texto, QChar separador, qsizetype maximo,
                     const std::function<bool(QStringList&)>& linha, qsizetype colunas = -1) {
    QStringList celulas;
    QString celula;
    bool entreAspas = false;
    qsizetype inicio = 0; // where the current row began
    qsizetype coluna = 0;
    const auto fechaCelula = [&] {
        if (colunas < 0 || coluna++ < colunas)
            celulas.append(celula);
        celula.clear();
    };
    const auto fechaLinha = [&] {
        fechaCelula();
        const bool segue = linha(celulas);
        celulas.clear();
        coluna = 0;
        return segue;
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (maximo >= 0 && i - inicio > maximo)
            return false;
        const QChar c = texto[i];
        if (entreAspas) {
            if (c == u'"' && i + 1 < texto.size() && texto[i + 1] == u'"') {
                celula += u'"';
                ++i;
            } else if (c == u'"') {
                entreAspas = false;
            } else if (c == u'\r' || c == u'\n') {
                if (!(c == u'\n' && i > 0 && texto[i - 1] == u'\r'))
                    celula += u' ';
            } else if (colunas < 0 || coluna < colunas) {
                celula += c;
            }
        } else if (c == u'"' && celula.isEmpty()) {
            entreAspas = true;
        } else if (c == separador) {
            fechaCelula();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')
                ++i;
            if (!fechaLinha())
                return true;
            inicio = i + 1;
        } else if (colunas < 0 || coluna < colunas) {
            celula += c;
        }
    }
    // A last row without its line break counts too.
    if (!celula.isEmpty() || !celulas.isEmpty())
        fechaLinha();
    return true;
}

// The cells a destination wants of a row given from its first column.
const QVariantList& escolhe(const QVariantList& linha, const QList<int>& colunas,
                            QVariantList& escolhidas) {
    if (colunas.isEmpty())
        return linha;
    escolhidas.clear();
    for (const int c : colunas)
        escolhidas.append(c >= 0 && c < linha.size() ? linha[c] : QVariant(QString()));
    return escolhidas;
}

nucleo::Resultado<void> leCsv(const QString& caminho, DestinoDeLinhas& destino) {
    using namespace textos;
    using nucleo::Falha;
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return Falha{Falha::Tipo::Ilegivel, ArquivoNaoAbre,
                     caminho + QStringLiteral(": ") + arquivo.errorString()};
    const QString texto = textoDoArquivo(arquivo.read(kMaximoDoArquivo));
    QVariantList linha, escolhidas;
    const bool inteiro =
        percorreCelulas(texto, separadorDe(texto), kMaximoDaLinhaCsv, [&](QStringList& celulas) {
            linha.clear();
            for (QString& celula : celulas) {
                // The apostrophe that keeps a text from being taken for a formula.
                if (celula.startsWith(u'\'') && pareceFormula(QStringView(celula).sliced(1)))
                    celula.remove(0, 1);
                linha.append(std::move(celula));
            }
            return destino.linha(escolhe(linha, destino.colunas(), escolhidas));
        });
    if (!inteiro)
        return Falha{Falha::Tipo::Recusada, LinhaCsvGrandeDemais, caminho};
    return {};
}

// ---- .xlsx ----

// Why reading an .xlsx stopped short.
struct Recusa : std::exception {
    explicit Recusa(QString m)
        : motivo(std::move(m)) {}
    QString motivo;
};

// One member of the zip, read as it inflates: at most kMaximoDescompactado bytes, and never a
// run of more than a few cells' worth of text without markup (a sheet of spaces would otherwise
// be held whole by the XML reader).
class MembroDoZip : public QIODevice {
public:
    explicit MembroDoZip(unzFile zip)
        : m_zip(zip) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }

    // Reads what is left, so that the checksum of the member is checked, and closes it.
    void conclui() {
        char resto[16384];
        qint64 lidos;
        while ((lidos = readData(resto, sizeof resto)) > 0) {
        }
        const int fim = unzCloseCurrentFile(m_zip);
        explica();
        if (lidos < 0 || fim == UNZ_CRCERROR)
            throw Recusa(textos::CompactacaoDanificada);
        if (fim != UNZ_OK)
            throw Recusa(textos::ConteudoDanificado);
    }

    // Turns a stop of ours into its reason.
    void explica() const {
        if (m_grandeDemais)
            throw Recusa(textos::ParteGrandeDemais);
        if (m_textoLongo)
            throw Recusa(textos::TextoGrandeDemais);
    }

protected:
    qint64 readData(char* dados, qint64 maximo) override {
        if (m_grandeDemais || m_textoLongo)
            return 0;
        const int lidos = unzReadCurrentFile(m_zip, dados, unsigned(qMin<qint64>(maximo, 65536)));
        if (lidos <= 0)
            return lidos;
        m_total += lidos;
        if (m_total > kMaximoDescompactado) {
            m_grandeDemais = true;
            return 0; // the XML reader sees an end before the document's: an error
        }
        // Six bytes per character is the most a cell's escaped text can take.
        static constexpr qint64 kSemMarcacao = 6 * kMaximoDaCelula + 4096;
        for (const char *p = dados, *fim = dados + lidos; p < fim;) {
            const char* menor = static_cast<const char*>(std::memchr(p, '<', size_t(fim - p)));
            if (!menor) {
                m_semMarcacao += fim - p;
                break;
            }
            m_semMarcacao = 0;
            p = menor + 1;
        }
        if (m_semMarcacao > kSemMarcacao) {
            m_textoLongo = true;
            return 0;
        }
        return lidos;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    unzFile m_zip;
    qint64 m_total = 0;
    qint64 m_semMarcacao = 0;
    bool m_grandeDemais = false;
    bool m_textoLongo = false;
};

// Parses one member with `trata` called on each token; refuses the file on any XML error.
// False when the zip has no such member.
bool leMembro(unzFile zip, const char* nome, const std::function<bool(QXmlStreamReader&)>& trata) {
    if (unzLocateFile(zip, nome, 0) != UNZ_OK)
        return false;
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        throw Recusa(textos::CompactacaoDanificada);
    MembroDoZip membro(zip);
    QXmlStreamReader leitor(&membro);
    bool segue = true;
    while (segue && !leitor.atEnd()) {
        // No part of a workbook declares a document type: one that does is after the entities
        // it could declare, which multiply a few bytes into gigabytes.
        if (leitor.readNext() == QXmlStreamReader::DTD)
            throw Recusa(textos::DeclaracaoDeTipo);
        segue = trata(leitor);
    }
    if (leitor.hasError()) {
        membro.explica();
        throw Recusa(textos::ConteudoDanificado);
    }
    if (!segue) { // the destination had enough: the rest of the member is not read
        unzCloseCurrentFile(zip);
        return true;
    }
    membro.conclui();
    return true;
}

// The workbook's shared texts, kept compactly (one UTF-8 buffer and where each text ends): a
// member of 50 MB may hold millions of them. A long text is kept as one QString instead, and
// every cell that uses it gets that same text (implicitly shared), never a copy of its own.
class TextosCompartilhados {
public:
    void acrescenta(const QString& texto) {
        if (texto.size() > kCurto) {
            m_longos.insert(m_fins.size(), texto);
        } else {
            m_utf8 += texto.toUtf8();
        }
        m_fins.append(qint32(m_utf8.size()));
    }
    QString texto(qsizetype i) const {
        if (i < 0 || i >= m_fins.size())
            return {};
        if (const auto longo = m_longos.constFind(i); longo != m_longos.cend())
            return *longo;
        const qint32 inicio = i ? m_fins[i - 1] : 0;
        return QString::fromUtf8(m_utf8.constData() + inicio, m_fins[i] - inicio);
    }

private:
    static constexpr qsizetype kCurto = 64;
    QByteArray m_utf8;
    QList<qint32> m_fins;
    QHash<qsizetype, QString> m_longos;
};

TextosCompartilhados textosCompartilhados(unzFile zip) {
    TextosCompartilhados textos; // none in a workbook of numbers only
    QString atual;
    bool dentro = false, fonetica = false;
    leMembro(zip, "xl/sharedStrings.xml", [&](QXmlStreamReader& leitor) {
        if (leitor.isStartElement() && leitor.name() == u"si") {
            dentro = true;
            atual.clear();
        } else if (leitor.isEndElement() && leitor.name() == u"si") {
            dentro = false;
            textos.acrescenta(atual);
        } else if (leitor.isStartElement() && leitor.name() == u"rPh") {
            fonetica = true; // a reading aid of East Asian texts, not part of the text
        } else if (leitor.isEndElement() && leitor.name() == u"rPh") {
            fonetica = false;
        } else if (dentro && !fonetica && leitor.isStartElement() && leitor.name() == u"t") {
            atual += leitor.readElementText();
            if (atual.size() > kMaximoDaCelula)
                throw Recusa(textos::TextoGrandeDemais);
        }
        return true;
    });
    return textos;
}

// The path inside the zip of the workbook's first sheet.
QByteArray primeiraFolha(unzFile zip) {
    QString id, alvo;
    leMembro(zip, "xl/workbook.xml", [&](QXmlStreamReader& leitor) {
        if (leitor.isStartElement() && leitor.name() == u"sheet")
            for (const QXmlStreamAttribute& a : leitor.attributes())
                if (a.name() == u"id")
                    id = a.value().toString();
        return id.isEmpty();
    });
    if (!id.isEmpty())
        leMembro(zip, "xl/_rels/workbook.xml.rels", [&](QXmlStreamReader& leitor) {
            if (leitor.isStartElement() && leitor.attributes().value(QStringLiteral("Id")) == id)
                alvo = leitor.attributes().value(QStringLiteral("Target")).toString();
            return alvo.isEmpty();
        });
    if (alvo.isEmpty())
        return "xl/worksheets/sheet1.xml";
    return (alvo.startsWith(u'/') ? alvo.mid(1) : u"xl/" + alvo).toUtf8();
}

// "BC12" → 54 (columns from 0); -1 when the reference is not one or lies outside a sheet.
int colunaDaReferencia(QStringView referencia) {
    qsizetype i = 0;
    int coluna = 0;
    for (; i < referencia.size() && referencia[i] >= u'A' && referencia[i] <= u'Z'; ++i) {
        coluna = coluna * 26 + (referencia[i].unicode() - u'A' + 1);
        if (coluna > kColunasDaFolha)
            return -1;
    }
    bool ok = false;
    const int linha = referencia.sliced(i).toInt(&ok);
    if (i == 0 || !ok || linha < 1 || linha > kLinhasDaFolha)
        return -1;
    return coluna - 1;
}

QVariant valorDaCelula(const QString& texto, QStringView tipo,
                       const TextosCompartilhados& compartilhados) {
    if (tipo == u"s") {
        bool ok = false;
        const int indice = texto.toInt(&ok);
        return ok ? compartilhados.texto(indice) : QString();
    }
    if (tipo == u"n" || tipo.isEmpty()) {
        // A number that does not read as one stays as its text (never 0).
        bool ok = false;
        const double numero = texto.toDouble(&ok);
        return ok ? QVariant(numero) : QVariant(texto);
    }
    return texto;
}

// The rows of the sheet, handed to `destino` as they are read.
void leFolha(unzFile zip, const QByteArray& nome, const TextosCompartilhados& compartilhados,
             DestinoDeLinhas& destino) {
    QVariantList linha;
    QList<int> colunas;
    bool emLinha = false;
    int linhas = 0, proximaColuna = 0;
    const bool existe = leMembro(zip, nome.constData(), [&](QXmlStreamReader& leitor) {
        if (leitor.isEndElement() && emLinha && leitor.name() == u"row") {
            emLinha = false;
            while (!colunas.isEmpty() && linha.size() < colunas.size())
                linha.append(QString());
            return destino.linha(linha);
        }
        if (!leitor.isStartElement())
            return true;
        if (leitor.name() == u"row") {
            const QStringView r = leitor.attributes().value(QStringLiteral("r"));
            bool ok = r.isEmpty();
            const int numero = r.isEmpty() ? 0 : r.toInt(&ok);
            if (!ok || numero < 0 || numero > kLinhasDaFolha || ++linhas > kLinhasDaFolha)
                throw Recusa(textos::ForaDosLimites);
            colunas = destino.colunas();
            linha.clear();
            emLinha = true;
            proximaColuna = 0;
        } else if (leitor.name() == u"c" && emLinha) {
            const QStringView r = leitor.attributes().value(QStringLiteral("r"));
            const int coluna = r.isEmpty() ? proximaColuna : colunaDaReferencia(r);
            if (coluna < 0 || coluna >= kColunasDaFolha)
                throw Recusa(textos::ForaDosLimites);
            proximaColuna = coluna + 1;
            const qsizetype posicao = colunas.isEmpty() ? coluna : colunas.indexOf(coluna);
            if (posicao < 0) {
                leitor.skipCurrentElement(); // a column nobody reads
                return true;
            }
            const QString tipo = leitor.attributes().value(QStringLiteral("t")).toString();
            QString texto;
            while (!leitor.atEnd() && !(leitor.isEndElement() && leitor.name() == u"c")) {
                leitor.readNext();
                if (leitor.isStartElement() && (leitor.name() == u"v" || leitor.name() == u"t"))
                    texto += leitor.readElementText();
                // Measured as it grows: a cell of many pieces is refused at the piece that
                // passes the limit, not once it is all in memory.
                if (texto.size() > kMaximoDaCelula)
                    throw Recusa(textos::TextoGrandeDemais);
            }
            while (linha.size() <= posicao)
                linha.append(QString());
            linha[posicao] = valorDaCelula(texto, tipo, compartilhados);
        }
        return true;
    });
    if (!existe)
        throw Recusa(textos::NaoEPastaDeTrabalho);
}

unzFile abreZip(const QString& caminho) {
#ifdef Q_OS_WIN
    // Any file name, not only those of the ANSI code page.
    zlib_filefunc64_def funcoes;
    fill_win32_filefunc64W(&funcoes);
    const std::wstring largo = QDir::toNativeSeparators(caminho).toStdWString();
    return unzOpen2_64(largo.c_str(), &funcoes);
#else
    return unzOpen64(QFile::encodeName(caminho).constData());
#endif
}

nucleo::Resultado<void> leXlsx(const QString& caminho, DestinoDeLinhas& destino) {
    using nucleo::Falha;
    unzFile zip = abreZip(caminho);
    if (!zip)
        return Falha{Falha::Tipo::Recusada, textos::NaoEPastaDeTrabalho, caminho};
    nucleo::Resultado<void> lido;
    try {
        const TextosCompartilhados compartilhados = textosCompartilhados(zip);
        leFolha(zip, primeiraFolha(zip), compartilhados, destino);
    } catch (const Recusa& r) {
        lido = Falha{Falha::Tipo::Recusada, r.motivo, caminho};
    }
    unzClose(zip);
    return lido;
}

// The width of each column, in characters as Excel counts them, that shows its content: the
// longest text or number of the column, the heading with room for its filter's button, and no
// column wider than kLarguraMaxima (a long description wraps to it when widened by hand).
QList<double> largurasDasColunas(const Tabela& tabela) {
    static constexpr qsizetype kLarguraMaxima = 50;
    QList<double> larguras;
    for (qsizetype l = 0; l < tabela.size(); ++l)
        for (qsizetype c = 0; c < tabela[l].size(); ++c) {
            const QVariant& v = tabela[l][c];
            qsizetype largura = v.typeId() == QMetaType::Double
                                    ? formatos::NumeroDePlanilha(v.toDouble()).size() + 2
                                    : std::min(v.toString().size(), kLarguraMaxima);
            if (l == 0)
                largura += 4; // the filter's button beside the heading
            if (larguras.size() <= c)
                larguras.resize(c + 1, 8);
            larguras[c] = std::max(larguras[c], double(std::min(largura + 1, kLarguraMaxima)));
        }
    return larguras;
}

// The row (from 1) of the first text longer than a cell holds; 0 when there is none.
int linhaComTextoLongo(const Tabela& tabela) {
    for (qsizetype l = 0; l < tabela.size(); ++l)
        for (const QVariant& v : tabela[l])
            if (v.typeId() != QMetaType::Double && v.toString().size() > kMaximoDaCelula)
                return int(l + 1);
    return 0;
}

} // namespace

QList<QStringList> SeparaCelulas(const QString& texto, QChar separador, int linhas, int colunas,
                                 int* alem) {
    QList<QStringList> lidas;
    int depois = 0;
    percorreCelulas(
        texto, separador, -1,
        [&](QStringList& linha) {
            if (linhas < 0 || lidas.size() < linhas)
                lidas.append(std::move(linha));
            else
                ++depois;
            return true;
        },
        colunas);
    if (alem)
        *alem = depois;
    return lidas;
}

nucleo::Resultado<void> EscreveCsv(const QString& caminho, const Tabela& tabela) {
    QString texto;
    for (const QVariantList& linha : tabela) {
        for (qsizetype c = 0; c < linha.size(); ++c)
            texto += (c ? QStringLiteral(";") : QString()) + celulaCsv(linha[c]);
        texto += QStringLiteral("\r\n");
    }
    const QByteArray bytes = "\xEF\xBB\xBF" + texto.toUtf8();
    return nucleo::GravaArquivoInteiro(caminho, bytes);
}

nucleo::Resultado<void> EscreveXlsx(const QString& caminho, const Tabela& tabela,
                                    const QString& folha) {
    if (const int longa = linhaComTextoLongo(tabela))
        return nucleo::Falha{nucleo::Falha::Tipo::Recusada, textos::CelulaGrandeDemais.arg(longa),
                             caminho};
    const nucleo::Falha falhou = nucleo::DiagnosticaFalha(QFileInfo(caminho).absolutePath(), 0);
    // libxlsxwriter writes a file of its own: it is made in a private folder and then written
    // over the destination in one atomic replace.
    QTemporaryDir temporaria;
    if (!temporaria.isValid())
        return falhou;
    const QByteArray provisorio =
        QDir::toNativeSeparators(temporaria.filePath(QStringLiteral("p.xlsx"))).toUtf8();
    const NumerosEmC numerosComPonto;
    lxw_workbook* livro = workbook_new(provisorio.constData());
    if (!livro)
        return falhou;
    const QByteArray nome = folha.left(31).toUtf8();
    lxw_worksheet* planilha =
        workbook_add_worksheet(livro, nome.isEmpty() ? nullptr : nome.constData());
    lxw_format* negrito = workbook_add_format(livro);
    format_set_bold(negrito);
    lxw_format* numero = workbook_add_format(livro);
    format_set_num_format(numero, "#,##0.00");
    lxw_error erro = LXW_NO_ERROR;
    for (qsizetype l = 0; l < tabela.size() && erro == LXW_NO_ERROR; ++l)
        for (qsizetype c = 0; c < tabela[l].size() && erro == LXW_NO_ERROR; ++c) {
            const QVariant& v = tabela[l][c];
            if (v.typeId() == QMetaType::Double)
                erro = worksheet_write_number(planilha, lxw_row_t(l), lxw_col_t(c), v.toDouble(),
                                              numero);
            else if (!v.toString().isEmpty())
                erro = worksheet_write_string(planilha, lxw_row_t(l), lxw_col_t(c),
                                              v.toString().toUtf8().constData(),
                                              l == 0 ? negrito : nullptr);
        }
    // Opened ready to work: every column wide enough for what it holds, the heading row frozen
    // above the lines and a filter on it.
    const QList<double> larguras = largurasDasColunas(tabela);
    for (qsizetype c = 0; c < larguras.size() && erro == LXW_NO_ERROR; ++c)
        erro = worksheet_set_column(planilha, lxw_col_t(c), lxw_col_t(c), larguras[c], nullptr);
    if (!tabela.isEmpty() && !larguras.isEmpty() && erro == LXW_NO_ERROR) {
        worksheet_freeze_panes(planilha, 1, 0);
        erro = worksheet_autofilter(planilha, 0, 0, lxw_row_t(tabela.size() - 1),
                                    lxw_col_t(larguras.size() - 1));
    }
    const lxw_error fechamento = workbook_close(livro);
    if (erro != LXW_NO_ERROR || fechamento != LXW_NO_ERROR)
        return falhou;
    QFile feito(temporaria.filePath(QStringLiteral("p.xlsx")));
    if (!feito.open(QIODevice::ReadOnly))
        return falhou;
    return nucleo::GravaArquivoInteiro(caminho, feito.readAll());
}

nucleo::Resultado<void> PercorrePlanilha(const QString& caminho, DestinoDeLinhas& destino) {
    using nucleo::Falha;
    const QFileInfo info(caminho);
    if (!info.isFile())
        return Falha{Falha::Tipo::Ilegivel, textos::ArquivoNaoAbre, caminho};
    if (info.size() > kMaximoDoArquivo)
        return Falha{Falha::Tipo::Recusada, textos::ArquivoGrandeDemais, caminho};
    return caminho.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? leXlsx(caminho, destino)
                                                                          : leCsv(caminho, destino);
}

} // namespace proposta
