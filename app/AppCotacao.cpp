#include "app/AppCotacao.h"

#include "app/Janelas.h"
#include "app/Textos.h"
#include "app/Versao.h"
#include "remote/Ftp.h"
#include "runtime/ProgramDir.h"
#include "runtime/Texts.h"
#include "runtime/Window.h"

#include <QFile>
#include <QProcess>

namespace {
const QString kInstalador = QStringLiteral("CotacaoInstall.exe");

bool iniciarDesacoplado(const QString& programa, const QString& pasta) {
    return QProcess::startDetached(programa, {}, pasta);
}
} // namespace

AppCotacao::AppCotacao(OpcoesInicio opcoes)
    : m_opcoes(std::move(opcoes)) {
    if (!m_opcoes.iniciarProcesso)
        m_opcoes.iniciarProcesso = iniciarDesacoplado;
}

void AppCotacao::Start() {
    if (!VerificaConexaoInternet(m_opcoes.rede.conexao)) {
        WarningBox(RuntimeTexts::Aviso, TextosInicio::SemConexao);
        return;
    }
    if (!VerificaVersao(m_opcoes.rede.servidorFtp)) {
        atualizar();
        return;
    }
    if (m_opcoes.abrirLogin)
        m_opcoes.abrirLogin();
    else
        AbreLogin(m_opcoes.rede);
    Exec();
}

void AppCotacao::atualizar() {
    WarningBox(RuntimeTexts::Aviso, TextosInicio::NovaVersao);
    const QString instalador = programFile(kInstalador);
    QFile::remove(instalador);
    using namespace Servidor;
    if (BaixarArquivoViaFTP(m_opcoes.rede.servidorFtp, Usuario, Senha, Diretorio, kInstalador)) {
        WarningBox(RuntimeTexts::Aviso, TextosInicio::Desatualizada);
        QFile::setPermissions(instalador, QFile::permissions(instalador) | QFile::ExeOwner |
                                              QFile::ExeGroup | QFile::ExeOther);
        if (!m_opcoes.iniciarProcesso(instalador, programDir()))
            WarningBox(RuntimeTexts::Aviso, TextosInicio::FalhaInstalador);
    } else {
        WarningBox(RuntimeTexts::Aviso, TextosInicio::FalhaDownload);
    }
    Quit();
}
