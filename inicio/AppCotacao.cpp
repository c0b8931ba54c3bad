#include "inicio/AppCotacao.h"

#include "banco/BancoLocal.h"
#include "inicio/Janelas.h"
#include "janelas/FormEmEspera.h"
#include "janelas/Janela.h"
#include "janelas/Textos.h"
#include "nucleo/ProgramDir.h"

namespace inicio {

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
    ConversaEmCaixas conversa;
    if (Parte(m_opcoes, conversa) != Rumo::Login)
        return;
    m_banco = std::make_unique<banco::BancoLocal>(nucleo::ArquivoDoPrograma(kArquivoDoBanco));
    if (m_opcoes.abrirLogin)
        m_opcoes.abrirLogin();
    else
        AbreLogin(m_opcoes.rede, m_banco.get());
    Exec();
}

} // namespace inicio
