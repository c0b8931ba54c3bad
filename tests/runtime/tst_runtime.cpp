#include "tests/runtime/tst_avisos.h"
#include "tests/runtime/tst_erros.h"
#include "tests/runtime/tst_ini.h"
#include "tests/runtime/tst_janelas.h"
#include "tests/runtime/tst_regional.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Regional, Janelas, Erros, Ini, Texto, Avisos)
