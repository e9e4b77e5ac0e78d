#pragma once
// What one connection's stored-query look-ups found during its current transaction. Every statement
// that names a stored query looks its text up in the catalog; an import runs the same few queries for
// every file inside one transaction, and while that transaction holds its lock no other connection
// can change them (with the rollback journal every connection opens with, a commit waits until no
// other connection holds a read lock; a write-ahead log would end that guarantee). The connection
// forgets everything when its transaction ends, at every write to the query table and at every text
// of its own other than a savepoint's mark or release, so an answer is only reused while nothing can
// have changed it.

#include "platform/ado/CatalogStore.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace platform::ado {

class StoredQueryMemo {
public:
    // The table whose writes make the memo forget.
    static constexpr std::string_view kQueryTable = "ts_catalog_queries";

    // The remembered answer for the name (a query, or none of that name); null when not remembered.
    const std::optional<StoredQuery>* Find(std::string_view name) const;
    // Remembers the answer for the name.
    void Remember(std::string_view name, std::optional<StoredQuery> query);
    // Forgets every answer.
    void Forget() { m_answers.clear(); }
    // Forgets every answer unless the native text only marks or releases a savepoint (which changes
    // no row; a release that ends the transaction is seen by the connection).
    void ForgetUnlessSavepointMark(std::string_view nativeSql);

private:
    // Names compare as the query table's NOCASE collation does: ASCII letters folded only.
    static std::string Key(std::string_view name);

    std::unordered_map<std::string, std::optional<StoredQuery>> m_answers;
};

} // namespace platform::ado
