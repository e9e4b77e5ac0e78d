#include "vireo/AttributeValue.h"

namespace vireo {

AttributeValue::AttributeValue(const std::string& text)
{
    std::size_t pos = 0;
    *this = AttributeValue(text, pos);
}

AttributeValue::AttributeValue(const std::string& text, std::size_t& pos)
{
    m_name = ReadToken(text, pos);
    if (pos < text.size() && text[pos] == '=') {
        ++pos;
        m_value = ReadToken(text, pos);
    }
}

AttributeValue::AttributeValue(const std::string& name, const Component& value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, const std::string& value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, const char* value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, int value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, bool value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, const StringList& value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, const VireoURI& value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, const AttributeValueMap& value)
    : m_name(name)
    , m_value(value)
{
}

AttributeValue::AttributeValue(const std::string& name, const VireoTime& value)
    : m_name(name)
    , m_value(value)
{
}

void AttributeValue::Set(const std::string& name, const std::string& value)
{
    m_name.SetValue(name);
    m_value.SetValue(value);
}

std::string AttributeValue::Text() const
{
    std::string text;
    AppendText(text, m_name.Value(), m_value);
    return text;
}

void AttributeValue::AppendText(std::string& out, const std::string& name, const Component& value)
{
    AppendQuoted(out, name);
    out += '=';
    value.AppendEncodedText(out);
}

std::string AttributeValue::Describe() const
{
    return "[attribute:" + m_name.Describe() + " value:" + m_value.Describe() + "]";
}

} // namespace vireo
