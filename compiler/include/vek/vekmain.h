/* The one entry point of the Vek12 compiler library, usable from C and C++. */
#ifndef VEK_VEKMAIN_H
#define VEK_VEKMAIN_H

#include <stdint.h>

#if defined(_WIN32)
#  if defined(VEK_BUILDING_LIBRARY)
#    define VEK_API __declspec(dllexport)
#  else
#    define VEK_API __declspec(dllimport)
#  endif
#else
#  define VEK_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Arguments of one compile. The caller owns everything these point to;
   the library copies what it keeps and never writes through them.
   File names and folders are UTF-8; on Windows a name that is not valid
   UTF-8 is read in the ANSI code page, "\" and "/" both separate folders
   and a name may start with a drive letter. Include names in a source may
   use "\" on every system. */
typedef struct VekmainArgs {
    const char *sourcePath;       /* source file to compile */
    const char *format;           /* "midi" or "wrk" */
    const char *listingPath;      /* event listing file */
    const char *includePath;      /* include folders separated by ";" */
    const int32_t *selectionStart; /* byte offset of the selection start in the source */
    const int32_t *selectionEnd;   /* byte offset of its end; equal to the start when none */
    const int32_t *extractMode;    /* 1: keep only the tracks under the selection start */
    const char *version;          /* interface version, "1.200" */
} VekmainArgs;

/* Result of one compile, laid out byte for byte (340 bytes, little-endian). */
typedef struct ParseError {
    int32_t stream;        /* input stack slot that was being read; opaque */
    int32_t reserved1;     /* 0 in a source error */
    int32_t reserved2;
    char message[240];     /* NUL-terminated message */
    char fileName[80];     /* file being read when the error arose; a longer name
                              keeps "..." and its last 76 characters */
    uint8_t hasLocation;   /* 1: fileName and position are valid */
    uint8_t failed;        /* 1: the compile failed or message is to be shown */
    uint8_t actions;       /* bit 0: open the listing for the user */
    uint8_t reserved3;
    int32_t position;      /* byte offset in fileName just past the last character read */
} ParseError;

#define VEKMAIN_VERSION "1.200"
#define VEKMAIN_ARGUMENT_COUNT 7

/* Compiles one source file. Never ends or hangs the calling process:
   every failure comes back in the result. */
VEK_API ParseError Vekmain(int32_t count, const VekmainArgs *args);

typedef ParseError (*VekmainFunction)(int32_t count, const VekmainArgs *args);

/* One note of the output and the source text it came from. */
typedef struct VekMappedNote {
    int32_t track;    /* output track, from 1 (0 is the conductor track) */
    int32_t channel;  /* 0-15 */
    int32_t key;      /* 0-127 */
    int32_t velocity; /* 1-127 */
    int32_t start;    /* ticks from the start of the output */
    int32_t length;   /* ticks */
    int32_t file;     /* index of the file in the onFile calls; -1: no source */
    int32_t offset;   /* byte offset in that file of the note's first character;
                         a note of a macro body or a pattern: just past the
                         name of the outermost call */
} VekMappedNote;

/* What VekmainWithMap tells about a compile that succeeded, after the
   output was written: the caller's functions are called in the order
   files, tracks, tempo and meter changes, notes (by track, then time).
   Any function may be null. */
typedef struct VekEventMap {
    void *context;    /* passed back to every function */
    void (*onFile)(void *context, int32_t index, const char *name);
    void (*onTrack)(void *context, int32_t track, const char *name);
    /* bpm100: beats per minute times 100 */
    void (*onTempo)(void *context, int32_t tick, uint32_t bpm100);
    /* bar counts from 1; denominatorPower 2 is a quarter note */
    void (*onMeter)(void *context, int32_t tick, int32_t bar, int32_t numerator,
                    int32_t denominatorPower);
    void (*onNote)(void *context, const VekMappedNote *note);
    int32_t division; /* set by the library: ticks per quarter note */
} VekEventMap;

/* Vekmain, and then the map of the output's notes to their source. The
   output is the same as Vekmain's; a null map makes it Vekmain. */
VEK_API ParseError VekmainWithMap(int32_t count, const VekmainArgs *args, VekEventMap *map);

typedef ParseError (*VekmainWithMapFunction)(int32_t count, const VekmainArgs *args,
                                             VekEventMap *map);

#ifdef __cplusplus
} /* extern "C" */
#endif

#ifdef __cplusplus
#  include <cstddef>
static_assert(sizeof(ParseError) == 340, "ParseError is 340 bytes");
static_assert(offsetof(ParseError, message) == 12, "message at 12");
static_assert(offsetof(ParseError, fileName) == 252, "fileName at 252");
static_assert(offsetof(ParseError, hasLocation) == 332, "hasLocation at 332");
static_assert(offsetof(ParseError, failed) == 333, "failed at 333");
static_assert(offsetof(ParseError, actions) == 334, "actions at 334");
static_assert(offsetof(ParseError, position) == 336, "position at 336");
static_assert(sizeof(VekmainArgs) == 8 * sizeof(void *), "eight pointers");
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#  include <stddef.h>
_Static_assert(sizeof(ParseError) == 340, "ParseError is 340 bytes");
_Static_assert(offsetof(ParseError, position) == 336, "position at 336");
#endif

#endif /* VEK_VEKMAIN_H */
