#include "platform/ado/JetEngine.h"

#include "platform/ado/Compaction.h"
#include "platform/ado/ConnectionState.h"
#include "platform/ado/ConnectionString.h"
#include "platform/ado/VariantValues.h"

namespace platform::ado {

HRESULT CJetEngine::CompactDatabase(BSTR SourceConnection, BSTR Destconnection)
{
    const auto source = DataSourcePath(TextOfBstr(SourceConnection));
    const auto destination = DataSourcePath(TextOfBstr(Destconnection));
    if (!source || !destination)
        return SetThreadError(AdoErrorResult(adErrProviderNotFound), "A connection string names no data source.");
    try {
        CompactDatabaseFile(*source, *destination);
    } catch (const DbError& error) {
        return SetThreadError(ResultOf(error), error.what());
    }
    return S_OK;
}

HRESULT CJetEngine::RefreshCache(_Connection*) { return S_OK; }

} // namespace platform::ado
