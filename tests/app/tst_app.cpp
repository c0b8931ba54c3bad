#include "tests/app/tst_inicio.h"
#include "tests/app/tst_reimpressao.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Versao, Inicio, Reimpressao)
