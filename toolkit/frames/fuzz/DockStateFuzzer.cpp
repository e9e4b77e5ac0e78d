// Loads arbitrary bytes as the toolkit's dock state archive, and stores what loaded. A damaged file
// may only end in CArchiveException, never in a crash, a leak, an over-long allocation or a hang.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CException.h"
#include "platform/afx/CMemFile.h"
#include "toolkit/frames/SECDockState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<BYTE> bytes(data, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    SECDockState state;
    try {
        CArchive ar(&file, CArchive::load);
        state.Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        return 0;
    }
    CMemFile out;
    CArchive ar(&out, CArchive::store);
    state.Serialize(ar);
    ar.Close();
    return 0;
}
