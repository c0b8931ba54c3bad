#include "remote/Ftp.h"

#include "runtime/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {

struct CurlCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using Curl = std::unique_ptr<CURL, CurlCleanup>;

Curl newSession() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    return Curl(curl_easy_init());
}

// A bare file name: no path may reach outside the current directory.
bool isBareName(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(u'\\') && !name.contains(QChar(0));
}

QByteArray escaped(CURL* curl, const QString& text) {
    const QByteArray bytes = toCp1252(text);
    char* out = curl_easy_escape(curl, bytes.constData(), int(bytes.size()));
    QByteArray result(out);
    curl_free(out);
    return result;
}

// Sets up a session for `diretorio/arquivo`; the directory is entered with one CWD.
Curl session(const QString& servidor, const QString& usuario, const QString& senha,
             const QString& diretorio, const QString& arquivo, const FtpLimites& limites) {
    Curl curl = newSession();
    if (!curl)
        return curl;
    CURL* c = curl.get();
    const QByteArray url =
        "ftp://" + toCp1252(servidor) + '/' + escaped(c, diretorio) + '/' + escaped(c, arquivo);
    const QByteArray user = toCp1252(usuario);
    const QByteArray password = toCp1252(senha);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(c, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
    curl_easy_setopt(c, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, long(limites.conexao.count()));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(limites.resposta.count()));
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, kVelocidadeMinima);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, long(limites.parada.count()));
    return curl;
}

size_t writeToFile(char* data, size_t size, size_t count, void* file) {
    const auto bytes = qint64(size * count);
    return static_cast<QSaveFile*>(file)->write(data, bytes) == bytes ? size * count : 0;
}

size_t readFromFile(char* buffer, size_t size, size_t count, void* file) {
    const qint64 read = static_cast<QFile*>(file)->read(buffer, qint64(size * count));
    return read < 0 ? CURL_READFUNC_ABORT : size_t(read);
}

} // namespace

bool BaixarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo,
                         const FtpLimites& limites) {
    const QString nome = arquivo.trimmed();
    if (!isBareName(nome))
        return false;
    Curl curl = session(servidor, usuario, senha, diretorio.trimmed(), nome, limites);
    if (!curl)
        return false;

    QSaveFile local(QDir::current().filePath(nome));
    local.setDirectWriteFallback(false);
    if (!local.open(QIODevice::WriteOnly))
        return false;
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, writeToFile);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &local);
    if (curl_easy_perform(curl.get()) != CURLE_OK) {
        local.cancelWriting();
        return false;
    }
    curl.reset(); // close the connection before touching the local copy
    return local.commit();
}

bool EnviarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo,
                         const FtpLimites& limites) {
    const QString nome = arquivo.trimmed();
    if (!isBareName(nome))
        return false;
    QFile local(QDir::current().filePath(nome));
    if (!local.open(QIODevice::ReadOnly))
        return false;
    Curl curl = session(servidor, usuario, senha, diretorio.trimmed(), nome, limites);
    if (!curl)
        return false;
    curl_easy_setopt(curl.get(), CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_READFUNCTION, readFromFile);
    curl_easy_setopt(curl.get(), CURLOPT_READDATA, &local);
    curl_easy_setopt(curl.get(), CURLOPT_INFILESIZE_LARGE, curl_off_t(local.size()));
    return curl_easy_perform(curl.get()) == CURLE_OK;
}
