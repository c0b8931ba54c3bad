#include "tests/nucleo/tst_avisos.h"
#include "tests/nucleo/tst_erros.h"
#include "tests/nucleo/tst_ini.h"
#include "tests/nucleo/tst_janelas.h"
#include "tests/nucleo/tst_regional.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Regional, Janelas, Erros, Ini, Texto, Avisos)
