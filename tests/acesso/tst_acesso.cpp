#include "tests/acesso/tst_entrada.h"
#include "tests/acesso/tst_verificacao.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Senha, Entrar)
