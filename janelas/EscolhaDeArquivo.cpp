#include "janelas/EscolhaDeArquivo.h"

#include "janelas/Caixas.h"

#include <QFileDialog>
#include <QStringList>

namespace janelas {
namespace {
QStringList& fila() {
    static QStringList nomes;
    return nomes;
}
} // namespace

QString EscolheArquivo(Escolha escolha, QWidget* dono, const QString& titulo,
                       const QString& sugerido, const QString& filtros) {
    if (Caixas::modoDeTeste())
        return fila().isEmpty() ? QString() : fila().takeFirst();
    return escolha == Escolha::Salvar
               ? QFileDialog::getSaveFileName(dono, titulo, sugerido, filtros)
               : QFileDialog::getOpenFileName(dono, titulo, sugerido, filtros);
}

void ProximoArquivo(const QString& caminho) {
    fila().append(caminho);
}

} // namespace janelas
