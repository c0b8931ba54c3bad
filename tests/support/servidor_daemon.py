#!/usr/bin/python3
"""Production FTP daemons for the tests: ProFTPD or vsftpd on a free loopback port.

Same protocol on stdout as servidor_ftp.py: prints "PORTA <n>" once the daemon greets
connections, then stays until killed (SIGTERM), stopping the daemon with it. The daemon runs
in the foreground with a private configuration in a temporary directory and serves --raiz to
the account srvtar (password kelda5827), read and write, no anonymous access, passive and
extended passive data connections on 127.0.0.1. Without --tls it speaks no TLS; with
--tls oferecido it offers explicit TLS (AUTH TLS) with --certificado and --chave, with
--tls exigido it refuses logins and data connections without it. TLS is otherwise left as
each daemon is packaged: a data connection must resume the control connection's TLS session
(--sem-reuso turns that guard off, for a client whose TLS cannot resume sessions: Wine's).

When the machine has no such daemon, the Debian packages are fetched with `apt-get download`
into --cache and unpacked there with `dpkg -x`; nothing is installed and no system service
is started. Run with --preparar to only do that (e.g. before a test run; both daemons unless
--servidor names one).

ProFTPD: as root the daemon stays root (the account maps to uid 0, so it can write any
directory the tests made) and the session is chrooted into --raiz. As any other user it runs
as that user, without chroot; the account then logs in to --raiz as its home directory.

vsftpd: root only (it checks passwords through PAM and locks its sessions in chroots). The
account is a virtual user, mapped to root as ProFTPD's is, of a PAM service of its own
(pam_userdb over a database in --cache): the one thing written outside the temporary
directories is that service's file in /etc/pam.d, named after the database it reads, written
once and left for the next run.

  --servidor S  proftpd (default) or vsftpd
  --raiz DIR    directory served (holds COTACAO/)
  --porta N     port to listen on (0: a free one)
  --cache DIR   where the fetched packages are unpacked
  --preparar    fetch the daemon if needed and exit
  --comandos F  write each command the clients send to the file F, one a line ("STOR x")
  --sem-reuso   data connections need not resume the control connection's TLS session
"""
import argparse
import ctypes
import fcntl
import grp
import hashlib
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


class Programa:
    def __init__(self, nome, pacotes, pasta, binario, modulos=None):
        self.nome = nome
        self.pacotes = pacotes  # with the libraries they link that a plain Debian 12 lacks
        self.pasta = pasta      # its folder in the cache
        self.binario = binario  # where the package puts it
        self.modulos = modulos  # a folder the daemon also needs, if any


PROGRAMAS = {
    # proftpd-core and its TLS module
    "proftpd": Programa("proftpd",
                        ["proftpd-core", "proftpd-mod-crypto", "libhiredis0.14",
                         "libmemcached11", "libmemcachedutil2", "libhashkit2",
                         "libpcre2-posix3"],
                        # a folder of its own: a cache unpacked before the TLS module was
                        # fetched stays unused
                        "proftpd-tls", "usr/sbin/proftpd", "usr/lib/proftpd"),
    "vsftpd": Programa("vsftpd", ["vsftpd", "libwrap0"], "vsftpd", "usr/sbin/vsftpd"),
}
PRAZO_INICIO = 20.0
PASTA_PAM = "/etc/pam.d"

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


