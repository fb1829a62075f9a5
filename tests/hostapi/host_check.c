/* A host program in C that loads libwertalo.so with dlopen, as a host of the product would,
 * and checks what the exported functions return. The installation is the one named by
 * $WERTALO_WIN_INI (set by the caller).
 *
 *   host_check LIBRARY check OUT_DIR d=ID rb50=ID bilj=ID bill=ID unknown=ID bad=WIN_INI fifo=PATH
 *       every case; prints "ok - ..." or "FAIL - ..." per check and "N passed, M failed";
 *       writes the texts the driver compares (d.xml, rb50d.xml, rb50w.xml, bilj.xml, bill.xml,
 *       error.txt: the bytes returned, Windows-1250) into OUT_DIR
 *   host_check LIBRARY loop N d=ID rb50=ID bilj=ID bill=ID unknown=ID
 *       N calls in turn over the kinds of report, each text released; prints "N calls"
 *   host_check LIBRARY maps d=ID
 *       one call, then the paths of the loaded libwertalo files, one a line
 * Exit code 0 when every check held, 1 when one failed, 2 on wrong usage or a library that
 * cannot be loaded.
 */
#define _POSIX_C_SOURCE 200809L

#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

typedef char* (*EkportujXMLFn)(int32_t, char*, int32_t);
typedef char* (*EkportujRB50XMLFn)(int32_t, char*, int32_t, const char*);
typedef int32_t (*ZwolnijPCHARFn)(char*);
typedef const char* (*OstatniBladFn)(void);

static EkportujXMLFn EkportujXML;
static EkportujRB50XMLFn EkportujRB50XML;
static ZwolnijPCHARFn ZwolnijPCHAR;
static OstatniBladFn OstatniBlad;

static int passed;
static int failed;

static void check(int holds, const char* name, const char* detail) {
  if (holds) {
    ++passed;
    printf("ok - %s\n", name);
  } else {
    ++failed;
    printf("FAIL - %s: %s\n", name, detail != NULL ? detail : "");
  }
}

/* The value of "key=VALUE" among the arguments, or NULL. */
static const char* arg(int argc, char** argv, const char* key) {
  size_t n = strlen(key);
  for (int i = 0; i < argc; ++i) {
    if (strncmp(argv[i], key, n) == 0 && argv[i][n] == '=') return argv[i] + n + 1;
  }
  return NULL;
}

static int32_t idArg(int argc, char** argv, const char* key) {
  const char* value = arg(argc, argv, key);
  if (value == NULL) {
    fprintf(stderr, "host_check: missing %s=ID\n", key);
    exit(2);
  }
  return (int32_t)strtol(value, NULL, 10);
}

static int startsWith(const char* text, const char* prefix) {
  return text != NULL && strncmp(text, prefix, strlen(prefix)) == 0;
}

static int endsWith(const char* text, const char* suffix) {
  size_t n = strlen(text), m = strlen(suffix);
  return n >= m && strcmp(text + n - m, suffix) == 0;
}

static void save(const char* dir, const char* name, const char* text) {
  char path[4096];
  snprintf(path, sizeof path, "%s/%s", dir, name);
  FILE* f = fopen(path, "wb");
  if (f == NULL) {
    check(0, "save", path);
    return;
  }
  fwrite(text, 1, strlen(text), f);
  fclose(f);
}

/* A report element as a host gets it: its start tag with the Id, its end tag, nothing
 * around it and no line breaks or indentation between elements. */
static void checkElement(const char* name, const char* text, const char* symbol, int32_t id) {
  char start[128], end[64], detail[512];
  snprintf(start, sizeof start, "<%s Id=\"%s%d\">", symbol, symbol, id);
  snprintf(end, sizeof end, "</%s>", symbol);
  snprintf(detail, sizeof detail, "expected %s...%s, got %.80s", start, end, text != NULL ? text : "NULL");
  check(text != NULL && startsWith(text, start) && endsWith(text, end) && strstr(text, ">\r\n") == NULL &&
            strstr(text, ">\n") == NULL && strstr(text, "<?xml") == NULL,
        name, detail);
}

static void checkAnchor(const char* name, const char* buffer, const char* symbol, int32_t id) {
  char expected[64], detail[160];
  snprintf(expected, sizeof expected, "#%s%d", symbol, id);
  snprintf(detail, sizeof detail, "expected %s, got %.60s", expected, buffer);
  check(strcmp(buffer, expected) == 0, name, detail);
}

static void release(const char* name, char* text) { check(ZwolnijPCHAR(text) == 1, name, "ZwolnijPCHAR did not release it"); }

