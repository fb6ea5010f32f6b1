/* For the tests: a host name with several addresses, without a name server.
 * Preloaded (LD_PRELOAD) into the command-line tool, it answers a lookup of
 * KORVEX7_SHIM_HOST with KORVEX7_SHIM_COUNT copies of 127.0.0.1 (every one a
 * separate address of the name); every other lookup goes to the C library.
 * Build: cc -shared -fPIC -o resolve_shim.so resolve_shim.c -ldl */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <netdb.h>
#include <stdlib.h>
#include <string.h>

typedef int (*getaddrinfo_fn)(const char*, const char*, const struct addrinfo*, struct addrinfo**);

int getaddrinfo(const char* node, const char* service, const struct addrinfo* hints,
                struct addrinfo** res) {
  getaddrinfo_fn real = (getaddrinfo_fn)dlsym(RTLD_NEXT, "getaddrinfo");
  const char* host = getenv("KORVEX7_SHIM_HOST");
  const char* count = getenv("KORVEX7_SHIM_COUNT");
  if (node == NULL || host == NULL || count == NULL || strcmp(node, host) != 0) {
    return real(node, service, hints, res);
  }
  struct addrinfo* head = NULL;
  struct addrinfo** tail = &head;
  for (int i = atoi(count); i > 0; --i) {
    struct addrinfo* one = NULL;
    const int rc = real("127.0.0.1", service, hints, &one);
    if (rc != 0) {
      if (head != NULL) freeaddrinfo(head);
      return rc;
    }
    *tail = one;
    while (*tail != NULL) tail = &(*tail)->ai_next;
  }
  *res = head;
  return 0;
}
