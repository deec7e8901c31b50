/* zlib's crc32 and adler32 for the two stub programs, which link only
   zlib's inflate: zlib's own crc32 brings 7 KB of tables and its adler32
   more code, and the outer stub must stay under 48 KiB. The table is made
   on the stack at each call (a few microseconds against the 32 KB block
   each call sums), so it takes no room in the file, where the stubs'
   zeroed data is kept too. Only the stub
   programs link this file; the tests and the host fuzzer use zlib's own,
   which give the same sums. */
#include <zlib.h>

uLong ZEXPORT crc32(uLong crc, const Bytef* bytes, uInt length) {
    unsigned long table[256];
    if (!bytes) return 0;
    for (unsigned long n = 0; n < 256; ++n) {
        unsigned long c = n;
        for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    crc = ~crc & 0xFFFFFFFFUL;
    while (length--) crc = table[(crc ^ *bytes++) & 0xFF] ^ (crc >> 8);
    return ~crc & 0xFFFFFFFFUL;
}

uLong ZEXPORT adler32(uLong adler, const Bytef* bytes, uInt length) {
    unsigned long a = adler & 0xFFFF, b = adler >> 16 & 0xFFFF;
    if (!bytes) return 1;
    while (length--) {
        a = (a + *bytes++) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}
