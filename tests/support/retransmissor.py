#!/usr/bin/python3
"""A relay on the FTP control connection, to see what crosses the wire.

Listens on a free loopback port (or --porta), prints "PORTA <n>", and forwards each connection
to the address written in the file --destino ("host:port", read at every new connection, so
that a test can put another server behind the same address). Every byte the client sends is
appended to --registro as it passes. Data connections do not pass here: the server's passive
replies name its own port. With --saudacao TEXT, every greeting the client reads begins with a
multi-line "220-" reply whose text lines are TEXT (one per "|"), closed by the server's own
"220 " line: text any server may send, and the relay may add, that is no reply of its own.
"""
import argparse
import os
import socket
import sys
import threading


def copiar(origem, destino, registro=None, trava=None, antes=b""):
    try:
        if antes:
            destino.sendall(antes)
        while True:
            dados = origem.recv(65536)
            if not dados:
                break
            if registro:
                with trava:
                    with open(registro, "ab") as arquivo:
                        arquivo.write(dados)
            destino.sendall(dados)
    except OSError:
        pass
    finally:
        for s in (origem, destino):
            try:
                s.shutdown(socket.SHUT_RDWR)
            except OSError:
                pass


def atender(cliente, args, trava):
    try:
        with open(args.destino) as arquivo:
            host, porta = arquivo.read().strip().rsplit(":", 1)
        servidor = socket.create_connection((host, int(porta)), timeout=10)
        servidor.settimeout(None)
    except (OSError, ValueError):
        cliente.close()
        return
    antes = b""
    if args.saudacao:
        linhas = args.saudacao.split("|")
        antes = ("220-Bem-vindo\r\n" + "".join(l + "\r\n" for l in linhas)).encode("latin-1")
    threading.Thread(target=copiar, args=(servidor, cliente, None, None, antes),
                     daemon=True).start()
    copiar(cliente, servidor, args.registro, trava)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--destino", required=True)
    parser.add_argument("--registro", required=True)
    parser.add_argument("--porta", type=int, default=0)
    parser.add_argument("--saudacao", default="")
    args = parser.parse_args()
    escuta = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    escuta.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    escuta.bind(("127.0.0.1", args.porta))
    escuta.listen(16)
    sys.stdout.write("PORTA %d\n" % escuta.getsockname()[1])
    sys.stdout.flush()
    pai = os.getppid()
    escuta.settimeout(0.5)
    trava = threading.Lock()
    while os.getppid() == pai:  # ends with the test that started it
        try:
            cliente, _ = escuta.accept()
        except socket.timeout:
            continue
        cliente.settimeout(None)
        threading.Thread(target=atender, args=(cliente, args, trava), daemon=True).start()
    return 0


if __name__ == "__main__":
    sys.exit(main())
