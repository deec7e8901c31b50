/* GetTickCount64 for the shipped binaries, which must start on Windows XP.
 * The thread runtime that the compiler links in calls GetTickCount64, which
 * XP's kernel32 lacks: a program importing it does not even load there. This
 * object defines the import slot itself, so the linker takes no import from
 * kernel32; the slot leads to the system's function where there is one and
 * otherwise counts the 49.7-day wraps of GetTickCount. */
#include <windows.h>

typedef ULONGLONG(WINAPI* TickCount64)(void);

/* High half: wraps seen; low half: the last GetTickCount value. Changed as
 * one 64-bit value, so that two threads never count one wrap twice. */
static ULONGLONG wrapsAndLast;

static ULONGLONG WINAPI CountedTicks(void) {
    ULONGLONG seen = __atomic_load_n(&wrapsAndLast, __ATOMIC_SEQ_CST);
    for (;;) {
        DWORD now = GetTickCount();
        ULONGLONG wraps = seen >> 32;
        if (now < (DWORD)seen) ++wraps;
        ULONGLONG next = wraps << 32 | now;
        if (__atomic_compare_exchange_n(&wrapsAndLast, &seen, next, 0, __ATOMIC_SEQ_CST,
                                        __ATOMIC_SEQ_CST))
            return next;
    }
}

static ULONGLONG WINAPI FirstCall(void);

/* The import slot that callers compiled against the system headers use. */
TickCount64 tickCount64Slot __asm__("__imp__GetTickCount64@0") = FirstCall;

static ULONGLONG WINAPI FirstCall(void) {
    TickCount64 system =
        (TickCount64)(void*)GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64");
    TickCount64 chosen = system ? system : CountedTicks;
    __atomic_store_n(&tickCount64Slot, chosen, __ATOMIC_SEQ_CST);
    return chosen();
}
