#include "nucleo/NumerosEmC.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace nucleo {

#ifdef _WIN32

// The C runtime keeps one locale per process unless a thread asks for its own.
struct EstadoAnterior {
    int modo;
    char* numeros;
};

NumerosEmC::NumerosEmC() {
    const int modo = _configthreadlocale(_ENABLE_PER_THREAD_LOCALE);
    const char* atual = std::setlocale(LC_NUMERIC, nullptr);
    m_anterior = new EstadoAnterior{modo, atual ? _strdup(atual) : nullptr};
    std::setlocale(LC_NUMERIC, "C");
}

NumerosEmC::~NumerosEmC() {
    auto* anterior = static_cast<EstadoAnterior*>(m_anterior);
    if (anterior->numeros)
        std::setlocale(LC_NUMERIC, anterior->numeros);
    std::free(anterior->numeros);
    _configthreadlocale(anterior->modo);
    delete anterior;
}

#else

NumerosEmC::NumerosEmC() {
    m_c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    if (m_c)
        m_anterior = uselocale(static_cast<locale_t>(m_c));
}

NumerosEmC::~NumerosEmC() {
    if (!m_c)
        return;
    uselocale(static_cast<locale_t>(m_anterior));
    freelocale(static_cast<locale_t>(m_c));
}

#endif

} // namespace nucleo
