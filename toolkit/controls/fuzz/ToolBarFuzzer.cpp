// Reads arbitrary bytes as a toolbar resource and as a stored list of toolbar buttons. Damaged data may
// only be refused (or read up to the damage), never read past its end.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/controls/SECBmpMgr.h"
#include "toolkit/controls/SECCustomToolBarInfoEx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Copies of exactly the input's length, so that a read past the end is caught.
    const std::vector<BYTE> bytes(data, data + size);
    std::vector<UINT> ids;
    int nWidth = 0;
    int nHeight = 0;
    SECBmpMgr::ParseToolBarData(bytes.data(), bytes.size(), ids, nWidth, nHeight, TRUE);
    SECBtnInfoArray buttons;
    if (SECCustomToolBarInfoEx::UnpackButtons(bytes.data(), bytes.size(), buttons)) {
        // What was read packs back into the same bytes.
        if (SECCustomToolBarInfoEx::PackButtons(buttons) != bytes)
            __builtin_trap();
    }
    return 0;
}
