#include "tests/access/tst_login.h"
#include "tests/access/tst_minhas.h"
#include "tests/access/tst_verificacao.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Senha, Login, ListaDeRespostas)
