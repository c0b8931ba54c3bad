#include "tests/inicio/tst_partida.h"
#include "tests/inicio/tst_reimpressao.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Versao, Inicio, Reimpressao)