static const char kUntouched[] = "untouched";

/* ---- Calls that overlap -------------------------------------------------------------------- */

struct Overlap {
  int32_t id;
  char* text;
  char lastError[256];
  volatile int done;
  pthread_mutex_t lock;
};

static void* overlappedCall(void* data) {
  struct Overlap* o = data;
  char* text = EkportujXML(o->id, NULL, 1);
  pthread_mutex_lock(&o->lock);
  o->text = text;
  snprintf(o->lastError, sizeof o->lastError, "%s", OstatniBlad());
  o->done = 1;
  pthread_mutex_unlock(&o->lock);
  return NULL;
}

static int overlapDone(struct Overlap* o) {
  pthread_mutex_lock(&o->lock);
  int done = o->done;
  pthread_mutex_unlock(&o->lock);
  return done;
}

static char* readFile(const char* path) {
  FILE* f = fopen(path, "rb");
  if (f == NULL) return NULL;
  static char content[65536];
  size_t n = fread(content, 1, sizeof content - 1, f);
  content[n] = '\0';
  fclose(f);
  return content;
}

static void sleepMs(long ms) {
  struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
  nanosleep(&t, NULL);
}

/* One call reads its WIN.INI from a named pipe, so it stays inside the library until this
 * thread writes the file's text into the pipe; a second call made meanwhile is refused. */
static void checkOverlap(const char* fifo, const char* winIni, int32_t d, const char* expected) {
  const char* content = readFile(winIni);
  if (content == NULL) {
    check(0, "overlap: WIN.INI readable", winIni);
    return;
  }
  /* The call may close the pipe between this thread's open and write (it reads WIN.INI more
   * than once): the write then fails instead of ending the host. */
  signal(SIGPIPE, SIG_IGN);
  struct Overlap o = {.id = d};
  pthread_mutex_init(&o.lock, NULL);
  setenv("WERTALO_WIN_INI", fifo, 1);
  pthread_t thread;
  pthread_create(&thread, NULL, overlappedCall, &o);
  int refused = 0, fed = 0;
  char reason[256] = "";
  for (int waited = 0; !overlapDone(&o) && waited < 60000;) {
    int fd = open(fifo, O_WRONLY | O_NONBLOCK);
    if (fd < 0) { /* no reader yet, or the call has read everything */
      sleepMs(1);
      ++waited;
      continue;
    }
    if (!fed) {
      /* The first call is inside the library now, reading its WIN.INI. */
      char* second = EkportujXML(d, NULL, 1);
      refused = second == NULL;
      snprintf(reason, sizeof reason, "%s", OstatniBlad());
      if (second != NULL) ZwolnijPCHAR(second);
      fed = 1;
    }
    ssize_t written = write(fd, content, strlen(content));
    (void)written;
    close(fd);
  }
  pthread_join(thread, NULL);
  setenv("WERTALO_WIN_INI", winIni, 1);
  check(fed, "overlap: the first call read its WIN.INI from the pipe", "it never opened the pipe");
  check(refused, "overlap: a second call while one runs returns NULL", NULL);
  check(reason[0] != '\0', "overlap: the refused call has its reason in OstatniBlad", NULL);
  check(o.text != NULL && expected != NULL && strcmp(o.text, expected) == 0, "overlap: the first call ends as usual",
        o.lastError);
  check(o.lastError[0] == '\0', "overlap: the first call's OstatniBlad is empty", o.lastError);
  if (o.text != NULL) ZwolnijPCHAR(o.text);
  pthread_mutex_destroy(&o.lock);
}

/* ---- The cases ----------------------------------------------------------------------------- */

