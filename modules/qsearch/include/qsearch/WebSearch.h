#pragma once

/*
 * The contract between the program and a search module.
 *
 * A search module is a shared library that exports two C functions:
 *
 *   int32_t WebSearch(const WSearchParam* param);
 *   int WebSearchAbiVersion(void);          returns WSEARCH_ABI_VERSION
 *
 * and may export a third, which tells the program the engines it defines:
 *
 *   int WebSearchEngines(WSearchEngineInfo* out, int capacity);
 *
 * A module without it is asked for the seven engines the program names itself.
 *
 * The program refuses a module whose WebSearchAbiVersion is missing or answers
 * another number, because the records below are read by offset.
 *
 * WebSearch runs one engine for one query, synchronously, on the calling
 * worker's thread; several calls run at once on different threads. The block
 * and everything it points to live only for the duration of the call. The
 * records keep their field order with native sizes: 32-bit integers stay 32-bit,
 * pointers and the callbacks are the platform's own width.
 *
 * The module returns WSEARCH_OK, WSEARCH_HTTP_FAILURE when the engine answered
 * with an HTTP failure status, WSEARCH_NO_DEFINITION for an engine number it has
 * nothing for, WSEARCH_RATE_LIMITED when the engine refuses to be asked so often
 * (HTTP 429), or a code of the program's system error space (the Internet
 * client numbering: 12002 time-out, 12007 name not resolved, 12029 cannot
 * connect, 1223 cancelled, ...), which the program shows with its error texts.
 */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { WSEARCH_ABI_VERSION = 1 };

/* The names under which the program looks the two functions up. */
#define WSEARCH_ENTRY_NAME "WebSearch"
#define WSEARCH_ABI_VERSION_NAME "WebSearchAbiVersion"
#define WSEARCH_ENGINES_NAME "WebSearchEngines"

/* Results of WebSearch besides the system error codes. */
enum {
    WSEARCH_OK = 0,
    WSEARCH_HTTP_FAILURE = -1,
    /* The module has no definition for this engine number. */
    WSEARCH_NO_DEFINITION = 0x20000001,
    /* The engine answered 429: it limits how often it may be asked. */
    WSEARCH_RATE_LIMITED = 0x20000003
};

/* Access types of the module's own Internet session. */
enum {
    WSEARCH_ACCESS_PRECONFIG = 0, /* the system's configured access */
    WSEARCH_ACCESS_PROXY = 3      /* through the proxy named in the block */
};

/*
 * Status codes for the status callback: the codes the program's network layer
 * reports for its own transfers, so that a module's progress reads in the
 * thread window like any other transfer. Information given "as text" is a
 * zero-terminated text whose length counts the terminator; where there is no
 * information the pointer is null and the length 0.
 */
enum {
    WSEARCH_STATUS_RESOLVING_NAME = 10,     /* information as text: the host name */
    WSEARCH_STATUS_NAME_RESOLVED = 11,      /* information as text: the address */
    WSEARCH_STATUS_CONNECTING = 20,         /* information as text: the address */
    WSEARCH_STATUS_CONNECTED = 21,          /* information as text: the address */
    WSEARCH_STATUS_SENDING_REQUEST = 30,    /* no information */
    WSEARCH_STATUS_REQUEST_SENT = 31,       /* no information */
    WSEARCH_STATUS_RECEIVING_RESPONSE = 40, /* no information; each call moves the indicator */
    WSEARCH_STATUS_RESPONSE_RECEIVED = 41,  /* no information */
    WSEARCH_STATUS_CLOSING_CONNECTION = 50,
    WSEARCH_STATUS_CONNECTION_CLOSED = 51,
    WSEARCH_STATUS_HANDLE_CREATED = 60,
    WSEARCH_STATUS_HANDLE_CLOSING = 70,
    WSEARCH_STATUS_REQUEST_COMPLETE = 100, /* information: two 32-bit values, result and error */
    WSEARCH_STATUS_REDIRECT = 110          /* information as text: the new URL */
};

/* A calendar date-time in UTC, 16 bytes; all zero when unknown. */
typedef struct WSearchDate {
    uint16_t year;
    uint16_t month;
    uint16_t dayOfWeek; /* 0 Sunday .. 6 Saturday */
    uint16_t day;
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
} WSearchDate;

