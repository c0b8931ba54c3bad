#include "runtime/core/Processo.h"

#include <QDir>

#ifdef Q_OS_WIN
#include <windows.h>
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

} // namespace nucleo
