#include "nucleo/Gravacao.h"

#include "nucleo/Textos.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

namespace nucleo {

Falha DiagnosticaFalha(const QString& pasta, qint64 tamanho) {
    const auto falha = [&](Falha::Tipo tipo) {
        return Falha{tipo, textos::NaoGravou(tipo, pasta), pasta};
    };
    const QFileInfo info(pasta);
    if (!info.exists() || !info.isWritable())
        return falha(Falha::Tipo::SemPermissao);
    const QStorageInfo disco(pasta);
    // A little room for the file system's own blocks: a disk that cannot take the file and a bit
    // more is full as far as the supplier is concerned.
    if (disco.isValid() && disco.bytesAvailable() < tamanho + 64 * 1024)
        return falha(Falha::Tipo::DiscoCheio);
    return falha(Falha::Tipo::NaoGravou);
}

Resultado<void> ConcluiGravacao(QSaveFile& arquivo) {
    const qint64 tamanho = arquivo.size();
    // QSaveFile keeps small writes buffered: a full disk shows only here, and commit() would
    // rename the short file over the good one all the same.
    if (!arquivo.flush() || arquivo.error() != QFileDevice::NoError) {
        arquivo.cancelWriting();
        arquivo.commit(); // removes the temporary file
        return DiagnosticaFalha(QFileInfo(arquivo.fileName()).absolutePath(), tamanho);
    }
    if (!arquivo.commit())
        return DiagnosticaFalha(QFileInfo(arquivo.fileName()).absolutePath(), tamanho);
    return {};
}

Resultado<void> GravaArquivoInteiro(const QString& caminho, QByteArrayView bytes) {
    QSaveFile arquivo(caminho);
    arquivo.setDirectWriteFallback(false);
    if (!arquivo.open(QIODevice::WriteOnly))
        return DiagnosticaFalha(QFileInfo(caminho).absolutePath(), bytes.size());
    if (arquivo.write(bytes.data(), bytes.size()) != bytes.size()) {
        arquivo.cancelWriting();
        arquivo.commit();
        return DiagnosticaFalha(QFileInfo(caminho).absolutePath(), bytes.size());
    }
    return ConcluiGravacao(arquivo);
}

int RemoveTemporariosAbandonados(const QString& pasta) {
    static const QRegularExpression temporario(
        QStringLiteral("^.+\\.(cot|ini|exe|parte)\\.[A-Za-z0-9]{6}$"),
        QRegularExpression::CaseInsensitiveOption);
    int removidos = 0;
    const QDir dir(pasta);
    for (const QString& nome : dir.entryList(QDir::Files | QDir::Hidden))
        if (temporario.match(nome).hasMatch() && QFile::remove(dir.filePath(nome)))
            ++removidos;
    return removidos;
}

} // namespace nucleo
