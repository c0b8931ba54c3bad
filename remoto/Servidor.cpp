#include "remoto/Servidor.h"

#include <QByteArray>

namespace remoto {

namespace {
const QString kServidorFtp = QStringLiteral("ftp.cotacaoeletronica.com.br");
const QString kHostConexao = QStringLiteral("www.google.com");

QString ambiente(const char* nome, const QString& padrao) {
    const QString valor = qEnvironmentVariable(nome).trimmed();
    return valor.isEmpty() ? padrao : valor;
}
} // namespace

namespace Servidor {

QString ftp() {
    return ambiente("COTACAO_SERVIDOR_FTP", kServidorFtp);
}

QString ftpDaConstrucao() {
    return kServidorFtp;
}

Endereco hostConexao() {
    return endereco(ambiente("COTACAO_HOST_CONEXAO", kHostConexao), 80);
}

Endereco endereco(const QString& texto, quint16 portaPadrao) {
    QString host = texto.trimmed();
    quint16 porta = portaPadrao;
    const qsizetype doisPontos = host.lastIndexOf(u':');
    const bool ipv6SemPorta = host.count(u':') > 1 && !host.startsWith(u'[');
    if (doisPontos > 0 && !ipv6SemPorta) {
        bool ok = false;
        const uint numero = host.mid(doisPontos + 1).toUInt(&ok);
        if (ok && numero > 0 && numero <= 65535)
            porta = quint16(numero);
        host.truncate(doisPontos);
    }
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    return {host, porta};
}

} // namespace Servidor

} // namespace remoto
