#include "janelas/GravacaoComAviso.h"

#include "janelas/Textos.h"
#include "nucleo/Erro.h"
#include "nucleo/Ini.h"

namespace janelas {

bool GravaIni(const QString& secao, const QString& chave, const QString& valor,
              const QString& arquivo) {
    Error erro;
    erro.SubSystem = QStringLiteral("Profile");
    erro.GenCode = nucleo::CodigoGenerico::Gravacao;
    erro.Operation = QStringLiteral("PutFileIni");
    erro.Description = textos::ConfiguracoesNaoGravadas;
    erro.FileName = arquivo;
    erro.Arg = secao + u'/' + chave;
    erro.ArgType = nucleo::Tipo::Texto;
    erro.ArgNum = 2;
    erro.CanDefault = true;
    erro.CanRetry = true;
    for (;;) {
        const nucleo::Resultado<void> gravado = PutFileIni(secao, chave, valor, arquivo);
        if (gravado)
            return true;
        erro.Description =
            textos::ConfiguracoesNaoGravadas + QStringLiteral(": ") + nucleo::Diz(gravado.falha());
        if (!nucleo::Repetir(nucleo::ErroDeExecucao(erro)))
            return false;
        ++erro.Tries;
    }
}

} // namespace janelas
