#include "tests/proposta/tst_atendimento.h"
#include "tests/proposta/tst_planilhas.h"
#include "tests/proposta/tst_precosdatabela.h"
#include "tests/proposta/tst_regras.h"
#include "tests/support/TestMain.h"

COTACAO_TEST_MAIN(RegrasDaProposta, EnvioSemJanela, Atendimentos, Planilhas, TabelaDePrecos)