def baixar_e_extrair(programa, destino, cache):
    """Downloads the packages and unpacks them into destino (renamed into place at the end)."""
    if not shutil.which("apt-get") or not shutil.which("dpkg"):
        raise Falha("%s is not installed and apt-get/dpkg are missing to fetch it"
                    % programa.nome)
    pacotes = programa.pacotes
    provisoria = tempfile.mkdtemp(prefix="montagem-", dir=cache)
    try:
        debs = os.path.join(provisoria, "debs")
        os.mkdir(debs)
        ok, saida = executar(["apt-get", "download", "-q"] + pacotes, debs)
        if not ok and os.geteuid() == 0:
            # a fresh machine may have no package lists yet
            executar(["apt-get", "update", "-q"], debs)
            ok, saida = executar(["apt-get", "download", "-q"] + pacotes, debs)
        if not ok:
            raise Falha("apt-get download %s failed:\n%s" % (" ".join(pacotes), saida.strip()))
        arvore = os.path.join(provisoria, "arvore")
        os.mkdir(arvore)
        for nome in sorted(os.listdir(debs)):
            if nome.endswith(".deb"):
                ok, saida = executar(["dpkg", "-x", os.path.join(debs, nome), arvore], debs)
                if not ok:
                    raise Falha("dpkg -x %s failed:\n%s" % (nome, saida.strip()))
        binario = os.path.join(arvore, programa.binario)
        if not os.access(binario, os.X_OK):
            raise Falha("the %s package holds no %s" % (programa.nome, programa.binario))
        ausentes = bibliotecas_ausentes(binario, ambiente_para(pastas_de_bibliotecas(arvore)))
        if ausentes:
            raise Falha("%s needs libraries this machine lacks: %s"
                        % (programa.nome, ", ".join(ausentes)))
        os.rename(arvore, destino)
    finally:
        shutil.rmtree(provisoria, ignore_errors=True)


def travar_cache(cache):
    """The cache's lock, held while the returned file is open: another test may be filling
    the cache right now."""
    try:
        os.makedirs(cache, exist_ok=True)
        trava = open(os.path.join(cache, ".trava"), "w")
    except OSError as erro:
        raise Falha("cannot use the cache directory %s: %s" % (cache, erro))
    fcntl.flock(trava, fcntl.LOCK_EX)
    return trava


def instalado_no_sistema(programa):
    binario = os.path.join("/", programa.binario)
    if not os.access(binario, os.X_OK) or bibliotecas_ausentes(binario, ambiente_para([])):
        return False
    if programa.nome == "proftpd":
        return os.path.exists(os.path.join("/", programa.modulos, "mod_tls.so"))
    return True


def localizar_daemon(programa, cache):
    """Returns (binary, library folders to add, module folder), fetching the packages when
    needed."""
    if instalado_no_sistema(programa):
        return (os.path.join("/", programa.binario), [],
                programa.modulos and os.path.join("/", programa.modulos))
    destino = os.path.join(cache, programa.pasta)
    binario = os.path.join(destino, programa.binario)
    modulos = programa.modulos and os.path.join(destino, programa.modulos)
    if not os.access(binario, os.X_OK):
        with travar_cache(cache):
            if not os.access(binario, os.X_OK):
                baixar_e_extrair(programa, destino, cache)
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


def configurar_proftpd(pasta, raiz, porta, tls):
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
            "TLSRequired " + ("on" if tls.modo == "exigido" else "off"),
        ]
        # Without TLSOptions, as packaged: a data connection must resume the control
        # connection's TLS session, the guard against a stranger taking the data port.
        if tls.sem_reuso:
            linhas.append("TLSOptions NoSessionReuseRequired")
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


def valor_do_vsftpd(texto):
    if "\n" in texto or texto != texto.strip():
        raise Falha("unusable value for vsftpd's configuration: %r" % texto)
    return texto


