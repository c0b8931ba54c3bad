#!/usr/bin/env bash
# Draws the program's own artwork (ImageMagick). The PNGs are committed; run this again only to
# change them. Sizes follow the forms: the login form is 741 x 377 px, the thank-you window
# 498 x 206 px; field and button positions are those of the forms. Written with 8 bits per channel:
# 16-bit PNGs, ImageMagick's default here, took the login form several milliseconds to decode.
set -euo pipefail
cd "$(dirname "$0")"

escuro='#00324E'
medio='#0A5F86'
painel='#EEF3F6'
texto='#00324E'

# Login: dark band with the name, light panel with the field labels and white boxes behind the
# three borderless fields (CNPJ, quotation number, password).
convert -size 741x377 xc:"$painel" \
    \( -size 741x250 gradient:"$escuro"-"$medio" \) -geometry +0+0 -composite \
    -fill '#FFFFFF' -stroke none \
    -font Liberation-Sans-Bold -pointsize 34 -annotate +240+100 'Cotação eletrônica' \
    -font Liberation-Sans -pointsize 16 -fill '#D6E6EF' \
    -annotate +242+134 'Resposta de cotações de compra pelo fornecedor' \
    -pointsize 13 -fill '#D6E6EF' -gravity NorthWest -annotate +72+114 'Versão' \
    -fill '#FFFFFF' -draw 'rectangle 0,246 741,250' \
    -gravity NorthWest -font Liberation-Sans-Bold -pointsize 12 -fill "$texto" \
    -annotate +74+262 'CNPJ' -annotate +192+262 'Número da cotação' -annotate +385+262 'Senha' \
    -fill '#FFFFFF' -stroke '#7A9AB0' -strokewidth 1 \
    -draw 'roundrectangle 20,281 162,305 3,3' \
    -draw 'roundrectangle 174,281 323,305 3,3' \
    -draw 'roundrectangle 330,281 477,305 3,3' \
    -stroke none -font Liberation-Sans -pointsize 11 -fill '#4A6A80' \
    -annotate +23+338 'Informe o CNPJ da sua empresa, o número da cotação e a senha recebidos do comprador.' \
    -type TrueColor -depth 8 PNG24:entrada.png

# Thank-you window.
convert -size 498x206 gradient:"$escuro"-"$medio" \
    -fill '#FFFFFF' -font Liberation-Sans-Bold -pointsize 30 -annotate +30+70 'Obrigado!' \
    -font Liberation-Sans -pointsize 15 -fill '#D6E6EF' \
    -annotate +32+108 'Obrigado por utilizar a cotação eletrônica.' \
    -annotate +32+132 'Sua participação é muito importante para nós.' \
    -fill '#FFFFFF' -draw 'rectangle 30,150 468,151' \
    -type TrueColor -depth 8 PNG24:aviso.png

# Toolbar images, 32 x 32: send (an envelope with an arrow), print (a printer), leave (a door).
convert -size 32x32 xc:none -fill '#FFFFFF' -stroke '#0A5F86' -strokewidth 2 \
    -draw 'rectangle 3,8 25,26' -draw 'polyline 3,8 14,18 25,8' \
    -fill '#1E9E4A' -stroke none -draw 'polygon 20,16 31,22 20,28' \
    -draw 'rectangle 14,20 21,24' -depth 8 PNG32:enviar.png
convert -size 32x32 xc:none -fill '#FFFFFF' -stroke '#555555' -strokewidth 2 \
    -draw 'rectangle 9,3 23,12' -fill '#7A8A99' -draw 'roundrectangle 3,11 29,23 3,3' \
    -fill '#FFFFFF' -draw 'rectangle 9,19 23,29' -stroke '#555555' -strokewidth 1 \
    -draw 'line 12,23 20,23' -draw 'line 12,26 20,26' -depth 8 PNG32:imprimir.png
convert -size 32x32 xc:none -fill '#A0522D' -stroke '#5A2E10' -strokewidth 2 \
    -draw 'rectangle 6,3 20,29' -fill '#F2C14E' -stroke none -draw 'circle 17,16 18,17' \
    -fill '#C0392B' -draw 'polygon 22,10 31,16 22,22' -draw 'rectangle 18,14 23,18' -depth 8 PNG32:sair.png

# The program's icon, 64 x 64: a price tag on the dark blue of the forms.
convert -size 64x64 xc:none -fill '#00324E' -draw 'roundrectangle 0,0 63,63 12,12' \
    -fill '#FFFFFF' -draw 'polygon 14,22 34,10 54,22 54,52 14,52' -fill '#00324E' \
    -draw 'circle 34,22 34,26' -fill '#1E9E4A' -font Liberation-Sans-Bold -pointsize 20 \
    -annotate +19+47 'R$' -depth 8 PNG32:tarvo.png
