#pragma once

#include <QString>

class QWidget;

namespace janelas {

enum class Escolha { Abrir, Salvar };

// The file dialog, through the message seam: in its test mode nothing is shown and the name
// queued with ProximoArquivo is answered (none queued: cancelled). An empty answer is a cancel.
QString EscolheArquivo(Escolha escolha, QWidget* dono, const QString& titulo,
                       const QString& sugerido, const QString& filtros);
void ProximoArquivo(const QString& caminho);

} // namespace janelas
