#include "tests/app/tst_inicio.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Versao, Inicio)