/*
 * One item handed to the result callback. Texts are zero-terminated UTF-8 or
 * the bytes as received, and need to stay valid only during the callback.
 * level is never null; a null title or url reads as an empty text.
 */
typedef struct WSearchItem {
    /* The number of ':' characters is the item's level: 0 the engine's summary
     * (only size, the hit count, is read), 1 a result or, with an empty url, a
     * group heading, 2 a result under the last level-1 heading. */
    const char* level;
    const char* title;
    const char* url;
    const WSearchDate* date; /* null when unknown */
    const char* charset;     /* the page's charset name; empty or null for UTF-8 */
    int32_t size;            /* page size; for level 0 the engine's total hits */
    uint16_t fitness;        /* relevance, larger is better */
} WSearchItem;

/* Called once per item. Returns 1 while the search should go on, 0 once the
 * worker has been stopped (the item is then discarded). */
typedef int32_t (*WSearchResultCallback)(const WSearchItem* item, void* context);

/* Network progress: context, one of the WSEARCH_STATUS_ codes, its
 * information and the information's length in bytes. */
typedef void (*WSearchStatusCallback)(void* context, uint32_t status, const void* info,
                                      uint32_t length);

typedef struct WSearchParam {
    const char* query;   /* zero-terminated; never null */
    int32_t queryMode;   /* 0 as typed, 1 all words, 2 any word, 3 exact phrase */
    const char* exclude; /* words to exclude; empty when none, never null */
    int32_t max;         /* results wanted */
    int32_t reserved1;   /* 0 */
    int32_t engine;      /* engine number 1..8; 0 for a bit outside the engine table */
    WSearchResultCallback result;
    void* resultContext;
    WSearchStatusCallback status;
    void* statusContext;
    /* An eventfd descriptor that becomes readable when the worker is stopped:
     * poll it with the module's sockets and return at once when it fires. The
     * module never reads, writes or closes it. */
    int stopEvent;
    int32_t accessType; /* WSEARCH_ACCESS_PRECONFIG or WSEARCH_ACCESS_PROXY */
    const char* proxy;  /* "host" or "host:port"; empty when none */
    int32_t reserved2;  /* 0 */
} WSearchParam;

/* One engine the module has a definition for. */
enum { WSEARCH_ENGINE_NAME_SIZE = 64 };
typedef struct WSearchEngineInfo {
    int32_t engine; /* the engine number, 1..16 */
    /* The definition's name, zero-terminated UTF-8, cut at a character's end
     * to fit; empty when the definition gives none. */
    char name[WSEARCH_ENGINE_NAME_SIZE];
} WSearchEngineInfo;

typedef int32_t (*WebSearchFunction)(const WSearchParam* param);
typedef int (*WebSearchAbiVersionFunction)(void);
/* Fills at most capacity records, in the order of the engine numbers, and
 * answers how many engines the module defines (more than capacity when they
 * did not all fit); out may be null when capacity is 0. */
typedef int (*WebSearchEnginesFunction)(WSearchEngineInfo* out, int capacity);

/* Exported whatever visibility the module is built with. */
#define QSEARCH_EXPORT __attribute__((visibility("default")))

QSEARCH_EXPORT int32_t WebSearch(const WSearchParam* param);
QSEARCH_EXPORT int WebSearchAbiVersion(void);
QSEARCH_EXPORT int WebSearchEngines(WSearchEngineInfo* out, int capacity);

#ifdef __cplusplus
} /* extern "C" */

static_assert(sizeof(WSearchDate) == 16, "the date record is 16 bytes");
static_assert(sizeof(int) == 4, "the stop event is a 32-bit descriptor");
// The 64-bit layout both sides agree on; a change here is a new ABI version.
static_assert(sizeof(void*) != 8 || sizeof(WSearchItem) == 48, "item layout");
static_assert(sizeof(void*) != 8 || sizeof(WSearchParam) == 96, "parameter block layout");
static_assert(sizeof(WSearchEngineInfo) == 68, "engine record layout");
#endif
