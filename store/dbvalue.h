// CDbValue: one field value as the engine hands it back (null, integer, real or UTF-16 text).
#pragma once

#include <string>

class CDbValue {
public:
    enum class Kind { Null, Integer, Real, Text };

    CDbValue() = default;
    static CDbValue Integer(long long value);
    static CDbValue Real(double value);
    static CDbValue Text(std::wstring value);

    Kind GetKind() const { return m_kind; }
    bool IsNull() const { return m_kind == Kind::Null; }
    long long AsInteger() const { return m_integer; }
    double AsReal() const { return m_real; }
    const std::wstring& AsText() const { return m_text; }

private:
    Kind m_kind = Kind::Null;
    long long m_integer = 0;
    double m_real = 0;
    std::wstring m_text;
};