def contas_do_vsftpd(cache):
    """The PAM service that knows the account: a pam_userdb database in the cache and the
    service's file in /etc/pam.d, each written only when missing or different. Returns the
    service's name."""
    import dbm.ndbm  # Berkeley DB on Debian, as pam_userdb reads it
    base = os.path.join(cache, "vsftpd-contas")
    # pam_userdb reads arguments up to the first blank
    if any(c.isspace() for c in base):
        raise Falha("the cache's path holds a blank, which a PAM argument cannot: " + base)
    with travar_cache(cache):
        try:
            with dbm.ndbm.open(base, "r") as contas:
                pronta = USUARIO.encode() in contas
        except dbm.ndbm.error:
            pronta = False
        if not pronta:
            provisoria = os.path.join(cache, "vsftpd-contas-%d" % os.getpid())
            with dbm.ndbm.open(provisoria, "n", 0o600) as contas:
                contas[USUARIO.encode()] = hash_da_senha(SENHA).encode()
            os.rename(provisoria + ".db", base + ".db")

    # named after the database, so that two caches (two checkouts) never share a service
    servico = "cotacao-testes-vsftpd-" + hashlib.sha256(base.encode()).hexdigest()[:12]
    texto = ("# The test account of the FTP tests' vsftpd (tests/support/servidor_daemon.py),\n"
             "# checked against %s.db. Nothing else uses this service.\n"
             "auth required pam_userdb.so db=%s crypt=crypt\n"
             "account required pam_userdb.so db=%s crypt=crypt\n" % (base, base, base))
    arquivo = os.path.join(PASTA_PAM, servico)
    try:
        with open(arquivo) as atual:
            if atual.read() == texto:
                return servico
    except OSError:
        pass
    try:
        provisorio = "%s.%d.novo" % (arquivo, os.getpid())
        with open(provisorio, "w") as novo:
            novo.write(texto)
        os.chmod(provisorio, 0o644)
        os.rename(provisorio, arquivo)
    except OSError as erro:
        raise Falha("cannot write the PAM service %s: %s" % (arquivo, erro))
    return servico


def configurar_vsftpd(pasta, raiz, porta, tls):
    # the unprivileged part of each session is locked in here: empty, root's, not writable
    vazia = os.path.join(pasta, "vazia")
    os.makedirs(vazia, mode=0o755, exist_ok=True)
    linhas = [
        "listen=YES",
        "listen_address=127.0.0.1",
        "listen_port=%d" % porta,
        "background=NO",
        # the name of the working directory tells this daemon's greeting from another's
        "ftpd_banner=servidor de testes %s" % os.path.basename(pasta),
        "anonymous_enable=NO",
        "local_enable=YES",
        "write_enable=YES",
        # the account is a virtual user of a PAM service of its own, mapped to root with root's
        # rights so that it can write wherever the tests can, locked in --raiz
        "guest_enable=YES",
        "guest_username=root",
        "virtual_use_local_privs=YES",
        "pam_service_name=" + valor_do_vsftpd(tls.servico_pam),
        "local_root=" + valor_do_vsftpd(raiz),
        "chroot_local_user=YES",
        "allow_writeable_chroot=YES",
        "secure_chroot_dir=" + valor_do_vsftpd(vazia),
        # no pause after a failed login: the tests try wrong passwords on purpose
        "delay_failed_login=0",
    ]
    if tls.modo != "nao":
        # forced logins and data are vsftpd's default once TLS is on, and so is
        # require_ssl_reuse=YES: a data connection must resume the control connection's session
        forcado = "YES" if tls.modo == "exigido" else "NO"
        linhas += [
            "ssl_enable=YES",
            "rsa_cert_file=" + valor_do_vsftpd(tls.certificado),
            "rsa_private_key_file=" + valor_do_vsftpd(tls.chave),
            "force_local_logins_ssl=" + forcado,
            "force_local_data_ssl=" + forcado,
        ] + (["require_ssl_reuse=NO"] if tls.sem_reuso else [])
    configuracao = os.path.join(pasta, "vsftpd.conf")
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


