#include "quotation/Envio.h"

#include "runtime/core/Ini.h"
#include "store/PrecosEnviados.h"
#include "store/Rascunhos.h"

#include <QCryptographicHash>

namespace cotacao {

nucleo::FalhaGravacao GravaResposta(const formatos::Resposta& resposta, const QString& caminho,
                                    QByteArray* bytes) {
    return nucleo::ArquivoIni::edita(caminho, [&](nucleo::ArquivoIni& arquivo) {
        formatos::EscreveResposta(arquivo, resposta);
        if (bytes)
            *bytes = arquivo.bytes();
    });
}

banco::Recibo ReciboDoEnvio(const QString& cotacao, const QString& cnpj, const QString& arquivo,
                            const QByteArray& bytes) {
    return {QDateTime::currentDateTime(),
            cotacao,
            cnpj,
            arquivo,
            bytes.size(),
            QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()};
}

bool RegistraEnvio(banco::BancoLocal& banco, const banco::Recibo& recibo,
                   const QList<QPair<QString, QString>>& precos) {
    return banco.transacao([&] {
        return banco::Recibos(banco).registra(recibo) &&
               banco::Rascunhos(banco).descarta(recibo.cotacao, recibo.cnpj) &&
               banco::PrecosEnviados(banco).registra(recibo.cotacao, recibo.quando, precos);
    });
}

nucleo::FalhaGravacao GuardaTermos(const formatos::Termos& termos, const QString& config) {
    return nucleo::ArquivoIni::edita(config, [&](nucleo::ArquivoIni& arquivo) {
        formatos::EscreveTermosNaConfig(arquivo, termos);
    });
}

} // namespace cotacao
