#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace nucleo {

// The files the program exchanges are bytes in Windows-1252. These two functions are the only
// place where those bytes become text and back.
//
// Our own table rather than a codec library: the conversion must behave as Windows does
// (every byte maps to a character, the five unassigned ones included; a character the code page
// cannot hold is written "?") on every platform, whether or not Qt was built with ICU.
QString DeCp1252(QByteArrayView bytes);
QByteArray ParaCp1252(QStringView text);

} // namespace nucleo
