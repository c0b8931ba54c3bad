#include "tests/remoto/tst_assinatura.h"
#include "tests/remoto/tst_conexao.h"
#include "tests/remoto/tst_ftp.h"
#include "tests/remoto/tst_servidores.h"
#include "tests/remoto/tst_tls.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(Ftp, FtpTls, ServidoresFtp, Conexao, Endereco, Assinatura)
