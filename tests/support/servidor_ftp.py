#!/usr/bin/python3
"""FTP server of the tests and the demo: pyftpdlib on a free loopback port.

Prints "PORTA <n>" once listening, then one line per event so a test can follow what the
client did: "ABERTA" and "FECHADA" for each control connection, "COMANDO <verb> <arg>" for
each command received.

  --raiz DIR          directory served (the account srvtar may read and write it)
  --porta N           port to listen on (0: a free one)
  --limite-envio B    send at most B bytes per second on data connections (1 stalls a
                      download; a few hundred trickle it, above any stall limit)
  --limite-recepcao B receive at most B bytes per second on data connections (stalls an upload)
  --mudo              accept connections and never greet (a dead server)
  --corta-stor N      drop the data connection of an upload after N bytes (a line that fails)
  --recusa-rnfr       answer RNFR with 502, as a server that cannot rename
  --recusa-retr       answer RETR with 451, as a server that fails to read a file it has
  --corta-retr N      send only the first N bytes of a download, after announcing its size
  --tamanho-errado    answer SIZE with one byte more than the file has
"""
import argparse
import io
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
    from pyftpdlib.handlers import DTPHandler, FileProducer, FTPHandler, ThrottledDTPHandler
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

        def ftp_RNFR(self, path):
            if args.recusa_rnfr:
                self.respond("502 Command not implemented.")
            else:
                super().ftp_RNFR(path)

        def ftp_RETR(self, file):
            if args.recusa_retr:
                self.respond("451 Requested action aborted: local error in processing.")
                return None
            if args.corta_retr:
                with open(file, "rb") as inteiro:
                    parte = io.BytesIO(inteiro.read(args.corta_retr))
                parte.name = file
                self.push_dtp_data(FileProducer(parte, self._current_type), isproducer=True,
                                   file=parte, cmd="RETR")
                return file
            return super().ftp_RETR(file)

        def ftp_SIZE(self, path):
            if args.tamanho_errado and self.fs.isfile(self.fs.realpath(path)):
                self.respond("213 %d" % (self.fs.getsize(path) + 1))
            else:
                super().ftp_SIZE(path)

    Manipulador.authorizer = autorizador
    Manipulador.auth_failed_timeout = 0
    Manipulador.banner = "servidor de testes"
    if args.limite_envio or args.limite_recepcao:
        class Regular(ThrottledDTPHandler):
            """Moves data at an even pace: small chunks, each followed by the pause it is worth
            at the limit (pyftpdlib's own throttle sends a second's worth in a burst)."""
            write_limit = args.limite_envio
            read_limit = args.limite_recepcao

            def __init__(self, sock, cmd_channel):
                super().__init__(sock, cmd_channel)
                if self.write_limit:
                    self.ac_out_buffer_size = max(1, self.write_limit // 10)
                if self.read_limit:
                    self.ac_in_buffer_size = max(1, self.read_limit // 10)

            def _throttle_bandwidth(self, len_chunk, max_speed):
                if len_chunk <= 0:
                    return

                def unsleep():
                    self.add_channel(
                        events=self.ioloop.READ if self.receive else self.ioloop.WRITE)

                self.del_channel()
                self._cancel_throttler()
                self._throttler = self.ioloop.call_later(
                    len_chunk / max_speed, unsleep, _errback=self.handle_error)

        Manipulador.dtp_handler = Regular
    if args.corta_stor:
        class Cortado(DTPHandler):
            def handle_read(self):
                super().handle_read()
                if self.receive and self.tot_bytes_received >= args.corta_stor:
                    self.close()  # the client gets "426 Transfer aborted"

            handle_read_event = handle_read

        Manipulador.dtp_handler = Cortado

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
    parser.add_argument("--corta-stor", type=int, default=0)
    parser.add_argument("--recusa-rnfr", action="store_true")
    parser.add_argument("--recusa-retr", action="store_true")
    parser.add_argument("--corta-retr", type=int, default=0)
    parser.add_argument("--tamanho-errado", action="store_true")
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
