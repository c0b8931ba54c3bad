#include "tests/janelas/tst_avisos.h"
#include "tests/janelas/tst_erros.h"
#include "tests/janelas/tst_janela.h"
#include "tests/support/TestMainJanelas.h"

COTACAO_TEST_MAIN_JANELAS(Janelas, Erros, Avisos)
