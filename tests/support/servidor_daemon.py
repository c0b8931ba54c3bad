#!/usr/bin/python3
"""Production FTP daemon for the tests: ProFTPD on a free loopback port.

Same protocol on stdout as servidor_ftp.py: prints "PORTA <n>" once the daemon greets
connections, then stays until killed (SIGTERM), stopping the daemon with it. The daemon runs
in the foreground with a private configuration in a temporary directory and serves --raiz to
the account srvtar (password kelda5827), read and write, no anonymous access, passive and
extended passive data connections on 127.0.0.1. Without --tls it speaks no TLS; with
--tls oferecido it offers explicit TLS (AUTH TLS) with --certificado and --chave, with
--tls exigido it refuses logins and data connections without it.

When the machine has no proftpd, the Debian packages are fetched with `apt-get download`
into --cache and unpacked there with `dpkg -x`; nothing is installed and no system service
is started. Run with --preparar to only do that (e.g. before a test run).

As root the daemon stays root (the account maps to uid 0, so it can write any directory the
tests made) and the session is chrooted into --raiz. As any other user it runs as that user,
without chroot; the account then logs in to --raiz as its home directory.

  --raiz DIR    directory served (holds COTACAO/)
  --porta N     port to listen on (0: a free one)
  --cache DIR   where the fetched packages are unpacked
  --preparar    fetch the daemon if needed and exit
  --comandos F  write each command the clients send to the file F, one a line ("STOR x")
"""
import argparse
import ctypes
import fcntl
import grp
import os
import pwd
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time

USUARIO = "srvtar"
SENHA = "kelda5827"

# proftpd-core and its TLS module plus the libraries they link that a plain Debian 12 does
# not have.
PACOTES = [
    "proftpd-core",
    "proftpd-mod-crypto",
    "libhiredis0.14",
    "libmemcached11",
    "libmemcachedutil2",
    "libhashkit2",
    "libpcre2-posix3",
]
BINARIO_SISTEMA = "/usr/sbin/proftpd"
MODULOS_SISTEMA = "/usr/lib/proftpd"
PRAZO_INICIO = 20.0

daemon = None
trabalho = None
comandos = None  # --comandos
encerrando = threading.Lock()


def dizer(linha):
    sys.stdout.write(linha + "\n")
    sys.stdout.flush()


class Falha(Exception):
    pass


# --- finding or fetching the daemon ---------------------------------------------------------

def pastas_de_bibliotecas(raiz):
    return [
        os.path.join(raiz, "usr/lib/x86_64-linux-gnu"),
        os.path.join(raiz, "lib/x86_64-linux-gnu"),
        os.path.join(raiz, "usr/lib"),
    ]


def ambiente_para(bibliotecas):
    ambiente = dict(os.environ)
    ambiente["LC_ALL"] = "C"
    ambiente["TZ"] = "UTC"
    if bibliotecas:
        existentes = [p for p in bibliotecas if os.path.isdir(p)]
        anterior = ambiente.get("LD_LIBRARY_PATH")
        ambiente["LD_LIBRARY_PATH"] = ":".join(existentes + ([anterior] if anterior else []))
    return ambiente


def bibliotecas_ausentes(binario, ambiente):
    try:
        saida = subprocess.run(["ldd", binario], env=ambiente, capture_output=True,
                               text=True, timeout=30).stdout
    except (OSError, subprocess.SubprocessError) as erro:
        raise Falha("could not run ldd on %s: %s" % (binario, erro))
    return [linha.split()[0] for linha in saida.splitlines() if "not found" in linha]


def executar(comando, pasta, prazo=600):
    try:
        resultado = subprocess.run(comando, cwd=pasta, capture_output=True, text=True,
                                   timeout=prazo, stdin=subprocess.DEVNULL)
    except (OSError, subprocess.SubprocessError) as erro:
        return False, str(erro)
    return resultado.returncode == 0, resultado.stdout + resultado.stderr


