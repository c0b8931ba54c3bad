#include "janelas/Conectividade.h"

#include "janelas/Caixas.h"
#include "janelas/FormEmEspera.h"
#include "janelas/Textos.h"

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
