#include "acesso/Entrada.h"

#include "acesso/Textos.h"
#include "acesso/Verificacao.h"
#include "formatos/Arquivos.h"
#include "nucleo/Erro.h"
#include "nucleo/Texto.h"
#include "remoto/Espera.h"
#include "remoto/Textos.h"

namespace acesso {

std::optional<Entrada> Entra(const Credenciais& credenciais, const QString& servidorFtp,
                             ConversaDoLogin& conversa) {
    using namespace acesso::textos;
    namespace Arquivos = formatos::Arquivos;
    const QString codigo = credenciais.codigo.trimmed();

    // The number becomes a file name and a remote path: nothing but 16 digits may pass.
    if (!Arquivos::NumeroCotacaoValido(codigo)) {
        conversa.recusa(CodigoIncorreto, Campo::Codigo);
        return std::nullopt;
    }
    if (credenciais.senha.trimmed().size() != 8) {
        conversa.recusa(SenhaIncorreta, Campo::Senha);
        return std::nullopt;
    }
    if (credenciais.cnpj.trimmed().size() != 18) {
        conversa.recusa(CNPJIncorreto, Campo::CNPJ);
        return std::nullopt;
    }
    if (!conversa.conectado())
        return std::nullopt;

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
        case nucleo::Falha::Tipo::Inexistente:
            conversa.recusa(CotacaoInexistente, std::nullopt);
            break;
        case nucleo::Falha::Tipo::Rede:
            conversa.recusa(FalhaServidor, std::nullopt);
            break;
        case nucleo::Falha::Tipo::Recusada:
            conversa.recusa(CotacaoGrandeDemais.arg(codigo), std::nullopt);
            break;
        default:
            conversa.recusa(falha.texto, std::nullopt);
        }
        return std::nullopt;
    }

    // The quotation file is read once for both checks.
    auto lida = formatos::LeCotacao(pedido.local);
    if (!lida) {
        // A file that came whole but cannot be read is not a wrong password.
        conversa.recusa(nucleo::Diz(lida.falha()), std::nullopt);
        return std::nullopt;
    }
    const QString digitos = LimpaNumeros(credenciais.cnpj);
    if (!SenhaConfere(*lida, credenciais.senha, digitos)) {
        conversa.recusa(SenhaIncorreta, Campo::Senha);
        return std::nullopt;
    }
    if (!CNPJLiberado(*lida, digitos)) {
        conversa.recusa(CNPJNaoLiberado, std::nullopt);
        return std::nullopt;
    }
    return Entrada{credenciais.codigo, digitos, std::move(*lida)};
}

} // namespace acesso
