/* Wertalo: the functions a host program calls to get the Besti@ XML of one report without any
 * user interface (libwertalo.so, C linkage).
 *
 * Every text passed in or returned is 8-bit Windows-1250, zero-terminated; a character that
 * Windows-1250 cannot hold is returned as "?". The installation is found as the command line
 * finds it: the WIN.INI named by $WERTALO_WIN_INI, else ~/.config/wertalo/win.ini.
 *
 * Calls must not overlap: a call made while another one runs (in another thread) returns NULL
 * at once, with its reason in OstatniBlad. Each call connects to the product's database and
 * disconnects again; nothing survives between calls except the returned texts.
 */
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define WERTALO_API __attribute__((visibility("default")))
#else
#define WERTALO_API
#endif

/* The XML element of the report `id_spraw` (its IDSPRAW in the product's database), alone: no
 * XML declaration, no package around it, no line breaks or indentation added. `bJST` non-zero
 * reads the unit's own report tables, zero the budget units' "JB" tables (only its low byte
 * counts). When `Id` is not NULL and an element is returned, the report's anchor ("#Rb-27s"
 * followed by the IDSPRAW digits) is copied into it with its terminating zero: it must hold
 * 64 bytes. A report without an element (an unknown id, a type without a body) gives an empty
 * text. Returns NULL on an error (see OstatniBlad); any other result is released with
 * ZwolnijPCHAR and only with it. */
WERTALO_API char* EkportujXML(int32_t id_spraw, char* Id, int32_t bJST);

/* As EkportujXML, with `typ` appended to the report's symbol: "D" gives the Rb-50D part of an
 * Rb-50 report, "W" its Rb-50W part; any other `typ` gives an empty text (NULL counts as ""). */
WERTALO_API char* EkportujRB50XML(int32_t id_spraw, char* Id, int32_t bJST, const char* typ);

/* Releases a text returned by EkportujXML or EkportujRB50XML. Returns 1 when it released it,
 * 0 for NULL or a pointer that is not such a text (one released already, say). */
WERTALO_API int32_t ZwolnijPCHAR(char* q);

/* Why the last call of EkportujXML or EkportujRB50XML made in this thread returned NULL (a
 * Polish message with the database's or the system's text); "" after a call that succeeded
 * and before any call. The text stays valid until the next call in this thread; never NULL,
 * never to be released. */
WERTALO_API const char* OstatniBlad(void);

#ifdef __cplusplus
}
#endif
