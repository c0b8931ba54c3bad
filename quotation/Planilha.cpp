#include "quotation/Planilha.h"

#include "runtime/core/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <unzip.h>
#include <xlsxwriter.h>
#ifdef Q_OS_WIN
#include <iowin32.h>
#endif

using namespace nucleo;

namespace cotacao {
namespace {

QString numeroComVirgula(double valor) {
    return QString::number(valor, 'f', 2).replace(u'.', u',');
}

QString celulaCsv(const QVariant& valor) {
    QString texto =
        valor.typeId() == QMetaType::Double ? numeroComVirgula(valor.toDouble()) : valor.toString();
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

QString textoDoArquivo(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.sliced(3));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString texto = utf8.decode(bytes);
    // Not UTF-8: what Windows spreadsheets write in Brazil.
    return utf8.hasError() ? DeCp1252(bytes) : texto;
}

// One member of a zip file, read whole; nothing when it is not there.
std::optional<QByteArray> membro(unzFile zip, const char* nome) {
    if (unzLocateFile(zip, nome, 0) != UNZ_OK || unzOpenCurrentFile(zip) != UNZ_OK)
        return std::nullopt;
    QByteArray dados;
    char buffer[16384];
    int lidos;
    while ((lidos = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
        dados.append(buffer, lidos);
    unzCloseCurrentFile(zip);
    if (lidos < 0)
        return std::nullopt;
    return dados;
}

QStringList textosCompartilhados(const QByteArray& xml) {
    QStringList textos;
    QXmlStreamReader leitor(xml);
    QString atual;
    bool dentro = false;
    while (!leitor.atEnd()) {
        leitor.readNext();
        if (leitor.isStartElement() && leitor.name() == u"si") {
            dentro = true;
            atual.clear();
        } else if (leitor.isEndElement() && leitor.name() == u"si") {
            dentro = false;
            textos.append(atual);
        } else if (dentro && leitor.isStartElement() && leitor.name() == u"t") {
            atual += leitor.readElementText();
        }
    }
    return textos;
}

// The path inside the zip of the workbook's first sheet.
QByteArray primeiraFolha(unzFile zip) {
    const auto livro = membro(zip, "xl/workbook.xml");
    const auto relacoes = membro(zip, "xl/_rels/workbook.xml.rels");
    QString id;
    if (livro) {
        QXmlStreamReader leitor(*livro);
        while (!leitor.atEnd() && id.isEmpty())
            if (leitor.readNext() == QXmlStreamReader::StartElement && leitor.name() == u"sheet")
                for (const QXmlStreamAttribute& a : leitor.attributes())
                    if (a.name() == u"id")
                        id = a.value().toString();
    }
    if (relacoes && !id.isEmpty()) {
        QXmlStreamReader leitor(*relacoes);
        while (!leitor.atEnd())
            if (leitor.readNext() == QXmlStreamReader::StartElement &&
                leitor.attributes().value(QStringLiteral("Id")) == id) {
                const QString alvo = leitor.attributes().value(QStringLiteral("Target")).toString();
                return (alvo.startsWith(u'/') ? alvo.mid(1) : u"xl/" + alvo).toUtf8();
            }
    }
    return "xl/worksheets/sheet1.xml";
}

// "BC12" → 54 (columns from 0).
int colunaDaReferencia(QStringView referencia) {
    int coluna = 0;
    for (const QChar c : referencia) {
        if (c < u'A' || c > u'Z')
            break;
        coluna = coluna * 26 + (c.unicode() - u'A' + 1);
    }
    return coluna - 1;
}

Tabela folha(const QByteArray& xml, const QStringList& compartilhados) {
    Tabela tabela;
    QXmlStreamReader leitor(xml);
    QVariantList* linha = nullptr;
    while (!leitor.atEnd()) {
        leitor.readNext();
        if (!leitor.isStartElement())
            continue;
        if (leitor.name() == u"row") {
            const int numero = leitor.attributes().value(QStringLiteral("r")).toInt();
            // Rows left out of the file (empty ones) stay empty rows.
            while (numero > 0 && tabela.size() < numero - 1)
                tabela.append(QVariantList());
            tabela.append(QVariantList());
            linha = &tabela.last();
        } else if (leitor.name() == u"c" && linha) {
            const int coluna = colunaDaReferencia(leitor.attributes().value(QStringLiteral("r")));
            const QString tipo = leitor.attributes().value(QStringLiteral("t")).toString();
            QVariant valor;
            while (!(leitor.isEndElement() && leitor.name() == u"c") && !leitor.atEnd()) {
                leitor.readNext();
                if (leitor.isStartElement() && (leitor.name() == u"v" || leitor.name() == u"t")) {
                    const QString texto = leitor.readElementText();
                    if (tipo == u"s")
                        valor = compartilhados.value(texto.toInt());
                    else if (tipo == u"n" || tipo.isEmpty())
                        valor = texto.toDouble();
                    else
                        valor = QString(valor.toString() + texto);
                }
            }
            if (coluna >= 0 && coluna < 16384) {
                while (linha->size() < coluna)
                    linha->append(QString());
                linha->append(valor.isValid() ? valor : QVariant(QString()));
            }
        }
    }
    return tabela;
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

} // namespace

QList<QStringList> SeparaCelulas(const QString& texto, QChar separador) {
    QList<QStringList> linhas;
    QStringList linha;
    QString celula;
    bool entreAspas = false;
    const auto fechaCelula = [&] {
        linha.append(celula);
        celula.clear();
    };
    const auto fechaLinha = [&] {
        fechaCelula();
        linhas.append(linha);
        linha.clear();
    };
    for (qsizetype i = 0; i < texto.size(); ++i) {
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
            } else {
                celula += c;
            }
        } else if (c == u'"' && celula.isEmpty()) {
            entreAspas = true;
        } else if (c == separador) {
            fechaCelula();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n')
                ++i;
            fechaLinha();
        } else {
            celula += c;
        }
    }
    // A last row without its line break counts too.
    if (!celula.isEmpty() || !linha.isEmpty())
        fechaLinha();
    return linhas;
}

nucleo::FalhaGravacao EscreveCsv(const QString& caminho, const Tabela& tabela) {
    QString texto;
    for (const QVariantList& linha : tabela) {
        for (qsizetype c = 0; c < linha.size(); ++c)
            texto += (c ? QStringLiteral(";") : QString()) + celulaCsv(linha[c]);
        texto += QStringLiteral("\r\n");
    }
    const QByteArray bytes = "\xEF\xBB\xBF" + texto.toUtf8();
    return nucleo::GravaArquivoInteiro(caminho, bytes);
}

nucleo::FalhaGravacao EscreveXlsx(const QString& caminho, const Tabela& tabela) {
    // libxlsxwriter writes a file of its own: it is made in a private folder and then written
    // over the destination in one atomic replace.
    QTemporaryDir temporaria;
    if (!temporaria.isValid())
        return nucleo::FalhaGravacao::Outra;
    const QByteArray provisorio =
        QDir::toNativeSeparators(temporaria.filePath(QStringLiteral("p.xlsx"))).toUtf8();
    lxw_workbook* livro = workbook_new(provisorio.constData());
    if (!livro)
        return nucleo::FalhaGravacao::Outra;
    lxw_worksheet* folha = workbook_add_worksheet(livro, nullptr);
    lxw_format* negrito = workbook_add_format(livro);
    format_set_bold(negrito);
    lxw_format* numero = workbook_add_format(livro);
    format_set_num_format(numero, "#,##0.00");
    for (qsizetype l = 0; l < tabela.size(); ++l)
        for (qsizetype c = 0; c < tabela[l].size(); ++c) {
            const QVariant& v = tabela[l][c];
            if (v.typeId() == QMetaType::Double)
                worksheet_write_number(folha, lxw_row_t(l), lxw_col_t(c), v.toDouble(), numero);
            else if (!v.toString().isEmpty())
                worksheet_write_string(folha, lxw_row_t(l), lxw_col_t(c),
                                       v.toString().toUtf8().constData(),
                                       l == 0 ? negrito : nullptr);
        }
    if (workbook_close(livro) != LXW_NO_ERROR)
        return nucleo::FalhaGravacao::Outra;
    QFile feito(temporaria.filePath(QStringLiteral("p.xlsx")));
    if (!feito.open(QIODevice::ReadOnly))
        return nucleo::FalhaGravacao::Outra;
    return nucleo::GravaArquivoInteiro(caminho, feito.readAll());
}

std::optional<Tabela> LeCsv(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString texto = textoDoArquivo(arquivo.readAll());
    Tabela tabela;
    for (const QStringList& linha : SeparaCelulas(texto, separadorDe(texto))) {
        QVariantList celulas;
        for (const QString& celula : linha)
            celulas << celula;
        tabela << celulas;
    }
    return tabela;
}

std::optional<Tabela> LeXlsx(const QString& caminho) {
    unzFile zip = abreZip(caminho);
    if (!zip)
        return std::nullopt;
    const auto compartilhados = membro(zip, "xl/sharedStrings.xml");
    const auto xml = membro(zip, primeiraFolha(zip).constData());
    unzClose(zip);
    if (!xml)
        return std::nullopt;
    return folha(*xml, compartilhados ? textosCompartilhados(*compartilhados) : QStringList());
}

std::optional<Tabela> LePlanilha(const QString& caminho) {
    return caminho.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? LeXlsx(caminho)
                                                                          : LeCsv(caminho);
}

} // namespace cotacao
