#include "nucleo/Processo.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#else
#include <QProcess>
#endif

namespace nucleo {

bool IniciaPrograma(const QString& programa, const QString& pasta) {
#ifdef Q_OS_WIN
    const std::wstring arquivo = QDir::toNativeSeparators(programa).toStdWString();
    const std::wstring diretorio = QDir::toNativeSeparators(pasta).toStdWString();
    // ShellExecute answers a value above 32 when the program was started.
    const auto r =
        ShellExecuteW(nullptr, L"open", arquivo.c_str(), nullptr, diretorio.c_str(), SW_SHOW);
    return reinterpret_cast<INT_PTR>(r) > 32;
#else
    return QProcess::startDetached(programa, {}, pasta);
#endif
}

ArquivoRetido::ArquivoRetido(const QString& caminho) {
#ifdef Q_OS_WIN
    const std::wstring nome = QDir::toNativeSeparators(caminho).toStdWString();
    const HANDLE h = CreateFileW(nome.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    const int descritor = _open_osfhandle(reinterpret_cast<intptr_t>(h), _O_RDONLY | _O_BINARY);
    if (descritor < 0) {
        CloseHandle(h);
        return;
    }
    if (!m_arquivo.open(descritor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        _close(descritor);
#else
    m_arquivo.setFileName(caminho);
    (void)m_arquivo.open(QIODevice::ReadOnly);
#endif
}

} // namespace nucleo
