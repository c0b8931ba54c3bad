#include "tests/nucleo/tst_ini.h"
#include "tests/nucleo/tst_regional.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Regional, Ini, Texto)
