#pragma once

#include <QString>

// The digits of a text, in their order; everything else is dropped.
QString LimpaNumeros(const QString& texto);
