#pragma once

#include <QString>

class QWidget;

namespace janelas {

enum class Escolha { Abrir, Salvar };

// The file dialog, through the message seam: in its test mode nothing is shown and the name
// queued with ProximoArquivo is answered (none queued: cancelled). An empty answer is a cancel.
// Every dialog starts in the same folder, PastaDosArquivos, suggesting `nome` there (none: no
// name); the folder of the file chosen is where the next one starts.
QString EscolheArquivo(Escolha escolha, QWidget* dono, const QString& titulo, const QString& nome,
                       const QString& filtros);
void ProximoArquivo(const QString& caminho);

// The user's documents folder until a file is chosen, then the folder of the last one chosen,
// while the program runs.
QString PastaDosArquivos();

} // namespace janelas
