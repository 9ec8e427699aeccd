// CDbValue: the three kinds of non-null values.
#include "store/dbvalue.h"

#include <utility>

CDbValue CDbValue::Integer(long long value)
{
    CDbValue result;
    result.m_kind = Kind::Integer;
    result.m_integer = value;
    return result;
}

CDbValue CDbValue::Real(double value)
{
    CDbValue result;
    result.m_kind = Kind::Real;
    result.m_real = value;
    return result;
}

CDbValue CDbValue::Text(std::wstring value)
{
    CDbValue result;
    result.m_kind = Kind::Text;
    result.m_text = std::move(value);
    return result;
}
