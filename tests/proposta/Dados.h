#pragma once

// What the tests of the answer and of its form share: a quotation, its number, the supplier's
// CNPJ, and the texts the program is expected to say.
#include "banco/BancoLocal.h"
#include "formatos/Lista.h"
#include "nucleo/Cp1252.h"
#include "nucleo/Regional.h"

#include <QByteArray>
#include <QLocale>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QTest>

namespace teste {

inline const QString kNumero = "2026000000012345";
inline const QString kCNPJ = "11222333000181";
inline const QString kResposta = kNumero + kCNPJ + ".cot";

inline QByteArray cotacao(const QStringList& produtos) {
    return "[Geral]\r\nSolicitante=  Mercado S\xe3o Jo\xe3o  \r\nSenhaCotacao=37214508\r\n"
           "ListaProdutos=" +
           nucleo::ParaCp1252(formatos::EscreveLista(produtos)) + "\r\n";
}

inline const QStringList kTres{"1001", "789", "AÇÚCAR 1KG",  "120",    "UN", "x",
                               "1002", "788", "CAFÉ 500G",   "48",     "UN", "x",
                               "1003", "787", "PÃO FRANCÊS", "12,500", "KG", "x"};

// The start of a text of Textos.h up to its first placeholder ("%1"): what each box made from it
// contains, whatever is put in its place.
inline QString inicio(const QString& modelo) {
    return modelo.left(modelo.indexOf(u'%'));
}

// A local database this version cannot use: written by a newer one.
inline void BancoDeOutraVersao(const QString& arquivo) {
    banco::BancoLocal outro(arquivo);
    QSqlQuery(outro.db()).exec("PRAGMA user_version=99");
}

// Brazilian regional settings for a test, and the C ones back after it.
inline void regionalBrasileiro() {
    SetInternational(nucleo::ModoInternacional::Windows,
                     nucleo::ItensDaLocalidade::de(QLocale("pt_BR")));
}
inline void regionalC() {
    SetInternational(nucleo::ModoInternacional::Windows,
                     nucleo::ItensDaLocalidade::de(QLocale::c()));
}

} // namespace teste

using namespace teste;
