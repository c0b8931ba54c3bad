#!/usr/bin/python3
"""Writes a spreadsheet as somebody careless or hostile might hand it to the supplier.

  planilhas_hostis.py KIND OUT [MEGABYTES]

Every .xlsx has a heading "PLU" / "Preço" and is otherwise what KIND says; MEGABYTES sizes the
kinds that inflate.
"""
import sys
import zipfile

NS = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
TIPOS = ('<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/'
         'package/2006/content-types"><Default Extension="xml" ContentType="application/xml"/>'
         '</Types>')
LIVRO = ('<workbook xmlns="%s" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/'
         'relationships"><sheets><sheet name="P" sheetId="1" r:id="rId1"/></sheets></workbook>'
         % NS)
RELACOES = ('<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
            'relationships/worksheet" Target="worksheets/sheet1.xml"/></Relationships>')
CABECALHO = ('<row r="1"><c r="A1" t="inlineStr"><is><t>PLU</t></is></c>'
             '<c r="B1" t="inlineStr"><is><t>Preço</t></is></c></row>')
MB = 1 << 20


def linha(n, plu, preco):
    return '<row r="%d"><c r="A%d"><v>%s</v></c><c r="B%d"><v>%s</v></c></row>' % (
        n, n, plu, n, preco)


def xlsx(saida, escreve_folha, metodo=zipfile.ZIP_DEFLATED, compartilhados=None,
         cabecalho=CABECALHO, antes_da_folha=""):
    with zipfile.ZipFile(saida, "w", metodo) as z:
        z.writestr("[Content_Types].xml", TIPOS)
        z.writestr("xl/workbook.xml", LIVRO)
        z.writestr("xl/_rels/workbook.xml.rels", RELACOES)
        if compartilhados is not None:
            z.writestr("xl/sharedStrings.xml", compartilhados)
        with z.open("xl/worksheets/sheet1.xml", "w", force_zip64=True) as f:
            f.write((antes_da_folha + '<worksheet xmlns="%s"><sheetData>' % NS
                     + cabecalho).encode())
            escreve_folha(f)


def repete(f, pedaco, megabytes):
    bloco = pedaco * max(1, MB // len(pedaco))
    for _ in range(megabytes):
        f.write(bloco)


def main():
    tipo, saida = sys.argv[1], sys.argv[2]
    megabytes = int(sys.argv[3]) if len(sys.argv) > 3 else 60
    fim = b"</sheetData></worksheet>"
    if tipo == "linha-enorme":  # a row number far past a sheet, to make a reader size by it
        xlsx(saida, lambda f: f.write(
            b'<row r="2147483647"><c r="XFD2147483647"><v>1</v></c></row>' + fim))
    elif tipo == "coluna-alem":  # one column past XFD
        xlsx(saida, lambda f: f.write(b'<row r="2"><c r="XFE2"><v>1</v></c></row>' + fim))
    elif tipo == "espacos":  # a sheet that inflates to MEGABYTES of blanks
        def espacos(f):
            f.write(b'<row r="2"><c r="A2"><v>1001</v></c><c r="B2"><v>')
            repete(f, b" ", megabytes)
            f.write(b"3</v></c></row>" + fim)
        xlsx(saida, espacos)
    elif tipo == "inflada":  # MEGABYTES of well-formed markup after the rows
        def inflada(f):
            f.write(linha(2, 1001, 3).encode() + b"</sheetData>")
            repete(f, b"<x>" + b"a" * 100000 + b"</x>", megabytes)
            f.write(b"</worksheet>")
        xlsx(saida, inflada)
    elif tipo == "xml-quebrado":  # a cell closed by its row
        xlsx(saida, lambda f: f.write(b'<row r="2"><c r="A2"><v>1001</v></row>' + fim))
    elif tipo == "crc":  # one byte of the sheet changed after the zip was written
        xlsx(saida, lambda f: f.write(linha(2, 1001, 3).encode() + fim), zipfile.ZIP_STORED)
        with open(saida, "r+b") as arquivo:
            dados = arquivo.read()
            posicao = dados.index(b"<v>1001</v>")
            arquivo.seek(posicao + 6)
            arquivo.write(b"2")
    elif tipo == "nao-numeros":  # numbers that are not: "nan", "inf", a word
        xlsx(saida, lambda f: f.write(
            (linha(2, 1001, "nan") + linha(3, 1002, "inf") + linha(4, 1003, "abc")).encode()
            + fim))
    elif tipo == "entidades":  # one entity of 4,000 characters used 60,000 times in a text
        dtd = '<!DOCTYPE sst [<!ENTITY e "%s">]>' % ("x" * 4000)
        compartilhados = ('<?xml version="1.0"?>' + dtd + '<sst xmlns="%s"><si><t>' % NS
                          + "&e;" * 60000 + "</t></si></sst>")
        xlsx(saida, lambda f: f.write(
            b'<row r="2"><c r="A2"><v>1001</v></c><c r="B2" t="s"><v>0</v></c></row>' + fim),
            compartilhados=compartilhados)
    elif tipo == "entidades-na-folha":  # the same, declared by the sheet itself
        xlsx(saida, lambda f: f.write(
            b'<row r="2"><c r="A2"><v>1001</v></c><c r="B2" t="inlineStr"><is><t>'
            + b"&e;" * 60000 + b"</t></is></c></row>" + fim),
            antes_da_folha='<!DOCTYPE worksheet [<!ENTITY e "%s">]>' % ("x" * 4000))
    elif tipo == "compartilhada":  # one long shared text as the remark of 20,000 lines
        compartilhados = '<sst xmlns="%s"><si><t>%s</t></si></sst>' % (NS, "y" * 30000)
        cabecalho = CABECALHO.replace("</row>", '<c r="C1" t="inlineStr"><is><t>Obs</t></is>'
                                      "</c></row>")

        def linhas(f):
            for n in range(2, 20002):
                f.write(('<row r="%d"><c r="A%d"><v>1001</v></c><c r="B%d"><v>3</v></c>'
                         '<c r="C%d" t="s"><v>0</v></c></row>' % (n, n, n, n)).encode())
            f.write(fim)
        xlsx(saida, linhas, compartilhados=compartilhados, cabecalho=cabecalho)
    elif tipo == "titulos-longos":  # 30 rows of 40 cells, each the one text of 32,767 characters
        compartilhados = '<sst xmlns="%s"><si><t>%s</t></si></sst>' % (NS, "t" * 32767)

        def linhas(f):
            for n in range(1, 31):
                f.write(('<row r="%d">' % n).encode())
                for c in range(40):
                    f.write(('<c r="%s%d" t="s"><v>0</v></c>' % (chr(65 + c % 26) * (1 + c // 26),
                                                               n)).encode())
                f.write(b"</row>")
            f.write(fim)
        xlsx(saida, linhas, compartilhados=compartilhados, cabecalho="")
    elif tipo == "csv-grande":  # past the size a .csv may have
        with open(saida, "wb") as f:
            f.write("PLU;Preço\r\n".encode())
            repete(f, b"1001;3\r\n", megabytes)
    elif tipo == "csv-linha-longa":  # one line of 70 KB
        with open(saida, "wb") as f:
            f.write("PLU;Preço;Obs\r\n1001;3;".encode() + b"a" * 70000 + b"\r\n")
    else:
        sys.exit("unknown kind: " + tipo)


if __name__ == "__main__":
    main()
