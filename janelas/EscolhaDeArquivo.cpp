#include "janelas/EscolhaDeArquivo.h"

#include "janelas/Caixas.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace janelas {
namespace {
QStringList& fila() {
    static QStringList nomes;
    return nomes;
}

QString& pasta() {
    static QString p = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return p;
}

QString escolhe(Escolha escolha, QWidget* dono, const QString& titulo, const QString& sugerido,
                const QString& filtros) {
    if (Caixas::modoDeTeste())
        return fila().isEmpty() ? QString() : fila().takeFirst();
    return escolha == Escolha::Salvar
               ? QFileDialog::getSaveFileName(dono, titulo, sugerido, filtros)
               : QFileDialog::getOpenFileName(dono, titulo, sugerido, filtros);
}
} // namespace

QString EscolheArquivo(Escolha escolha, QWidget* dono, const QString& titulo, const QString& nome,
                       const QString& filtros) {
    const QString inicio = PastaDosArquivos();
    const QString arquivo = escolhe(escolha, dono, titulo,
                                    nome.isEmpty() ? inicio : QDir(inicio).filePath(nome), filtros);
    if (!arquivo.isEmpty())
        pasta() = QFileInfo(arquivo).absolutePath();
    return arquivo;
}

void ProximoArquivo(const QString& caminho) {
    fila().append(caminho);
}

QString PastaDosArquivos() {
    // A documents folder that is gone (a removed drive) gives way to the home folder.
    if (!QFileInfo(pasta()).isDir())
        return QDir::homePath();
    return pasta();
}

} // namespace janelas