static int runChecks(int argc, char** argv) {
  const char* out = argv[3];
  int32_t d = idArg(argc, argv, "d"), rb50 = idArg(argc, argv, "rb50"), bilj = idArg(argc, argv, "bilj"),
          bill = idArg(argc, argv, "bill"), unknown = idArg(argc, argv, "unknown");
  const char* bad = arg(argc, argv, "bad");
  const char* fifo = arg(argc, argv, "fifo");
  const char* winIni = getenv("WERTALO_WIN_INI");
  if (bad == NULL || fifo == NULL || winIni == NULL) {
    fprintf(stderr, "host_check: bad=, fifo= and $WERTALO_WIN_INI are needed\n");
    return 2;
  }
  char id[64];

  check(strcmp(OstatniBlad(), "") == 0, "OstatniBlad before any call is empty", OstatniBlad());

  /* A D report of the unit itself: one Rb-27s element and its anchor. */
  strcpy(id, kUntouched);
  char* first = EkportujXML(d, id, 1);
  checkElement("D report gives one Rb-27s element", first, "Rb-27s", d);
  checkAnchor("D report's anchor in the buffer", id, "Rb-27s", d);
  check(strcmp(OstatniBlad(), "") == 0, "OstatniBlad after a call that succeeded is empty", OstatniBlad());
  if (first != NULL) save(out, "d.xml", first);

  /* The same report again, without an anchor buffer: the same text. */
  char* again = EkportujXML(d, NULL, 1);
  check(first != NULL && again != NULL && strcmp(first, again) == 0, "the same report twice gives the same text", NULL);
  if (again != NULL) release("the second text is released", again);

  /* Rb-50: the part by typ; another typ, or none, gives an empty text. */
  struct {
    const char* typ;
    const char* symbol;
    const char* file;
  } parts[] = {{"W", "Rb-50W", "rb50w.xml"}, {"D", "Rb-50D", "rb50d.xml"}};
  for (size_t i = 0; i < sizeof parts / sizeof parts[0]; ++i) {
    char name[64];
    strcpy(id, kUntouched);
    char* text = EkportujRB50XML(rb50, id, 1, parts[i].typ);
    snprintf(name, sizeof name, "RB50 with typ %s gives %s", parts[i].typ, parts[i].symbol);
    checkElement(name, text, parts[i].symbol, rb50);
    snprintf(name, sizeof name, "RB50 with typ %s: anchor", parts[i].typ);
    checkAnchor(name, id, parts[i].symbol, rb50);
    if (text != NULL) {
      save(out, parts[i].file, text);
      release("an Rb-50 part is released", text);
    }
  }
  const char* otherTyps[] = {"X", "", "w", NULL};
  for (size_t i = 0; i < sizeof otherTyps / sizeof otherTyps[0]; ++i) {
    char name[64];
    strcpy(id, kUntouched);
    char* text = EkportujRB50XML(rb50, id, 1, otherTyps[i]);
    snprintf(name, sizeof name, "RB50 with typ \"%s\" gives an empty text", otherTyps[i] != NULL ? otherTyps[i] : "NULL");
    check(text != NULL && text[0] == '\0' && strcmp(id, kUntouched) == 0, name, text);
    if (text != NULL) release("an empty text is released", text);
  }
  char* rb50Plain = EkportujXML(rb50, NULL, 1);
  check(rb50Plain != NULL && rb50Plain[0] == '\0', "RB50 through EkportujXML gives an empty text", rb50Plain);
  if (rb50Plain != NULL) release("an empty text is released", rb50Plain);

  /* Balance sheets of budget units: BILJ and BILL both through B-Jed. */
  struct {
    int32_t id;
    const char* name;
    const char* file;
  } sheets[] = {{bilj, "BILJ", "bilj.xml"}, {bill, "BILL", "bill.xml"}};
  for (size_t i = 0; i < sizeof sheets / sizeof sheets[0]; ++i) {
    char name[64];
    strcpy(id, kUntouched);
    char* text = EkportujXML(sheets[i].id, id, 0);
    snprintf(name, sizeof name, "%s gives a B-Jed element", sheets[i].name);
    checkElement(name, text, "B-Jed", sheets[i].id);
    snprintf(name, sizeof name, "%s: anchor", sheets[i].name);
    checkAnchor(name, id, "B-Jed", sheets[i].id);
    if (text != NULL) {
      save(out, sheets[i].file, text);
      release("a balance sheet is released", text);
    }
  }
  /* The unit's own tables hold no such report. */
  char* wrongKind = EkportujXML(bilj, NULL, 1);
  check(wrongKind != NULL && wrongKind[0] == '\0', "a budget unit's report read from the unit's tables is empty", wrongKind);
  if (wrongKind != NULL) ZwolnijPCHAR(wrongKind);

  /* An unknown id: an empty text, the buffer untouched. */
  strcpy(id, kUntouched);
  char* none = EkportujXML(unknown, id, 1);
  check(none != NULL && none[0] == '\0', "an unknown id gives an empty text", none);
  check(strcmp(id, kUntouched) == 0, "an unknown id leaves the anchor buffer as it was", id);
  if (none != NULL) release("the empty text is released", none);

  /* Releasing: NULL and a text released already are not released again. */
  check(ZwolnijPCHAR(NULL) == 0, "ZwolnijPCHAR(NULL) gives 0", NULL);
  if (first != NULL) {
    release("the first text is released", first);
    check(ZwolnijPCHAR(first) == 0, "a text released already gives 0", NULL);
  }
  char local[] = "not from the library";
  check(ZwolnijPCHAR(local) == 0, "a text the library did not return gives 0", NULL);

  /* A database that cannot be opened: NULL and a readable reason. */
  setenv("WERTALO_WIN_INI", bad, 1);
  strcpy(id, kUntouched);
  char* failedText = EkportujXML(d, id, 1);
  setenv("WERTALO_WIN_INI", winIni, 1);
  check(failedText == NULL, "a database that cannot be opened gives NULL", failedText);
  check(strlen(OstatniBlad()) > 0, "OstatniBlad tells why", NULL);
  check(strcmp(id, kUntouched) == 0, "a failed call leaves the anchor buffer as it was", id);
  save(out, "error.txt", OstatniBlad());
  if (failedText != NULL) ZwolnijPCHAR(failedText);

  /* The next call that succeeds clears the reason. */
  char* after = EkportujXML(d, NULL, 1);
  check(after != NULL && strcmp(OstatniBlad(), "") == 0, "a call after a failure succeeds and clears OstatniBlad", OstatniBlad());

  checkOverlap(fifo, winIni, d, after);
  if (after != NULL) ZwolnijPCHAR(after);

  printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}

