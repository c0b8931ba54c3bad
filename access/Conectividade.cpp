#include "access/Conectividade.h"

#include "runtime/ui/Caixas.h"
#include "runtime/ui/FormEmEspera.h"
#include "runtime/ui/Textos.h"

namespace acesso {

bool ConectadoOuAvisa(QWidget* janela, const remoto::TesteConexao& conexao) {
    bool conectado = false;
    {
        const janelas::AvisoEmEspera aviso(janelas::textos::VerificandoConexao);
        conectado = VerificaConexaoInternet(conexao);
    }
    if (!conectado)
        janelas::Caixas::aviso(janela, janelas::textos::Aviso, janelas::textos::SemConexao);
    return conectado;
}

} // namespace acesso
