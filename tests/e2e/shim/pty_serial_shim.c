/*
 * Test-only LD_PRELOAD library for the Wine process in the end-to-end tests.
 *
 * A pseudo-terminal is not a serial port: it has no modem lines and the
 * kernel refuses parity settings on it after the first configuration. Wine's
 * serial code asks for both, and without modem lines its WaitCommEvent ends
 * with "operation aborted" every few milliseconds instead of waiting. This
 * library makes a pty look like a quiet serial line to Wine:
 *
 *   - TIOCMGET answers DTR, RTS, CTS, DSR and DCD set; TIOCMSET, TIOCMBIS and
 *     TIOCMBIC succeed without effect;
 *   - parity bits are taken out of every termios the process sets on a pty
 *     (the pty carries bytes, not bits, so nothing changes on the wire).
 *
 * Only pty slaves (character devices with the Unix98 pty major numbers) are
 * touched; every other descriptor goes straight to the C library.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <stdarg.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

/* The kernel's own termios layouts, as the TCSETS and TCSETS2 requests take
 * them (glibc's struct termios is a different, larger record). */
struct kernel_termios {
  tcflag_t c_iflag, c_oflag, c_cflag, c_lflag;
  cc_t c_line;
  cc_t c_cc[19];
};
struct termios2 {
  tcflag_t c_iflag, c_oflag, c_cflag, c_lflag;
  cc_t c_line;
  cc_t c_cc[19];
  speed_t c_ispeed, c_ospeed;
};

typedef int (*ioctl_fn)(int, unsigned long, void *);
typedef int (*tcsetattr_fn)(int, int, const struct termios *);

static int is_pty_slave(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode)) return 0;
  unsigned int m = major(st.st_rdev);
  return m >= 136 && m <= 143;
}

static ioctl_fn real_ioctl(void) {
  static ioctl_fn fn;
  if (!fn) fn = (ioctl_fn)dlsym(RTLD_NEXT, "ioctl");
  return fn;
}

static tcsetattr_fn real_tcsetattr(void) {
  static tcsetattr_fn fn;
  if (!fn) fn = (tcsetattr_fn)dlsym(RTLD_NEXT, "tcsetattr");
  return fn;
}

#define PARITY_BITS (PARENB | PARODD | CMSPAR)

int ioctl(int fd, unsigned long request, ...) {
  va_list ap;
  va_start(ap, request);
  void *arg = va_arg(ap, void *);
  va_end(ap);

  if (is_pty_slave(fd)) {
    switch (request) {
      case TIOCMGET:
        if (arg) *(int *)arg = TIOCM_DTR | TIOCM_RTS | TIOCM_CTS | TIOCM_DSR | TIOCM_CAR;
        return 0;
      case TIOCMSET:
      case TIOCMBIS:
      case TIOCMBIC:
        return 0;
      case TCSETS:
      case TCSETSW:
      case TCSETSF: {
        struct kernel_termios t;
        memcpy(&t, arg, sizeof(t));
        t.c_cflag &= ~(tcflag_t)PARITY_BITS;
        return real_ioctl()(fd, request, &t);
      }
      case TCSETS2:
      case TCSETSW2:
      case TCSETSF2: {
        struct termios2 t;
        memcpy(&t, arg, sizeof(t));
        t.c_cflag &= ~(tcflag_t)PARITY_BITS;
        return real_ioctl()(fd, request, &t);
      }
      default:
        break;
    }
  }
  return real_ioctl()(fd, request, arg);
}

int tcsetattr(int fd, int action, const struct termios *termios_p) {
  if (termios_p && is_pty_slave(fd)) {
    struct termios t = *termios_p;
    t.c_cflag &= ~(tcflag_t)PARITY_BITS;
    return real_tcsetattr()(fd, action, &t);
  }
  return real_tcsetattr()(fd, action, termios_p);
}
