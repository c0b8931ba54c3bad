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
    return nucleo::TentaOuErro([&] { return PutFileIni(secao, chave, valor, arquivo).ok(); }, erro);
}

} // namespace janelas
