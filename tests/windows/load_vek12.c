/* A host as a Windows program would be: loads Vek12.dll at run time, finds
   Vekmain by name and compiles one piece through it.
   Usage: load_vek12 DLL SOURCE [INCLUDE-PATH]
   Prints "compiled" or the message with its place; exits 0, 1 on a failed
   compile, 2 when the library or its entry cannot be had. */
#include <stdio.h>
#include <windows.h>

#include "vek/vekmain.h"

int main(int argc, char **argv) {
    if (argc < 3) {
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