def baixar_e_extrair(destino, cache):
    """Downloads the packages and unpacks them into destino (renamed into place at the end)."""
    if not shutil.which("apt-get") or not shutil.which("dpkg"):
        raise Falha("proftpd is not installed and apt-get/dpkg are missing to fetch it")
    provisoria = tempfile.mkdtemp(prefix="montagem-", dir=cache)
    try:
        debs = os.path.join(provisoria, "debs")
        os.mkdir(debs)
        ok, saida = executar(["apt-get", "download", "-q"] + PACOTES, debs)
        if not ok and os.geteuid() == 0:
            # a fresh machine may have no package lists yet
            executar(["apt-get", "update", "-q"], debs)
            ok, saida = executar(["apt-get", "download", "-q"] + PACOTES, debs)
        if not ok:
            raise Falha("apt-get download %s failed:\n%s" % (" ".join(PACOTES), saida.strip()))
        arvore = os.path.join(provisoria, "arvore")
        os.mkdir(arvore)
        for nome in sorted(os.listdir(debs)):
            if nome.endswith(".deb"):
                ok, saida = executar(["dpkg", "-x", os.path.join(debs, nome), arvore], debs)
                if not ok:
                    raise Falha("dpkg -x %s failed:\n%s" % (nome, saida.strip()))
        binario = os.path.join(arvore, "usr/sbin/proftpd")
        if not os.access(binario, os.X_OK):
            raise Falha("the proftpd package holds no usr/sbin/proftpd")
        ausentes = bibliotecas_ausentes(binario, ambiente_para(pastas_de_bibliotecas(arvore)))
        if ausentes:
            raise Falha("proftpd needs libraries this machine lacks: " + ", ".join(ausentes))
        os.rename(arvore, destino)
    finally:
        shutil.rmtree(provisoria, ignore_errors=True)


def localizar_daemon(cache):
    """Returns (binary, library folders to add, module folder), fetching the packages when
    needed."""
    if os.access(BINARIO_SISTEMA, os.X_OK) and os.path.exists(
            os.path.join(MODULOS_SISTEMA, "mod_tls.so")) and not bibliotecas_ausentes(
            BINARIO_SISTEMA, ambiente_para([])):
        return BINARIO_SISTEMA, [], MODULOS_SISTEMA
    # a folder of its own: a cache unpacked before the TLS module was fetched stays unused
    destino = os.path.join(cache, "proftpd-tls")
    binario = os.path.join(destino, "usr/sbin/proftpd")
    modulos = os.path.join(destino, "usr/lib/proftpd")
    if not os.access(binario, os.X_OK):
        try:
            os.makedirs(cache, exist_ok=True)
            trava = open(os.path.join(cache, ".trava"), "w")
        except OSError as erro:
            raise Falha("cannot use the cache directory %s: %s" % (cache, erro))
        with trava:
            fcntl.flock(trava, fcntl.LOCK_EX)  # another test may be fetching it right now
            if not os.access(binario, os.X_OK):
                baixar_e_extrair(destino, cache)
    return binario, pastas_de_bibliotecas(destino), modulos


# --- configuration --------------------------------------------------------------------------

def hash_da_senha(senha):
    try:
        import warnings
        with warnings.catch_warnings():
            warnings.simplefilter("ignore", DeprecationWarning)
            import crypt
        return crypt.crypt(senha, crypt.mksalt(crypt.METHOD_SHA512))
    except ImportError:
        pass
    try:
        resultado = subprocess.run(["openssl", "passwd", "-6", "-stdin"], input=senha + "\n",
                                   capture_output=True, text=True, timeout=30)
    except (OSError, subprocess.SubprocessError) as erro:
        raise Falha("cannot hash the password (no crypt module, openssl failed: %s)" % erro)
    if resultado.returncode != 0 or not resultado.stdout.startswith("$"):
        raise Falha("openssl passwd failed: " + resultado.stderr.strip())
    return resultado.stdout.strip()


def aspas(texto):
    if '"' in texto or "\n" in texto:
        raise Falha("unusable path for the configuration: %r" % texto)
    return '"%s"' % texto


