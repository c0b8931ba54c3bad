#pragma once

#include "nucleo/Resultado.h"

#include <QByteArrayView>
#include <QString>

class QSaveFile;

// Every file the program writes whole is written atomically: into a temporary file beside it,
// flushed and synced, then renamed over the old one. A write that failed anywhere (a full disk
// fails only when the buffered bytes are flushed at the end) leaves the old file as it was.
namespace nucleo {

// Finishes a write through QSaveFile: flushes what is buffered, checks the device's error, and
// only then commits; on any failure the temporary file is removed and the old file stays. The
// failure says why (DiscoCheio, SemPermissao or Outra) and where.
Resultado<void> ConcluiGravacao(QSaveFile& arquivo);

// Writes `bytes` as the whole content of `caminho`, atomically.
Resultado<void> GravaArquivoInteiro(const QString& caminho, QByteArrayView bytes);

// Why a write of `tamanho` bytes into `pasta` failed when it could not be opened or finished.
Falha DiagnosticaFalha(const QString& pasta, qint64 tamanho);

// Removes the temporary files that a write interrupted by the end of the process left in `pasta`
// (QSaveFile names them "<file>.XXXXXX"), for the files the program keeps there. Answers how
// many it removed.
int RemoveTemporariosAbandonados(const QString& pasta);

} // namespace nucleo
