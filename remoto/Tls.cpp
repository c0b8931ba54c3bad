#include "remoto/Tls.h"

#include "remoto/Servidor.h"
#include "remoto/Textos.h"

#include <QCryptographicHash>
#include <QHash>

#include <mutex>

namespace remoto {

namespace {

std::mutex g_trava;
GuardaDeServidores g_guarda;
QHash<QString, ServidorConhecido> g_conhecidos; // what this run knows, by server

// One DER element: its tag, and where its contents start and end within the buffer.
struct Elemento {
    quint8 tag = 0;
    qsizetype inicio = 0; // of the whole element, tag included
    qsizetype conteudo = 0;
    qsizetype fim = 0;
};

// The element at `pos`, within [pos, limite); nullopt when the bytes are not one.
std::optional<Elemento> elemento(const QByteArray& der, qsizetype pos, qsizetype limite) {
    if (pos + 2 > limite)
        return std::nullopt;
    Elemento e;
    e.inicio = pos;
    e.tag = quint8(der[pos++]);
    if ((e.tag & 0x1f) == 0x1f)
        return std::nullopt; // long tags: none in a certificate's frame
    qsizetype tamanho = quint8(der[pos++]);
    if (tamanho & 0x80) {
        const int bytes = tamanho & 0x7f;
        if (bytes == 0 || bytes > 4 || pos + bytes > limite)
            return std::nullopt;
        tamanho = 0;
        for (int i = 0; i < bytes; ++i)
            tamanho = (tamanho << 8) | quint8(der[pos++]);
    }
    if (tamanho > limite - pos)
        return std::nullopt;
    e.conteudo = pos;
    e.fim = pos + tamanho;
    return e;
}

} // namespace

QString NomeDoServidor(const QString& servidor) {
    return servidor.trimmed().toLower();
}

QByteArray ChaveDaConstrucao() {
#ifdef COTACAO_CHAVE_FTP
    return QByteArrayLiteral(COTACAO_CHAVE_FTP);
#else
    return {};
#endif
}

bool ConhecidoPelaConstrucao(const QString& servidor) {
    return !ChaveDaConstrucao().isEmpty() &&
           NomeDoServidor(servidor) == NomeDoServidor(Servidor::ftpDaConstrucao());
}

void UsaGuardaDeServidores(GuardaDeServidores guarda) {
    const std::lock_guard trava(g_trava);
    g_guarda = std::move(guarda);
    g_conhecidos.clear();
}

nucleo::Resultado<ServidorConhecido> Conhecido(const QString& servidor) {
    const QString chave = NomeDoServidor(servidor);
    // The vendor's key is the one its server is known by: nothing learnt may stand for it.
    if (ConhecidoPelaConstrucao(chave))
        return ServidorConhecido{true, ChaveDaConstrucao()};
    GuardaDeServidores guarda;
    {
        const std::lock_guard trava(g_trava);
        if (const auto it = g_conhecidos.constFind(chave); it != g_conhecidos.cend())
            return *it;
        guarda = g_guarda;
    }
    if (!guarda.procura)
        return ServidorConhecido{};
    const auto guardado = guarda.procura(chave);
    if (!guardado) {
        const nucleo::Falha& falha = guardado.falha();
        return nucleo::Falha{nucleo::Falha::Tipo::Inseguro, textos::RegistroIlegivel,
                             falha.texto + QStringLiteral(" (") + falha.detalhe + u')'};
    }
    if (!*guardado)
        return ServidorConhecido{};
    const std::lock_guard trava(g_trava);
    g_conhecidos.insert(chave, **guardado);
    return **guardado;
}

void Aprende(const QString& servidor, const ServidorConhecido& conhecido) {
    const QString chave = NomeDoServidor(servidor);
    GuardaDeServidores guarda;
    {
        const std::lock_guard trava(g_trava);
        g_conhecidos.insert(chave, conhecido);
        guarda = g_guarda;
    }
    if (guarda.guarda)
        guarda.guarda(chave, conhecido);
}

QByteArray ChaveDoCertificado(const QByteArray& der) {
    // Certificate ::= SEQUENCE { tbsCertificate SEQUENCE { [0] version OPTIONAL, serialNumber,
    // signature, issuer, validity, subject, subjectPublicKeyInfo, ... }, ... }
    const auto certificado = elemento(der, 0, der.size());
    if (!certificado || certificado->tag != 0x30)
        return {};
    const auto tbs = elemento(der, certificado->conteudo, certificado->fim);
    if (!tbs || tbs->tag != 0x30)
        return {};
    qsizetype pos = tbs->conteudo;
    auto campo = elemento(der, pos, tbs->fim);
    if (campo && campo->tag == 0xa0) { // the version
        pos = campo->fim;
        campo = elemento(der, pos, tbs->fim);
    }
    // serialNumber, signature, issuer, validity, subject: then the key.
    for (int i = 0; i < 5; ++i) {
        if (!campo)
            return {};
        pos = campo->fim;
        campo = elemento(der, pos, tbs->fim);
    }
    if (!campo || campo->tag != 0x30)
        return {};
    const QByteArray spki = der.mid(campo->inicio, campo->fim - campo->inicio);
    return "sha256//" + QCryptographicHash::hash(spki, QCryptographicHash::Sha256).toBase64();
}

QByteArray ChaveDoCertificadoPem(const QByteArray& pem) {
    const QByteArray inicio = "-----BEGIN CERTIFICATE-----";
    const QByteArray fim = "-----END CERTIFICATE-----";
    const qsizetype a = pem.indexOf(inicio);
    const qsizetype b = a < 0 ? -1 : pem.indexOf(fim, a);
    if (b < 0)
        return {};
    QByteArray corpo = pem.mid(a + inicio.size(), b - a - inicio.size());
    corpo.replace('\r', "").replace('\n', "").replace(' ', "");
    const auto der = QByteArray::fromBase64Encoding(corpo, QByteArray::AbortOnBase64DecodingErrors);
    return der ? ChaveDoCertificado(*der) : QByteArray();
}

QByteArray ChaveDaFolha(const QList<CertificadoApresentado>& cadeia) {
    const CertificadoApresentado* folha = nullptr;
    for (qsizetype i = 0; i < cadeia.size(); ++i) {
        bool emitiu = false;
        for (qsizetype j = 0; j < cadeia.size() && !emitiu; ++j)
            emitiu = j != i && cadeia[j].emissor == cadeia[i].sujeito;
        if (emitiu)
            continue;
        if (folha)
            return {}; // two candidates: no telling which one the server is
        folha = &cadeia[i];
    }
    return folha ? ChaveDoCertificadoPem(folha->pem) : QByteArray();
}

} // namespace remoto
