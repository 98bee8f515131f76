/* A host as a Windows program would be: loads Vek12.dll at run time, finds
   Vekmain by name and compiles one piece through it.
   Usage: load_vek12 DLL SOURCE [INCLUDE-PATH]
   The names reach Vekmain in UTF-8, whatever the ANSI code page.
   Prints "compiled" or the message with its place; exits 0, 1 on a failed
   compile, 2 when the library or its entry cannot be had. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>
#include <shellapi.h>

#include "vek/vekmain.h"

/* The command line's words in UTF-8; main's argv has them in the ANSI
   code page, which cannot hold every name. */
static char **utf8Arguments(int *argc) {
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), argc);
    char **out = calloc((size_t)*argc + 1, sizeof *out);
    for (int i = 0; wide && out && i < *argc; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, NULL, 0, NULL, NULL);
        out[i] = malloc((size_t)size);
        if (out[i]) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, out[i], size, NULL, NULL);
    }
    return out;
}

int main(void) {
    int argc = 0;
    char **argv = utf8Arguments(&argc);
    if (argc < 3 || !argv || !argv[1] || !argv[2] || (argc > 3 && !argv[3])) {
        fputs("usage: load_vek12 DLL SOURCE [INCLUDE-PATH]\n", stderr);
        return 2;
    }
    HMODULE library = LoadLibraryA(argv[1]);
    if (!library) {
        fprintf(stderr, "cannot load %s: error %lu\n", argv[1], (unsigned long)GetLastError());
        return 2;
    }
    /* GetProcAddress hands back a generic function pointer; going through
       void * keeps the conversion quiet. */
    VekmainFunction vekmain = (VekmainFunction)(void *)GetProcAddress(library, "Vekmain");
    if (!vekmain) {
        fprintf(stderr, "no Vekmain in %s\n", argv[1]);
        FreeLibrary(library);
        return 2;
    }
    const int32_t none = 0;
    const VekmainArgs args = {argv[2], "midi", "load_vek12.vls", argc > 3 ? argv[3] : "",
                              &none,   &none,  &none,            VEKMAIN_VERSION};
    const ParseError result = vekmain(VEKMAIN_ARGUMENT_COUNT, &args);
    FreeLibrary(library);
    if (!result.failed) {
        puts("compiled");
        return 0;
    }
    printf("failed: %.240s", result.message);
    if (result.hasLocation) printf(" (%.80s at byte %d)", result.fileName, (int)result.position);
    putchar('\n');
    return 1;
}
