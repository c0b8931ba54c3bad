#pragma once

// While it lives, the C library formats and reads numbers on this thread as the C locale does
// (a decimal point), whatever the regional settings of the process. Libraries that write file
// formats with printf (libxlsxwriter) would otherwise write "12,5" under pt_BR, which the format
// does not allow. Other threads are not affected.
namespace nucleo {

class NumerosEmC {
public:
    NumerosEmC();
    ~NumerosEmC();
    NumerosEmC(const NumerosEmC&) = delete;
    NumerosEmC& operator=(const NumerosEmC&) = delete;

private:
    void* m_anterior = nullptr; // the thread's previous locale (POSIX) or its settings (Windows)
    void* m_c = nullptr;
};

} // namespace nucleo