def iniciar(programa, binario, bibliotecas, raiz, porta_pedida, tls):
    global daemon
    registro = os.path.join(trabalho, programa.nome + ".log")
    tentativas = 1 if porta_pedida else 3  # a free port may be taken before the daemon binds
    for _ in range(tentativas):
        porta = porta_pedida or porta_livre()
        if programa.nome == "vsftpd":
            comando = [binario, configurar_vsftpd(trabalho, raiz, porta, tls)]
        else:
            comando = [binario, "-n", "-4", "-c", configurar_proftpd(trabalho, raiz, porta, tls)]
        with open(registro, "wb") as saida:
            # vsftpd tells why it stopped ("500 OOPS: ...") on the descriptor of its standard
            # input: that is the log too
            entrada = saida if programa.nome == "vsftpd" else subprocess.DEVNULL
            daemon = subprocess.Popen(
                comando, stdin=entrada, stdout=saida, stderr=subprocess.STDOUT,
                env=ambiente_para(bibliotecas), cwd=trabalho,
                start_new_session=True, preexec_fn=morrer_tambem)
        if saudou(porta, daemon, time.monotonic() + PRAZO_INICIO):
            return porta
        parar_daemon()
        with open(registro, errors="replace") as arquivo:
            texto = arquivo.read()
        if "Address already in use" not in texto and "could not bind" not in texto:
            break
    raise Falha("%s did not start on 127.0.0.1:%d:\n%s" % (programa.nome, porta, texto.strip()))


def main():
    global trabalho, comandos
    morrer_com_o_pai()
    parser = argparse.ArgumentParser()
    parser.add_argument("--servidor", choices=sorted(PROGRAMAS))
    parser.add_argument("--raiz", default=".")
    parser.add_argument("--porta", type=int, default=0)
    parser.add_argument("--cache", default=os.path.join(tempfile.gettempdir(),
                                                        "servidor-daemon-ftp"))
    parser.add_argument("--preparar", action="store_true")
    parser.add_argument("--tls", choices=["nao", "oferecido", "exigido"], default="nao")
    parser.add_argument("--certificado", default="")
    parser.add_argument("--chave", default="")
    parser.add_argument("--comandos", default="")
    parser.add_argument("--sem-reuso", action="store_true")
    args = parser.parse_args()
    comandos = os.path.abspath(args.comandos) if args.comandos else None

    for sinal in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
        signal.signal(sinal, lambda *_: encerrar(0))

    cache = os.path.abspath(args.cache)
    try:
        if args.preparar:
            for nome in [args.servidor] if args.servidor else sorted(PROGRAMAS):
                dizer("PRONTO " + localizar_daemon(PROGRAMAS[nome], cache)[0])
                if nome == "vsftpd" and os.geteuid() == 0:
                    dizer("PRONTO PAM " + contas_do_vsftpd(cache))
            return 0
        programa = PROGRAMAS[args.servidor or "proftpd"]
        if programa.nome == "vsftpd" and os.geteuid() != 0:
            raise Falha("vsftpd runs here only as root: it checks passwords through PAM and"
                        " locks its sessions in chroots")
        binario, bibliotecas, modulos = localizar_daemon(programa, cache)
        raiz = os.path.realpath(args.raiz)
        if not os.path.isdir(raiz):
            raise Falha("no directory to serve: " + raiz)
        # 0700: proftpd refuses files it trusts in a directory others can write
        trabalho = tempfile.mkdtemp(prefix=programa.nome + "-")
        if args.tls != "nao" and not (os.path.isfile(args.certificado) and
                                      os.path.isfile(args.chave)):
            raise Falha("--tls %s needs --certificado and --chave files" % args.tls)
        tls = argparse.Namespace(modo=args.tls, modulos=modulos, sem_reuso=args.sem_reuso,
                                 certificado=os.path.abspath(args.certificado),
                                 chave=os.path.abspath(args.chave),
                                 servico_pam=programa.nome == "vsftpd" and contas_do_vsftpd(cache))
        porta = iniciar(programa, binario, bibliotecas, raiz, args.porta, tls)
    except Falha as erro:
        sys.stderr.write("servidor_daemon: %s\n" % erro)
        encerrar(1)

    dizer("PORTA %d" % porta)
    processo = daemon
    while processo.poll() is None or encerrando.locked():  # locked: being stopped on purpose
        time.sleep(0.3)
    sys.stderr.write("servidor_daemon: %s exited (%s)\n" % (programa.nome, processo.returncode))
    encerrar(1)


if __name__ == "__main__":
    sys.exit(main())
