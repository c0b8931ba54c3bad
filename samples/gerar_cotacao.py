#!/usr/bin/python3
"""Writes a quotation file as the buyer's system does: INI layout, section [Geral],
Windows-1252 bytes, CRLF lines, lists in the bracketed encoding "[|item|]".

  gerar_cotacao.py SAIDA                 the sample quotation (ten products)
  gerar_cotacao.py SAIDA --produtos N    N products, for tests and benchmarks

Invited suppliers and their passwords (base 37214508 + the first six CNPJ digits):
  11.222.333/0001-81  password 37326731
  45.987.654/0001-10  password 37674384
  07.123.456/0001-99  password 37285742
"""
import argparse

SENHA_BASE = "37214508"
SOLICITANTE = "Supermercado Econômico Ltda. - Filial Centro"

FORNECEDORES = [
    ("1", "Distribuidora São Jorge Ltda.", "(11) 3333-4444", "11222333000181"),
    ("2", "Atacadão Paulista S.A.", "(11) 5555-6666", "45987654000110"),
    ("3", "Laticínios Boa Vista", "(19) 3232-1010", "07123456000199"),
]

PRODUTOS = [
    ("1001", "7890000000011", "AÇÚCAR REFINADO 1KG", "120", "UN"),
    ("1002", "7890000000028", "CAFÉ TORRADO E MOÍDO 500G", "48", "UN"),
    ("1003", "7890000000035", "FEIJÃO CARIOCA TIPO 1 1KG", "60", "UN"),
    ("1004", "7890000000042", "ARROZ AGULHINHA TIPO 1 5KG", "40", "FD"),
    ("1005", "7890000000059", "ÓLEO DE SOJA 900ML", "72", "UN"),
    ("1006", "7890000000066", "LEITE CONDENSADO 395G", "96", "UN"),
    ("1007", "7890000000073", "REFRIGERANTE GUARANÁ 2L", "36", "UN"),
    ("1008", "7890000000080", "SABÃO EM PÓ 1,6KG", "24", "CX"),
    ("1009", "2000100000007", "PÃO FRANCÊS", "12,500", "KG"),
    ("1010", "2000200000004", "QUEIJO MUÇARELA FATIADO", "8,750", "KG"),
]


def lista(itens):
    return "".join("[|%s|]" % item for item in itens)


def produtos(n):
    for i in range(n):
        plu, barras, descricao, qtde, unid = PRODUTOS[i % len(PRODUTOS)]
        if n > len(PRODUTOS):
            plu = str(100000 + i)
            barras = "789%010d" % i
            descricao = "%s Nº %d" % (descricao, i + 1)
        yield (plu, barras, descricao, qtde, unid, "")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("saida")
    parser.add_argument("--produtos", type=int, default=len(PRODUTOS))
    args = parser.parse_args()

    linhas = [
        "[Geral]",
        "Solicitante=" + SOLICITANTE,
        "SenhaCotacao=" + SENHA_BASE,
        "ListaFornecedor=" + lista(campo for f in FORNECEDORES for campo in f),
        "ListaProdutos=" + lista(campo for p in produtos(args.produtos) for campo in p),
    ]
    with open(args.saida, "wb") as saida:
        saida.write(("\r\n".join(linhas) + "\r\n").encode("cp1252"))


if __name__ == "__main__":
    main()