def escrever_configuracao(pasta, raiz, porta, tls):
    uid, gid = os.getuid(), os.getgid()
    root = os.geteuid() == 0
    usuarios = os.path.join(pasta, "usuarios")
    grupos = os.path.join(pasta, "grupos")
    with open(usuarios, "w") as arquivo:
        arquivo.write("%s:%s:%d:%d::%s:/bin/false\n" % (USUARIO, hash_da_senha(SENHA), uid, gid,
                                                        raiz))
    with open(grupos, "w") as arquivo:
        arquivo.write("%s:x:%d:\n" % (USUARIO, gid))
    # proftpd refuses account files that others can write
    os.chmod(usuarios, 0o600)
    os.chmod(grupos, 0o600)

    linhas = [
        'ServerName "servidor de testes"',
        # the name of the working directory tells this daemon's greeting from another's
        'ServerIdent on "servidor de testes %s"' % os.path.basename(pasta),
        "ServerType standalone",
        "Port %d" % porta,
        "DefaultAddress 127.0.0.1",
        "SocketBindTight on",
        "UseIPv6 off",
        "UseReverseDNS off",
        "PidFile " + aspas(os.path.join(pasta, "proftpd.pid")),
        "ScoreboardFile " + aspas(os.path.join(pasta, "proftpd.scoreboard")),
        "WtmpLog off",
        "TransferLog NONE",
        # no random pause after a failed login: the tests try wrong passwords on purpose
        "DelayEngine off",
        "MaxLoginAttempts 3",
        "MaxInstances 64",
        "AuthPAM off",
        "AuthOrder mod_auth_file.c",
        "AuthUserFile " + aspas(usuarios),
        "AuthGroupFile " + aspas(grupos),
        "RequireValidShell off",
        "AllowOverwrite on",
        "Umask 022",
        "TimesGMT on",
        "ControlsEngine off",
    ]
    if comandos:
        # the command and its argument, as a test follows a client over TLS
        linhas += ['LogFormat comandos "%m %J"', "ExtendedLog %s ALL comandos" % aspas(comandos)]
    if tls.modo != "nao":
        linhas += [
            "ModulePath " + aspas(tls.modulos),
            "LoadModule mod_tls.c",
            "TLSEngine on",
            "TLSLog " + aspas(os.path.join(pasta, "tls.log")),
            "TLSProtocol TLSv1.2 TLSv1.3",
            "TLSRSACertificateFile " + aspas(tls.certificado),
            "TLSRSACertificateKeyFile " + aspas(tls.chave),
            "TLSVerifyClient off",
            # curl's data connections do not always reuse the control connection's session
            "TLSOptions NoSessionReuseRequired",
            "TLSRequired " + ("on" if tls.modo == "exigido" else "off"),
        ]
    # proftpd runs as User/Group (names only), and when not root checks that it already does
    try:
        linhas += ["User " + pwd.getpwuid(uid).pw_name, "Group " + grp.getgrgid(gid).gr_name]
    except KeyError:
        raise Falha("uid %d or gid %d has no name in the system's databases, which proftpd"
                    " needs" % (uid, gid))
    if root:
        # the account has uid 0, so that it can write wherever the tests can
        linhas += ["RootLogin on", "DefaultRoot ~"]
    configuracao = os.path.join(pasta, "proftpd.conf")
    with open(configuracao, "w") as arquivo:
        arquivo.write("\n".join(linhas) + "\n")
    os.chmod(configuracao, 0o600)
    return configuracao


# --- running --------------------------------------------------------------------------------

def porta_livre():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


try:
    _prctl = ctypes.CDLL(None, use_errno=True).prctl  # looked up here, not in the forked child
except (OSError, AttributeError):
    _prctl = None


def morrer_tambem():
    """In the daemon, before exec: SIGTERM to it when this script goes, however it goes."""
    if _prctl is not None:
        _prctl(1, int(signal.SIGTERM), 0, 0, 0)  # PR_SET_PDEATHSIG


