#include "runtime/ui/Conectividade.h"

#include "runtime/ui/Caixas.h"
#include "runtime/ui/FormEmEspera.h"
#include "runtime/ui/Textos.h"

namespace janelas {

bool ConectadoOuAvisa(QWidget* janela, const std::function<bool()>& verifica) {
    bool conectado = false;
    {
        const AvisoEmEspera aviso(textos::VerificandoConexao);
        conectado = verifica();
    }
    if (!conectado)
        Caixas::aviso(janela, textos::Aviso, textos::SemConexao);
    return conectado;
}

} // namespace janelas
