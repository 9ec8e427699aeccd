// The software descriptor's four texts.
#include "mainwnd/softdescriptor.h"

#include "mainwnd/product.h"

void FillSoftDescriptor(tagSoft& soft)
{
    // Every text fits its field by a wide margin; SoftSetField refuses rather than overruns.
    SoftSetField(soft.version, SoftHexOfUnits(kProductVersion));
    SoftSetField(soft.productId, SoftHexOfUnits(kProductId));
    SoftSetField(soft.productType, SoftHexOfUnits(kProductType));
    SoftSetField(soft.productName, SoftHexOfBytes(kProductName));
}
