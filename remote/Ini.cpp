#include "remote/Ini.h"

#include "runtime/Cp1252.h"
#include "runtime/Erro.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

namespace {

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimmed(QByteArrayView v) {
    while (!v.isEmpty() && isBlank(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && isBlank(v.back()))
        v.chop(1);
    return v;
}

// One line of the file: [start, end) is its content without the line ending, next is where the
// following line starts.
struct Line {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

Line lineAt(QByteArrayView data, qsizetype start) {
    const qsizetype newline = data.indexOf('\n', start);
    Line line{start, newline < 0 ? data.size() : newline, newline < 0 ? data.size() : newline + 1};
    if (line.end > line.start && data[line.end - 1] == '\r')
        --line.end;
    return line;
}

enum class Kind { Blank, Comment, Section, Key };

struct Parsed {
    Kind kind = Kind::Blank;
    QByteArrayView name;
    QByteArrayView value;
};

Parsed parse(QByteArrayView text) {
    text = trimmed(text);
    if (text.isEmpty())
        return {};
    if (text.front() == ';')
        return {Kind::Comment, {}, {}};
    if (text.front() == '[') {
        const qsizetype close = text.indexOf(']');
        return {Kind::Section, trimmed(text.sliced(1, (close < 0 ? text.size() : close) - 1)), {}};
    }
    const qsizetype equals = text.indexOf('=');
    if (equals < 0)
        return {Kind::Key, text, {}};
    return {Kind::Key, trimmed(text.first(equals)), trimmed(text.sliced(equals + 1))};
}

bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key stands in the file: the line of the key, or, when it is missing, where its section
// ends (after the section's last non-blank line).
struct Place {
    bool sectionFound = false;
    qsizetype sectionEnd = -1;
    bool keyFound = false;
    Line key;
    QByteArrayView name;
    QByteArrayView value;
};

Place find(QByteArrayView data, QByteArrayView section, QByteArrayView key) {
    Place place;
    bool inSection = false;
    for (qsizetype pos = 0; pos < data.size();) {
        const Line line = lineAt(data, pos);
        pos = line.next;
        const Parsed p = parse(data.sliced(line.start, line.end - line.start));
        if (p.kind == Kind::Section) {
            if (inSection)
                break; // only the first section of that name counts
            inSection = sameName(p.name, section);
            if (inSection) {
                place.sectionFound = true;
                place.sectionEnd = line.next;
            }
            continue;
        }
        if (!inSection || p.kind == Kind::Blank)
            continue;
        place.sectionEnd = line.next;
        if (p.kind == Kind::Key && sameName(p.name, key)) {
            place.keyFound = true;
            place.key = line;
            place.name = p.name;
            place.value = p.value;
            return place;
        }
    }
    return place;
}

QByteArrayView unquoted(QByteArrayView v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.sliced(1, v.size() - 2);
    return v;
}

} // namespace

void GetFileIni(const QString& secao, const QString& chave, const QString& padrao,
                const QString& arquivo, QString& valor) {
    QFile file(arquivo);
    if (!file.open(QIODevice::ReadOnly)) {
        valor = padrao;
        return;
    }
    const QByteArray data = file.readAll();
    const Place place = find(data, toCp1252(secao), toCp1252(chave));
    if (!place.keyFound) {
        valor = padrao;
        return;
    }
    valor = fromCp1252(
        unquoted(place.value).first(std::min(kLimiteValorIni, unquoted(place.value).size())));
}

bool PutFileIni(const QString& secao, const QString& chave, const QString& valor,
                const QString& arquivo) {
    QByteArray data;
    if (QFile::exists(arquivo)) {
        QFile file(arquivo);
        if (!file.open(QIODevice::ReadOnly))
            return false; // never replace a file we could not read
        data = file.readAll();
    }

    QString umaLinha = valor;
    umaLinha.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray value = toCp1252(umaLinha);
    const QByteArray section = toCp1252(secao);
    const Place place = find(data, section, toCp1252(chave));
    const QByteArray keyLine = toCp1252(chave) + '=' + value;

    if (place.keyFound) {
        // The key keeps the spelling the file gave it.
        const QByteArray line = place.name.toByteArray() + '=' + value;
        data.replace(place.key.start, place.key.end - place.key.start, line);
    } else if (place.sectionFound) {
        qsizetype at = place.sectionEnd;
        QByteArray insert = keyLine + "\r\n";
        if (at > 0 && data[at - 1] != '\n')
            insert.prepend("\r\n");
        data.insert(at, insert);
    } else {
        if (!data.isEmpty() && !data.endsWith('\n'))
            data.append("\r\n");
        data.append('[' + section + "]\r\n" + keyLine + "\r\n");
    }

    QSaveFile out(arquivo);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(data);
    return out.commit();
}

bool GravaIni(const QString& secao, const QString& chave, const QString& valor,
              const QString& arquivo) {
    Error erro;
    erro.SubSystem = QStringLiteral("Profile");
    erro.GenCode = CodigoGenerico::Gravacao;
    erro.Operation = QStringLiteral("PutFileIni");
    erro.Description = QStringLiteral("The settings file could not be written");
    erro.FileName = arquivo;
    erro.Arg = secao + u'/' + chave;
    erro.ArgType = Tipo::Texto;
    erro.ArgNum = 2;
    erro.CanDefault = true;
    erro.CanRetry = true;
    return TentaOuErro([&] { return PutFileIni(secao, chave, valor, arquivo); }, erro);
}
