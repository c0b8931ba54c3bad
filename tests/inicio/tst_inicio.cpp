#include "tests/inicio/tst_partida.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Versao, Inicio)
