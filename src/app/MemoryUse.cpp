#include "MemoryUse.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace kucun {

void keepFreedMemoryForReuse()
{
#ifdef __GLIBC__
    // Blocks up to 32 MiB come from the heap, and the heap keeps up to
    // 128 MiB of free memory at its top.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
#endif
}

} // namespace kucun
