#include "tests/remote/tst_assinatura.h"
#include "tests/remote/tst_conexao.h"
#include "tests/remote/tst_ftp.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Ftp, Conexao, Endereco, Assinatura)
