// The libFuzzer entry point of one fuzz executable; VELMORA_FUZZ_FUNCTION names its target.

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    return velmora::fuzz::VELMORA_FUZZ_FUNCTION(data, size);
}
