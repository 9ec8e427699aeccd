// The about box as an information message box.
#include "corelib/about_box.h"

namespace {

const wchar_t kUnknown[] = L"未知";

CString OrUnknown(const CString& text)
{
    return text.IsEmpty() ? CString(kUnknown) : text;
}

}  // namespace

CString SoftProductName(const tagSoft* soft)
{
    std::string hex;
    CString name;
    if (soft && SoftFieldText(soft->productName, &hex) && SoftBytesOfHex(hex.c_str(), &name))
        return name;
    return CString();
}

CString SoftVersion(const tagSoft* soft)
{
    std::string hex;
    CString version;
    if (soft && SoftFieldText(soft->version, &hex) && SoftUnitsOfHex(hex.c_str(), &version))
        return version;
    return CString();
}

CString AboutCaption(const tagSoft* soft)
{
    return L"关于 " + OrUnknown(SoftProductName(soft));
}

CString AboutText(const tagSoft* soft)
{
    return OrUnknown(SoftProductName(soft)) + L"\n版本：" + OrUnknown(SoftVersion(soft));
}

void ShowAboutBox(HWND owner, const tagSoft* soft)
{
    ::MessageBoxW(owner, AboutText(soft), AboutCaption(soft), MB_OK | MB_ICONINFORMATION);
}
