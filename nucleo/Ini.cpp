#include "nucleo/Ini.h"

#include "nucleo/Cp1252.h"
#include "nucleo/Textos.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr bool ehBranco(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView aparado(QByteArrayView v) {
    while (!v.isEmpty() && ehBranco(v.front()))
        v = v.sliced(1);
    while (!v.isEmpty() && ehBranco(v.back()))
        v.chop(1);
    return v;
}

// One line of the file: [inicio, fim) is its content without the line ending, proxima is where
// the following line starts.
struct Linha {
    qsizetype inicio = 0;
    qsizetype fim = 0;
    qsizetype proxima = 0;
};

Linha linhaEm(QByteArrayView dados, qsizetype inicio) {
    const qsizetype quebra = dados.indexOf('\n', inicio);
    Linha linha{inicio, quebra < 0 ? dados.size() : quebra, quebra < 0 ? dados.size() : quebra + 1};
    if (linha.fim > linha.inicio && dados[linha.fim - 1] == '\r')
        --linha.fim;
    return linha;
}

enum class Tipo { Branca, Comentario, Secao, Chave };

struct Analise {
    Tipo tipo = Tipo::Branca;
    QByteArrayView nome;
    QByteArrayView valor;
};

Analise analisa(QByteArrayView texto) {
    texto = aparado(texto);
    if (texto.isEmpty())
        return {};
    if (texto.front() == ';')
        return {Tipo::Comentario, {}, {}};
    if (texto.front() == '[') {
        const qsizetype fecha = texto.indexOf(']');
        return {Tipo::Secao, aparado(texto.sliced(1, (fecha < 0 ? texto.size() : fecha) - 1)), {}};
    }
    const qsizetype igual = texto.indexOf('=');
    if (igual < 0)
        return {Tipo::Chave, texto, {}};
    return {Tipo::Chave, aparado(texto.first(igual)), aparado(texto.sliced(igual + 1))};
}

bool mesmoNome(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

// Where a key stands in the file: the line of the key, or, when it is missing, where its section
// ends (after the section's last non-blank line).
struct Lugar {
    bool secaoAchada = false;
    qsizetype fimDaSecao = -1;
    bool chaveAchada = false;
    Linha chave;
    QByteArrayView nome;
    QByteArrayView valor;
};

Lugar procura(QByteArrayView dados, QByteArrayView secao, QByteArrayView chave) {
    Lugar lugar;
    bool naSecao = false;
    for (qsizetype pos = 0; pos < dados.size();) {
        const Linha linha = linhaEm(dados, pos);
        pos = linha.proxima;
        const Analise a = analisa(dados.sliced(linha.inicio, linha.fim - linha.inicio));
        if (a.tipo == Tipo::Secao) {
            if (naSecao)
                break; // only the first section of that name counts
            naSecao = mesmoNome(a.nome, secao);
            if (naSecao) {
                lugar.secaoAchada = true;
                lugar.fimDaSecao = linha.proxima;
            }
            continue;
        }
        if (!naSecao || a.tipo == Tipo::Branca)
            continue;
        lugar.fimDaSecao = linha.proxima;
        if (a.tipo == Tipo::Chave && mesmoNome(a.nome, chave)) {
            lugar.chaveAchada = true;
            lugar.chave = linha;
            lugar.nome = a.nome;
            lugar.valor = a.valor;
            return lugar;
        }
    }
    return lugar;
}

QByteArrayView semAspas(QByteArrayView v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.sliced(1, v.size() - 2);
    return v;
}

} // namespace

namespace nucleo {

Resultado<void> ArquivoIni::carrega(const QString& caminho) {
    m_caminho = caminho;
    m_dados.clear();
    if (!QFileInfo::exists(caminho))
        return {};
    QFile arquivo(caminho);
    if (arquivo.open(QIODevice::ReadOnly)) {
        m_dados = arquivo.readAll();
        if (arquivo.error() == QFileDevice::NoError)
            return {};
    }
    m_dados.clear();
    return Falha{Falha::Tipo::Ilegivel, textos::NaoLeu(caminho), arquivo.errorString()};
}

QString ArquivoIni::valor(const QString& secao, const QString& chave, const QString& padrao) const {
    const Lugar lugar = procura(m_dados, nucleo::ParaCp1252(secao), nucleo::ParaCp1252(chave));
    if (!lugar.chaveAchada)
        return padrao;
    const QByteArrayView v = semAspas(lugar.valor);
    return nucleo::DeCp1252(v.first(std::min(kLimiteValorIni, v.size())));
}

void ArquivoIni::define(const QString& secao, const QString& chave, const QString& valor) {
    QString umaLinha = valor;
    umaLinha.replace(u'\r', u' ').replace(u'\n', u' ');
    const QByteArray bytesValor = nucleo::ParaCp1252(umaLinha);
    const QByteArray bytesSecao = nucleo::ParaCp1252(secao);
    const Lugar lugar = procura(m_dados, bytesSecao, nucleo::ParaCp1252(chave));
    const QByteArray linhaNova = nucleo::ParaCp1252(chave) + '=' + bytesValor;

    if (lugar.chaveAchada) {
        // The key keeps the spelling the file gave it.
        const QByteArray linha = lugar.nome.toByteArray() + '=' + bytesValor;
        m_dados.replace(lugar.chave.inicio, lugar.chave.fim - lugar.chave.inicio, linha);
    } else if (lugar.secaoAchada) {
        QByteArray insercao = linhaNova + "\r\n";
        if (lugar.fimDaSecao > 0 && m_dados[lugar.fimDaSecao - 1] != '\n')
            insercao.prepend("\r\n");
        m_dados.insert(lugar.fimDaSecao, insercao);
    } else {
        if (!m_dados.isEmpty() && !m_dados.endsWith('\n'))
            m_dados.append("\r\n");
        m_dados.append('[' + bytesSecao + "]\r\n" + linhaNova + "\r\n");
    }
}

Resultado<void> ArquivoIni::grava() const {
    return nucleo::GravaArquivoInteiro(m_caminho, m_dados);
}

Resultado<void> ArquivoIni::edita(const QString& caminho,
                                  const std::function<void(ArquivoIni&)>& edicao) {
    ArquivoIni ini;
    if (auto lido = ini.carrega(caminho); !lido)
        return lido;
    edicao(ini);
    return ini.grava();
}

} // namespace nucleo

void GetFileIni(const QString& secao, const QString& chave, const QString& padrao,
                const QString& arquivo, QString& valor) {
    nucleo::ArquivoIni ini;
    valor = ini.carrega(arquivo).ok() ? ini.valor(secao, chave, padrao) : padrao;
}

nucleo::Resultado<void> PutFileIni(const QString& secao, const QString& chave, const QString& valor,
                                   const QString& arquivo) {
    return nucleo::ArquivoIni::edita(
        arquivo, [&](nucleo::ArquivoIni& ini) { ini.define(secao, chave, valor); });
}
