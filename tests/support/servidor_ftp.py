#!/usr/bin/python3
"""FTP server of the tests and the demo: pyftpdlib on a free loopback port.

Prints "PORTA <n>" once listening, then one line per event so a test can follow what the
client did: "ABERTA" and "FECHADA" for each control connection, "COMANDO <verb> <arg>" for
each command received.

  --raiz DIR          directory served (the account srvtar may read and write it)
  --porta N           port to listen on (0: a free one)
  --limite-envio B    send at most B bytes per second on data connections (stalls a download)
  --limite-recepcao B receive at most B bytes per second on data connections (stalls an upload)
  --mudo              accept connections and never greet (a dead server)
"""
import argparse
import os
import socket
import sys
import threading
import time


def dizer(linha):
    sys.stdout.write(linha + "\n")
    sys.stdout.flush()


def servir_mudo(porta):
    escuta = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    escuta.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    escuta.bind(("127.0.0.1", porta))
    escuta.listen(16)
    dizer("PORTA %d" % escuta.getsockname()[1])
    abertas = []
    while True:
        conexao, _ = escuta.accept()
        dizer("ABERTA")
        abertas.append(conexao)  # held open, never answered


def servir_ftp(args):
    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
    from pyftpdlib.servers import FTPServer

    autorizador = DummyAuthorizer()
    autorizador.add_user("srvtar", "kelda5827", args.raiz, perm="elradfmwMT")

    class Manipulador(FTPHandler):
        def on_connect(self):
            dizer("ABERTA")

        def on_disconnect(self):
            dizer("FECHADA")

        def pre_process_command(self, line, cmd, arg):
            dizer("COMANDO %s %s" % (cmd, arg if cmd != "PASS" else "***"))
            return super().pre_process_command(line, cmd, arg)

    Manipulador.authorizer = autorizador
    Manipulador.auth_failed_timeout = 0
    Manipulador.banner = "servidor de testes"
    if args.limite_envio or args.limite_recepcao:
        dtp = ThrottledDTPHandler
        dtp.write_limit = args.limite_envio
        dtp.read_limit = args.limite_recepcao
        Manipulador.dtp_handler = dtp

    servidor = FTPServer(("127.0.0.1", args.porta), Manipulador)
    dizer("PORTA %d" % servidor.address[1])
    servidor.serve_forever(handle_exit=True)


def morrer_com_o_pai():
    """Ends the server when the process that started it goes, even if it crashed."""
    pai = os.getppid()

    def vigiar():
        while os.getppid() == pai:
            time.sleep(0.3)
        os._exit(0)

    threading.Thread(target=vigiar, daemon=True).start()


def main():
    morrer_com_o_pai()
    parser = argparse.ArgumentParser()
    parser.add_argument("--raiz", default=".")
    parser.add_argument("--porta", type=int, default=0)
    parser.add_argument("--limite-envio", type=int, default=0)
    parser.add_argument("--limite-recepcao", type=int, default=0)
    parser.add_argument("--mudo", action="store_true")
    args = parser.parse_args()

    import logging
    logging.basicConfig(level=logging.ERROR)
    if args.mudo:
        servir_mudo(args.porta)
    else:
        servir_ftp(args)


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        pass