def parar_daemon():
    global daemon
    processo, daemon = daemon, None
    if processo is None:
        return
    # its own process group holds the master and every session it forked
    for sinal, espera in ((signal.SIGTERM, 3.0), (signal.SIGKILL, 3.0)):
        try:
            os.killpg(processo.pid, sinal)
        except ProcessLookupError:
            break
        try:
            processo.wait(espera)
            if sinal == signal.SIGTERM:
                time.sleep(0.1)  # let the sessions see their signal too
                try:
                    os.killpg(processo.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            break
        except subprocess.TimeoutExpired:
            continue


def encerrar(codigo):
    if not encerrando.acquire(blocking=False):
        return
    parar_daemon()
    if trabalho:
        shutil.rmtree(trabalho, ignore_errors=True)
    sys.stdout.flush()
    os._exit(codigo)


def morrer_com_o_pai():
    """Ends the daemon when the process that started this script goes, even if it crashed."""
    pai = os.getppid()

    def vigiar():
        while os.getppid() == pai:
            time.sleep(0.3)
        encerrar(0)

    threading.Thread(target=vigiar, daemon=True).start()


def saudou(porta, processo, prazo):
    """Polls the port until this daemon greets with 220; False if it exited first."""
    esperada = ("220 servidor de testes %s" % os.path.basename(trabalho)).encode()
    while time.monotonic() < prazo:
        if processo.poll() is not None:
            return False
        try:
            with socket.create_connection(("127.0.0.1", porta), timeout=1) as s:
                linha = s.makefile("rb").readline()
                if linha.rstrip() == esperada:
                    s.sendall(b"QUIT\r\n")
                    return True
        except OSError:
            pass
        time.sleep(0.05)
    return False


def iniciar(binario, bibliotecas, raiz, porta_pedida, tls):
    global daemon
    registro = os.path.join(trabalho, "proftpd.log")
    tentativas = 1 if porta_pedida else 3  # a free port may be taken before the daemon binds
    for _ in range(tentativas):
        porta = porta_pedida or porta_livre()
        configuracao = escrever_configuracao(trabalho, raiz, porta, tls)
        with open(registro, "wb") as saida:
            daemon = subprocess.Popen(
                [binario, "-n", "-4", "-c", configuracao],
                stdin=subprocess.DEVNULL, stdout=saida, stderr=subprocess.STDOUT,
                env=ambiente_para(bibliotecas), cwd=trabalho,
                start_new_session=True, preexec_fn=morrer_tambem)
        if saudou(porta, daemon, time.monotonic() + PRAZO_INICIO):
            return porta
        parar_daemon()
        with open(registro, errors="replace") as arquivo:
            texto = arquivo.read()
        if "Address already in use" not in texto:
            break
    raise Falha("proftpd did not start on 127.0.0.1:%d:\n%s" % (porta, texto.strip()))


def main():
    global trabalho, comandos
    morrer_com_o_pai()
    parser = argparse.ArgumentParser()
    parser.add_argument("--raiz", default=".")
    parser.add_argument("--porta", type=int, default=0)
    parser.add_argument("--cache", default=os.path.join(tempfile.gettempdir(),
                                                        "servidor-daemon-ftp"))
    parser.add_argument("--preparar", action="store_true")
    parser.add_argument("--tls", choices=["nao", "oferecido", "exigido"], default="nao")
    parser.add_argument("--certificado", default="")
    parser.add_argument("--chave", default="")
    parser.add_argument("--comandos", default="")
    args = parser.parse_args()
    comandos = os.path.abspath(args.comandos) if args.comandos else None

    for sinal in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sinal, lambda *_: encerrar(0))

    try:
        binario, bibliotecas, modulos = localizar_daemon(os.path.abspath(args.cache))
        if args.preparar:
            dizer("PRONTO " + binario)
            return 0
        raiz = os.path.realpath(args.raiz)
        if not os.path.isdir(raiz):
            raise Falha("no directory to serve: " + raiz)
        # 0700: proftpd refuses files it trusts in a directory others can write
        trabalho = tempfile.mkdtemp(prefix="proftpd-")
        if args.tls != "nao" and not (os.path.isfile(args.certificado) and
                                      os.path.isfile(args.chave)):
            raise Falha("--tls %s needs --certificado and --chave files" % args.tls)
        tls = argparse.Namespace(modo=args.tls, modulos=modulos,
                                 certificado=os.path.abspath(args.certificado),
                                 chave=os.path.abspath(args.chave))
        porta = iniciar(binario, bibliotecas, raiz, args.porta, tls)
    except Falha as erro:
        sys.stderr.write("servidor_daemon: %s\n" % erro)
        encerrar(1)

    dizer("PORTA %d" % porta)
    processo = daemon
    while processo.poll() is None or encerrando.locked():  # locked: being stopped on purpose
        time.sleep(0.3)
    sys.stderr.write("servidor_daemon: proftpd exited (%s)\n" % processo.returncode)
    encerrar(1)


if __name__ == "__main__":
    sys.exit(main())