/* N calls over the kinds of report, each text released. */
static int runLoop(int argc, char** argv) {
  long n = strtol(argv[3], NULL, 10);
  int32_t d = idArg(argc, argv, "d"), rb50 = idArg(argc, argv, "rb50"), bilj = idArg(argc, argv, "bilj"),
          bill = idArg(argc, argv, "bill"), unknown = idArg(argc, argv, "unknown");
  char id[64];
  long nulls = 0;
  for (long i = 0; i < n; ++i) {
    char* text = NULL;
    switch (i % 6) {
      case 0: text = EkportujXML(d, id, 1); break;
      case 1: text = EkportujRB50XML(rb50, id, 1, "W"); break;
      case 2: text = EkportujRB50XML(rb50, NULL, 1, "D"); break;
      case 3: text = EkportujXML(bilj, id, 0); break;
      case 4: text = EkportujXML(bill, NULL, 0); break;
      default: text = EkportujXML(unknown, id, 1); break;
    }
    if (text == NULL) {
      ++nulls;
      fprintf(stderr, "call %ld: %s\n", i, OstatniBlad());
    } else if (ZwolnijPCHAR(text) != 1) {
      ++nulls;
      fprintf(stderr, "call %ld: text not released\n", i);
    }
  }
  printf("%ld calls, %ld failed\n", n, nulls);
  return nulls == 0 ? 0 : 1;
}

/* One call, then the libwertalo files this process has loaded. */
static int runMaps(int argc, char** argv) {
  char* text = EkportujXML(idArg(argc, argv, "d"), NULL, 1);
  if (text == NULL) {
    fprintf(stderr, "%s\n", OstatniBlad());
    return 1;
  }
  ZwolnijPCHAR(text);
  FILE* maps = fopen("/proc/self/maps", "r");
  if (maps == NULL) return 1;
  char line[4096];
  while (fgets(line, sizeof line, maps) != NULL) {
    char* path = strchr(line, '/');
    if (path != NULL && strstr(path, "libwertalo") != NULL) fputs(path, stdout);
  }
  fclose(maps);
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: host_check LIBRARY check|loop|maps ...\n");
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "host_check: %s\n", dlerror());
    return 2;
  }
  /* The form POSIX gives for taking a function from dlsym in ISO C. */
  *(void**)&EkportujXML = dlsym(library, "EkportujXML");
  *(void**)&EkportujRB50XML = dlsym(library, "EkportujRB50XML");
  *(void**)&ZwolnijPCHAR = dlsym(library, "ZwolnijPCHAR");
  *(void**)&OstatniBlad = dlsym(library, "OstatniBlad");
  if (EkportujXML == NULL || EkportujRB50XML == NULL || ZwolnijPCHAR == NULL || OstatniBlad == NULL) {
    fprintf(stderr, "host_check: a function is not exported: %s\n", dlerror());
    return 2;
  }
  int result;
  if (strcmp(argv[2], "check") == 0 && argc > 3) {
    result = runChecks(argc, argv);
  } else if (strcmp(argv[2], "loop") == 0 && argc > 3) {
    result = runLoop(argc, argv);
  } else if (strcmp(argv[2], "maps") == 0) {
    result = runMaps(argc, argv);
  } else {
    fprintf(stderr, "host_check: unknown command %s\n", argv[2]);
    result = 2;
  }
  dlclose(library);
  return result;
}
