#include "programa/AppCotacao.h"

#include "banco/BancoLocal.h"
#include "janelas/FormEmEspera.h"
#include "janelas/Janela.h"
#include "janelas/Textos.h"
#include "login/FormLogin.h"
#include "nucleo/ProgramDir.h"
#include "programa/Abertura.h"
#include "remoto/Espera.h"

#include <QPointer>

using namespace inicio;

namespace programa {

namespace {

// Start-up's words as boxes over no window, its waits with the waiting notice.
class ConversaEmCaixas : public ConversaDaPartida {
public:
    void avisa(const QString& texto) override { WarningBox(janelas::textos::Aviso, texto); }
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override {
        const janelas::AvisoEmEspera aviso(texto);
        trabalho();
    }
};
} // namespace

AppCotacao::AppCotacao(OpcoesInicio opcoes)
    : m_opcoes(std::move(opcoes)) {}

AppCotacao::~AppCotacao() = default;

void AppCotacao::Start() {
    // What was learnt of the servers' TLS, for every transfer from the first.
    remoto::UsaGuardaDeServidores(GuardaNoBanco(nucleo::ArquivoDoPrograma(kArquivoDoBanco)));
    // Opened at its first use, once the login shows.
    m_banco = std::make_unique<banco::BancoLocal>(nucleo::ArquivoDoPrograma(kArquivoDoBanco));
    // The login form is built while the version is checked on the network thread (the start's
    // two costs side by side), and shown only when start-up leads to it.
    QPointer<FormLogin> login;
    if (!m_opcoes.abrirLogin)
        remoto::DuranteAProximaEspera([&] { login = CriaLogin(m_opcoes.rede, m_banco.get()); });
    ConversaEmCaixas conversa;
    const Rumo rumo = Parte(m_opcoes, conversa);
    remoto::DuranteAProximaEspera({}); // a start that never waited for the network built nothing
    if (rumo != Rumo::Login) {
        delete login;
        return;
    }
    if (m_opcoes.abrirLogin)
        m_opcoes.abrirLogin();
    else
        MostraLogin(login ? login.data() : CriaLogin(m_opcoes.rede, m_banco.get()));
    Exec();
}

} // namespace programa
