#pragma once
// The compaction engine: copies a library file into a new, compact one.

#include "platform/ado/Ado.h"

namespace JRO {

struct IJetEngine : IDispatch {
    // Writes a compact copy of the file named by the source connection string into the new file
    // named by the destination's; an existing destination is refused, and the source is never
    // changed. A destination left half-written by a failure is removed.
    virtual HRESULT CompactDatabase(BSTR SourceConnection, BSTR Destconnection) = 0;
    // Nothing is cached between connections, so there is nothing to refresh.
    virtual HRESULT RefreshCache(_Connection* Connection) = 0;
};

inline constexpr CLSID CLSID_JetEngine = platform::MakeGuid("DE88C160-FF2C-11D1-BB6F-00C04FAE22DA");

} // namespace JRO

TS_DEFINE_IID(JRO::IJetEngine, "9F63D980-FF25-11D1-BB6F-00C04FAE22DA");

namespace JRO {
_COM_SMARTPTR_TYPEDEF(IJetEngine, platform::IidOf<IJetEngine>());
} // namespace JRO
