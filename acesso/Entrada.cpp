#include "acesso/Entrada.h"

#include "acesso/Textos.h"
#include "acesso/Verificacao.h"
#include "formatos/Arquivos.h"
#include "nucleo/Erro.h"
#include "nucleo/Texto.h"
#include "remoto/Espera.h"
#include "remoto/Textos.h"

namespace acesso {

namespace {

// A refusal, told and answered.
nucleo::Falha recusa(ConversaDoLogin& conversa, nucleo::Falha::Tipo tipo, const QString& texto,
                     std::optional<Campo> campo = std::nullopt) {
    conversa.recusa(texto, campo);
    return {tipo, texto};
}

} // namespace

nucleo::Resultado<Entrada> Entra(const Credenciais& credenciais, const QString& servidorFtp,
                                 ConversaDoLogin& conversa) {
    using namespace acesso::textos;
    using Tipo = nucleo::Falha::Tipo;
    namespace Arquivos = formatos::Arquivos;
    const QString codigo = credenciais.codigo.trimmed();

    // The number becomes a file name and a remote path: nothing but 16 digits may pass.
    if (!Arquivos::NumeroCotacaoValido(codigo))
        return recusa(conversa, Tipo::Recusada, CodigoIncorreto, Campo::Codigo);
    if (credenciais.senha.trimmed().size() != 8)
        return recusa(conversa, Tipo::Recusada, SenhaIncorreta, Campo::Senha);
    if (credenciais.cnpj.trimmed().size() != 18)
        return recusa(conversa, Tipo::Recusada, CNPJIncorreto, Campo::CNPJ);
    // The window told that the Internet does not answer.
    if (!conversa.conectado())
        return nucleo::Falha{Tipo::Rede, remoto::textos::SemServidor};

    // The quotation file comes into the program folder, where it is read below.
    const remoto::PedidoFtp pedido =
        remoto::PedidoDoPrograma(servidorFtp, Arquivos::NomeCotacao(codigo));
    // Fails closed: a wait that never ran its work is no download.
    remoto::Desfecho baixou = nucleo::Falha{nucleo::Falha::Tipo::Rede, FalhaServidor};
    conversa.aguarda(remoto::textos::Conectando, [&] { baixou = remoto::BaixaEsperando(pedido); });
    if (!baixou) {
        // Each failure as what happened; only the server's "no such file" is a wrong number.
        const nucleo::Falha& falha = baixou.falha();
        nucleo::Registra(falha);
        switch (falha.tipo) {
        case Tipo::Inexistente:
            return recusa(conversa, falha.tipo, CotacaoInexistente);
        case Tipo::Rede:
            return recusa(conversa, falha.tipo, FalhaServidor);
        case Tipo::Recusada:
            return recusa(conversa, falha.tipo, CotacaoGrandeDemais.arg(codigo));
        default:
            return recusa(conversa, falha.tipo, falha.texto);
        }
    }

    // The quotation file is read once for both checks.
    auto lida = formatos::LeCotacao(pedido.local);
    // A file that came whole but cannot be read is not a wrong password.
    if (!lida)
        return recusa(conversa, lida.falha().tipo, nucleo::Diz(lida.falha()));
    const QString digitos = LimpaNumeros(credenciais.cnpj);
    if (!SenhaConfere(*lida, credenciais.senha, digitos))
        return recusa(conversa, Tipo::Recusada, SenhaIncorreta, Campo::Senha);
    if (!CNPJLiberado(*lida, digitos))
        return recusa(conversa, Tipo::Recusada, CNPJNaoLiberado);
    return Entrada{credenciais.codigo, digitos, std::move(*lida)};
}

} // namespace acesso
