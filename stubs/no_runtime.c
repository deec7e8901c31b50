/* What the two stub programs would otherwise take from the C run-time DLL,
   which Windows 95 does not always have: their entry point, heap memory for
   the readers and zlib's inflate, and the few memory and string functions
   they call. Only the stub programs link this file; the tests and the host
   fuzzer keep the normal run time. Built freestanding, so that the compiler
   does not turn these loops back into calls of themselves. */
#include <windows.h>

#include <stddef.h>

/* The linker is told to start here. The platform calls it with the stack
   aligned to 4 bytes, the 32-bit compiler's code assumes 16. */
__attribute__((force_align_arg_pointer)) void StubStart(void) {
    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, GetCommandLineA(), SW_SHOWDEFAULT));
}

void* malloc(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size ? size : 1); }

void* calloc(size_t count, size_t size) {
    size_t total = count * size;
    if (size && count > (size_t)-1 / size) return NULL;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, total ? total : 1);
}

void free(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

/* Inflate's memory when the caller names no functions of its own. zlib's
   own pair would bring its whole table of error texts along, which nothing
   here shows. */
void* zcalloc(void* opaque, unsigned items, unsigned size) {
    (void)opaque;
    return calloc(items, size);
}

void zcfree(void* opaque, void* block) {
    (void)opaque;
    free(block);
}

void* memcpy(void* to, const void* from, size_t length) {
    unsigned char* out = to;
    const unsigned char* in = from;
    while (length--) *out++ = *in++;
    return to;
}

void* memset(void* to, int value, size_t length) {
    unsigned char* out = to;
    while (length--) *out++ = (unsigned char)value;
    return to;
}

int memcmp(const void* a, const void* b, size_t length) {
    const unsigned char *x = a, *y = b;
    for (; length; --length, ++x, ++y)
        if (*x != *y) return *x - *y;
    return 0;
}

size_t strlen(const char* text) {
    const char* end = text;
    while (*end) ++end;
    return (size_t)(end - text);
}

int strcmp(const char* a, const char* b) {
    while (*a && *a == *b) ++a, ++b;
    return (unsigned char)*a - (unsigned char)*b;
}

char* strcpy(char* to, const char* from) {
    char* out = to;
    while ((*out++ = *from++) != 0) continue;
    return to;
}

char* strchr(const char* text, int c) {
    for (;; ++text) {
        if (*text == (char)c) return (char*)text;
        if (!*text) return NULL;
    }
}

char* strrchr(const char* text, int c) {
    const char* last = NULL;
    for (;; ++text) {
        if (*text == (char)c) last = text;
        if (!*text) return (char*)last;
    }
}
