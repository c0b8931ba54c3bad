#pragma once

#include <QRect>

namespace janelas {

// Forms are laid out in the dialog units of their templates. With the 8-point base font one
// horizontal unit is 1.5 px and one vertical unit 1.625 px at 96 dpi; every form converts
// through here so that they all follow the same rule.
namespace UnidadesDeDialogo {
constexpr int x(int units) {
    return (units * 3 + 1) / 2;
}
constexpr int y(int units) {
    return (units * 13 + 4) / 8;
}
constexpr QRect rect(int left, int top, int width, int height) {
    return QRect(x(left), y(top), x(width), y(height));
}
} // namespace UnidadesDeDialogo

} // namespace janelas
