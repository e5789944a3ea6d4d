#include "imaging/Deflater.h"

#include "imaging/ImagingErrors.h"

#include <cstddef>
#include <new>

namespace {

// zlib's memory goes through operator new like every other allocation of
// the encoder, so it is accounted for in one place.
voidpf ZAlloc(voidpf, uInt items, uInt size) { return ::operator new(static_cast<size_t>(items) * size, std::nothrow); }
void ZFree(voidpf, voidpf address) { ::operator delete(address); }

} // namespace

TDeflater::TDeflater(int level, int windowBits)
{
    stream_.zalloc = ZAlloc;
    stream_.zfree = ZFree;
    stream_.opaque = nullptr;
    if (deflateInit2(&stream_, level, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK) ThrowDeflateError();
}

TDeflater::~TDeflater() { deflateEnd(&stream_); }

void ThrowDeflateError() { throw EPngError("Write Image (PNG): Write Error"); }
