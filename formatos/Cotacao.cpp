#include "formatos/Cotacao.h"

#include "formatos/Arquivos.h"
#include "formatos/Lista.h"
#include "nucleo/Ini.h"
#include "nucleo/Textos.h"

#include <QFileInfo>

#include <array>

namespace formatos {

nucleo::Resultado<Cotacao> LeCotacao(const QString& caminho) {
    if (!QFileInfo::exists(caminho))
        return nucleo::Falha{nucleo::Falha::Tipo::Inexistente, nucleo::textos::NaoExiste(caminho),
                             caminho};
    nucleo::ArquivoIni ini;
    if (auto lido = ini.carrega(caminho); !lido)
        return lido.falha();
    using namespace Arquivos;
    formatos::Cotacao cotacao;
    cotacao.solicitante = ini.valor(Secao, Arquivos::Cotacao::Solicitante, QString());
    cotacao.senhaBase = ini.valor(Secao, Arquivos::Cotacao::SenhaCotacao, QString());

    const QString fornecedores = ini.valor(Secao, Arquivos::Cotacao::ListaFornecedor, QString());
    LeitorLista leitorFornecedores(fornecedores);
    std::array<QStringView, Arquivos::Cotacao::CamposFornecedor> f;
    while (leitorFornecedores.registro(f.data(), int(f.size())))
        cotacao.fornecedores.append(f[3].toString());

    const QString produtos = ini.valor(Secao, Arquivos::Cotacao::ListaProdutos, QString());
    if (produtos.trimmed().isEmpty())
        return cotacao;
    LeitorLista leitorProdutos(produtos);
    std::array<QStringView, Arquivos::Cotacao::CamposProduto> p;
    while (leitorProdutos.registro(p.data(), int(p.size())))
        cotacao.produtos.append(
            {p[0].toString(), p[1].toString(), p[2].toString(), p[3].toString(), p[4].toString()});
    return cotacao;
}

} // namespace formatos
