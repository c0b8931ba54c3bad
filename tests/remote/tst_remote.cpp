#include "tests/remote/tst_assinatura.h"
#include "tests/remote/tst_conexao.h"
#include "tests/remote/tst_ftp.h"
#include "tests/remote/tst_ini.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Ini, Texto, Ftp, Conexao, Assinatura)
