#include "MemoryUse.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kucun {

void keepFreedMemoryForReuse()
{
#ifdef __GLIBC__
    // Blocks up to 16 MiB come from the heap, and the heap keeps up to
    // 64 MiB of free memory at its top.
    mallopt(M_MMAP_THRESHOLD, 16 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

} // namespace kucun
