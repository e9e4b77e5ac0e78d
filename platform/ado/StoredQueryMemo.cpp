#include "platform/ado/StoredQueryMemo.h"

#include "platform/base/CaseFold.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace platform::ado {

namespace {

bool StartsWithWord(std::string_view text, std::string_view word)
{
    return text.size() >= word.size() && EqualsNoCase(text.substr(0, word.size()), word)
        && (text.size() == word.size() || !std::isalnum(static_cast<unsigned char>(text[word.size()])));
}

} // namespace

const std::optional<StoredQuery>* StoredQueryMemo::Find(std::string_view name) const
{
    const auto found = m_answers.find(Key(name));
    return found == m_answers.end() ? nullptr : &found->second;
}

void StoredQueryMemo::Remember(std::string_view name, std::optional<StoredQuery> query)
{
    m_answers.insert_or_assign(Key(name), std::move(query));
}

void StoredQueryMemo::ForgetUnlessSavepointMark(std::string_view nativeSql)
{
    const auto start = std::find_if(nativeSql.begin(), nativeSql.end(), [](char c) { return !std::isspace(static_cast<unsigned char>(c)); });
    const std::string_view text = nativeSql.substr(static_cast<std::size_t>(start - nativeSql.begin()));
    // One word is not enough for a text of several statements ("ROLLBACK TO x; RELEASE x").
    const std::size_t end = text.find(';');
    const bool single = end == std::string_view::npos || end == text.size() - 1;
    if (single && (StartsWithWord(text, "savepoint") || StartsWithWord(text, "release")))
        return;
    Forget();
}

std::string StoredQueryMemo::Key(std::string_view name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), [](char c) { return FoldCase(c); });
    return key;
}

} // namespace platform::ado
