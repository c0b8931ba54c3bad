#pragma once

#include "acesso/Entrada.h"
#include "formatos/Cotacao.h"
#include "janelas/Janela.h"
#include "login/FormMinhasCotacoes.h"
#include "remoto/Conexao.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace banco {
class BancoLocal;
}
namespace janelas {
class ImagemFundo;
}

// The first window: the supplier types his CNPJ, the quotation number and its password; the
// checks are acesso::Entra's, this form says what it tells and moves the focus.
class FormLogin : public DataDialog, private acesso::ConversaDoLogin {
public:
    // Opens the quotation form for a quotation number and the CNPJ digits, giving it
    // QuitOnClose, with the quotation file as the login read it; handed in by the application so
    // that this form does not depend on it.
    using AbreCotacao = std::function<void(const QString& codCotacao, const QString& cnpj,
                                           formatos::Cotacao cotacao)>;

    // Prints an answer sent from this computer, whose copy kept here is the one sent; handed in
    // by the application like AbreCotacao.
    using ImprimeResposta = login::FormMinhasCotacoes::ImprimeResposta;

    // `banco`: the local database, where the answers sent and the drafts are listed from
    // ("Minhas cotações" and the numbers offered in the number field); without it neither is
    // offered.
    FormLogin(remoto::Rede rede, AbreCotacao abreCotacao, banco::BancoLocal* banco = nullptr,
              ImprimeResposta imprimeResposta = {});

    void Setup();
    void OK();
    void Sair();
    void VideoAula();
    // The list of the answers sent from here and the drafts (F3).
    void abreMinhasCotacoes();

    // The fields as the program reads them; the CNPJ as shown, punctuation and blanks included.
    QString MCNPJ() const { return m_cnpj->displayText(); }
    void setMCNPJ(const QString& texto) { m_cnpj->setText(texto); }
    QString MCodCotacao() const { return m_codCotacao->text(); }
    void setMCodCotacao(const QString& texto) { m_codCotacao->setText(texto); }
    QString MSenha() const { return m_senha->text(); }
    void setMSenha(const QString& texto) { m_senha->setText(texto); }

private:
    void recusa(const QString& texto, std::optional<acesso::Campo> campo) override;
    bool conectado() override;
    void aguarda(const QString& texto, const std::function<void()>& trabalho) override;

    void PostInit();
    // The order of the tab chain, from the CNPJ to the video lesson.
    void ordemDeTab();
    // Where the form is larger than `area` (a small screen, a large scale), the window takes the
    // room there is and its picture and controls scroll inside it.
    void cabeEm(const QRect& area);
    QLineEdit* campo(const char* nome, const QString& rotulo, QRect retangulo);
    // Offers the numbers of the latest answers and drafts as the number is typed.
    void carregaNumerosRecentes();

    remoto::Rede m_rede;
    AbreCotacao m_abreCotacao;
    QLineEdit* m_cnpj = nullptr;
    QLineEdit* m_codCotacao = nullptr;
    QLineEdit* m_senha = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_sair = nullptr;
    QLabel* m_versao = nullptr;
    janelas::ImagemFundo* m_fundo = nullptr;
    QPushButton* m_videoAula = nullptr;
    banco::BancoLocal* m_banco = nullptr;
    ImprimeResposta m_imprimeResposta;
    QPushButton* m_minhasCotacoes = nullptr;
};
