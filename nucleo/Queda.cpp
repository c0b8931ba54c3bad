// The paths by which errors reach DefError at start-up, and the record of a crash: a processor
// exception cannot show a box any more, so its log record is written with what is safe at that
// moment (no heap, no locks, no Qt), from what start-up prepared. How a crash is caught is the
// platform's (QuedaPosix.cpp, QuedaWindows.cpp).

#include "nucleo/Queda.h"

#include "nucleo/Cp1252.h"
#include "nucleo/Erro.h"
#include "nucleo/Pilha.h"
#include "nucleo/ProgramDir.h"
#include "nucleo/Regional.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <iterator>

namespace nucleo {
namespace {
// Everything the crash handler needs, prepared at start-up.
struct ParaFalhas {
    char caminho[4096];
    char aplicacao[256];
    char versao[128];
    char16_t formatoData[32];
    bool anoComQuatroDigitos;
    char separadorHora;
    bool dozeHoras;
    char manha[32];
    char tarde[32];
    long desvioUtc;
    char registro[64 * 1024];
};
ParaFalhas g;

void copia(char* destino, std::size_t tamanho, const QByteArray& bytes) {
    std::strncpy(destino, bytes.constData(), tamanho - 1);
    destino[tamanho - 1] = '\0';
}

void doisDigitos(Saida& s, long n) {
    s << char('0' + n / 10 % 10) << char('0' + n % 10);
}

// Today and now as DateToText and TimeToText write them, from the clock alone.
void escreveDataHora(Saida& data, Saida& hora, std::time_t agora) {
    const long long local = agora + g.desvioUtc;
    long long dias = local / 86400;
    long segundos = long(local % 86400);
    if (segundos < 0)
        segundos += 86400, --dias;
    // Days since 1970-01-01 to a civil date (proleptic Gregorian calendar).
    const long long z = dias + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const long dia = long(doy - (153 * mp + 2) / 5 + 1);
    const long mes = long(mp < 10 ? mp + 3 : mp - 9);
    const long ano = long(yoe + era * 400 + (mes <= 2));

    PercorreFormatoDeData(
        QStringView(g.formatoData),
        [&](CampoDeData campo) {
            if (campo == CampoDeData::Ano && g.anoComQuatroDigitos)
                doisDigitos(data, ano / 100);
            doisDigitos(data, campo == CampoDeData::Ano   ? ano
                              : campo == CampoDeData::Mes ? mes
                                                          : dia);
        },
        [&](QChar separador) { data << separador.toLatin1(); });

    long horas = segundos / 3600;
    const char* sufixo = "";
    if (g.dozeHoras) {
        sufixo = horas < 12 ? g.manha : g.tarde;
        horas = horas % 12 == 0 ? 12 : horas % 12;
    }
    doisDigitos(hora, horas);
    hora << g.separadorHora;
    doisDigitos(hora, segundos / 60 % 60);
    hora << g.separadorHora;
    doisDigitos(hora, segundos % 60);
    hora << sufixo;
}

void preparaRegistro() {
    copia(g.caminho, sizeof g.caminho, CaminhoDoRegistroDeErros());
    copia(g.aplicacao, sizeof g.aplicacao, NomeDoExecutavel());
    copia(g.versao, sizeof g.versao, ParaCp1252(VersaoDoRuntime()));
    const ConfiguracaoRegional& r = ConfiguracaoEmVigor();
    const QStringView formato = QStringView(r.formatoDeData).left(std::size(g.formatoData) - 1);
    std::copy(formato.utf16(), formato.utf16() + formato.size(), g.formatoData);
    g.anoComQuatroDigitos = r.seculo || r.formatoDeData.contains(u"YYYY");
    g.separadorHora = r.separadorDeHora.toLatin1();
    g.dozeHoras = r.relogioDe12Horas;
    copia(g.manha, sizeof g.manha, ParaCp1252(r.sufixoManha));
    copia(g.tarde, sizeof g.tarde, ParaCp1252(r.sufixoTarde));
    g.desvioUtc = QDateTime::currentDateTime().offsetFromUtc();
}
} // namespace

namespace queda {

void Registra(ErroBruto& erro) {
    erro.subSystem = "Runtime";
    erro.subCode = kSubcodigoExcecao;
    erro.subCodeText = "Processor exception";
    erro.genCode = CodigoGenerico::Processador;
    char textoData[48];
    char textoHora[48];
    Saida data(textoData, sizeof textoData);
    Saida hora(textoHora, sizeof textoHora);
    escreveDataHora(data, hora, std::time(nullptr));
    Saida registro(g.registro, sizeof g.registro);
    EscreveRegistro(registro, erro, {g.versao, data.texto(), hora.texto(), g.aplicacao});
    AcrescentaAoRegistro(g.caminho, registro.texto());
}

} // namespace queda

void InstalaTratamentoDeErros() {
    if (!ErrorBlock())
        ErrorBlock(DefError);
    PreparaPilha();
    preparaRegistro();
    queda::InstalaCaptura();
}

} // namespace nucleo
