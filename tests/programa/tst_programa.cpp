#include "tests/programa/tst_abertura.h"
#include "tests/programa/tst_reimpressao.h"
#include "tests/support/TestMainJanelas.h"

COTACAO_TEST_MAIN_JANELAS(Abertura, Reimpressao)
