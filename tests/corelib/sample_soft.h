// The descriptor as the program fills it: version 2.1028, tarnwick, software, Mirelo.
#pragma once

#include "corelib/soft.h"

#include <cstring>
#include <memory>

// Filled like the program's block: the bytes after each terminator are left as they were
// (here 'X', so that a reader running past a terminator would show it).
inline std::unique_ptr<tagSoft> MakeSampleSoft()
{
    auto soft = std::make_unique<tagSoft>();
    std::memset(soft.get(), 'X', sizeof(tagSoft));
    SoftSetField(soft->version, SoftHexOfUnits(L"2.1028"));
    SoftSetField(soft->productId, SoftHexOfUnits(L"tarnwick"));
    SoftSetField(soft->productType, SoftHexOfUnits(L"software"));
    SoftSetField(soft->productName, SoftHexOfBytes(L"Mirelo"));
    return soft;
}
