#pragma once

#include "nucleo/Resultado.h"

#include <QString>

#include <chrono>
#include <functional>

namespace remoto {

// Time and size limits of one FTP session. A dead, stalled or trickling server must never hold
// the program: the connection (greeting included), every reply of the server and every stall is
// bounded, and the whole transfer has a deadline that grows with the file's size.
struct FtpLimites {
    std::chrono::seconds conexao{15};
    std::chrono::seconds resposta{30};
    std::chrono::seconds parada{30}; // below velocidadeMinima for this long
    long velocidadeMinima = 100;     // bytes per second; far below any real line
    // The deadline of the whole session: this floor, or the file's size at taxaDoPrazo bytes per
    // second when that is longer (a weak mobile line still moves 5 KB a second).
    std::chrono::seconds prazoMinimo{60};
    qint64 taxaDoPrazo = 5 * 1024;
    // A larger download is refused before it fills the disk. The quotation and answer files are
    // single INI values of at most 299,999 characters: 4 MB is far beyond any of them.
    qint64 tamanhoMaximo = 4 * 1024 * 1024;
};

// How a transfer ended: done, or failed as
// - Inexistente: the server answered that the file does not exist;
// - Rede: the server could not be reached or logged into, the line failed or stalled, the
//   deadline passed, or an upload the server does not hold whole (its size differs);
// - DiscoCheio, SemPermissao, NaoGravou: the local copy could not be written;
// - Ilegivel: the file to upload could not be read;
// - Recusada: a download larger than FtpLimites::tamanhoMaximo, or a name that is not a bare
//   file name.
using Desfecho = nucleo::Resultado<void>;

// One transfer: the server ("host" or "host:port"), the account, the remote directory, the bare
// name of the file on the server, and the full path of the local file (the caller names it, in
// the program folder as a rule; the current directory plays no part). A local path that is not
// absolute is refused as NomeInvalido.
struct PedidoFtp {
    QString servidor;
    QString usuario;
    QString senha;
    QString diretorio;
    QString arquivo;
    QString local;
    FtpLimites limites;
};

// A transfer of `arquivo` between the program's folder on the vendor's server (its account, its
// remote folder) and the file of the same name in the program's folder on this computer.
PedidoFtp PedidoDoPrograma(const QString& servidor, const QString& arquivo);

// Bytes moved so far and the file's size (0 while unknown); called on the thread that runs the
// transfer.
using AvisoDeProgresso = std::function<void(qint64 feito, qint64 total)>;

// One whole FTP session on the calling thread (connect, log in, one CWD, transfer in binary,
// close); nothing is shown or retried, no connection stays open.
//
// A download lands in a temporary file beside the local copy and replaces it only once the whole
// file arrived and reached the disk: a failed download leaves the previous copy as it was.
//
// An upload goes to the name + ".parte" and is renamed onto the name only when complete, so
// nobody ever reads half a file; where the server refuses the rename, the file is uploaded
// under its name directly. Either way the server's size of the file must equal the local size.
Desfecho Baixa(const PedidoFtp& pedido, const AvisoDeProgresso& progresso = {});
Desfecho Sobe(const PedidoFtp& pedido, const AvisoDeProgresso& progresso = {});

} // namespace remoto

// The transfers as the forms call them: server, user, password, remote directory and file name,
// the local file being the one of that name in the program folder; true only when the whole
// transfer succeeded. They run on the network thread while the calling
// window waits with its input held back, and report their progress to the waiting notice.
bool BaixarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo);
bool EnviarArquivoViaFTP(const QString& servidor, const QString& usuario, const QString& senha,
                         const QString& diretorio, const QString& arquivo);
