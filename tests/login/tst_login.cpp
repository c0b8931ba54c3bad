#include "tests/login/tst_formlogin.h"
#include "tests/login/tst_minhas.h"
#include "tests/support/TestMainJanelas.h"

COTACAO_TEST_MAIN_JANELAS(Login, ListaDeRespostas)
