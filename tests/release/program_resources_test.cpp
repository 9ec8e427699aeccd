// What Windows reads of the unpacked Mirelo.exe before it runs: the activation context its
// manifest makes, its version and its first icon; and a program with that manifest as it runs.
#include "base/text_codec.h"
#include "base/unique_handle.h"
#include "mainwnd/product.h"
#include "res/resource.h"
#include "res/version.h"
#include "tests/release/release_files.h"

#include <gtest/gtest.h>
#include <windows.h>
// after windows.h, which it needs
#include <winver.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::wstring ProgramPath()
{
    return UnpackedFolder() + L"Mirelo.exe";
}

// The program's image, mapped for its resources only.
struct CResourceImageTraits : CNullHandleTraits<HMODULE> {
    static void Close(HMODULE module) noexcept { ::FreeLibrary(module); }
};
using CResourceImage = CUniqueHandle<CResourceImageTraits>;

CResourceImage LoadResourceImage(const std::wstring& path)
{
    return CResourceImage(
        ::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

// The activation context the system builds from a program's manifest (resource 1) when it starts it.
struct CActCtxTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle handle) noexcept { return handle != INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) noexcept { ::ReleaseActCtx(handle); }
};
using CManifestContext = CUniqueHandle<CActCtxTraits>;

CManifestContext CreateManifestContext(const std::wstring& path)
{
    ACTCTXW request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEW(1);
    return CManifestContext(::CreateActCtxW(&request));
}

std::wstring ContextSetting(const CManifestContext& context, const wchar_t* nameSpace, const wchar_t* name)
{
    wchar_t value[64] = {};
    SIZE_T written = 0;
    if (!::QueryActCtxSettingsW(0, context.Get(), nameSpace, name, value, 64, &written))
        return L"<none>";
    return value;
}

// One piece of information about a context, in a buffer of the size the system asks for.
std::vector<ULONGLONG> QueryContext(HANDLE context, DWORD* index, ULONG what)
{
    SIZE_T needed = 0;
    ::QueryActCtxW(0, context, index, what, nullptr, 0, &needed);
    std::vector<ULONGLONG> buffer(needed / sizeof(ULONGLONG) + 1);
    if (!needed ||
        !::QueryActCtxW(0, context, index, what, buffer.data(), buffer.size() * sizeof(ULONGLONG), nullptr))
        return {};
    return buffer;
}

// The identities of the assemblies a context binds, as "Name,attribute=\"value\",..." texts; the
// first is the program's own, the others its dependencies.
std::vector<std::wstring> BoundAssemblies(HANDLE context)
{
    std::vector<ULONGLONG> summary = QueryContext(context, nullptr, ActivationContextDetailedInformation);
    if (summary.empty())
        return {};
    DWORD count = reinterpret_cast<ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(summary.data())->ulAssemblyCount;
    std::vector<std::wstring> identities;
    for (DWORD index = 1; index <= count; ++index) {
        std::vector<ULONGLONG> buffer =
            QueryContext(context, &index, AssemblyDetailedInformationInActivationContext);
        auto* assembly = reinterpret_cast<ACTIVATION_CONTEXT_ASSEMBLY_DETAILED_INFORMATION*>(buffer.data());
        if (!buffer.empty() && assembly->lpAssemblyEncodedAssemblyIdentity)
            identities.push_back(assembly->lpAssemblyEncodedAssemblyIdentity);
    }
    return identities;
}

bool IsCommonControls6(const std::wstring& identity)
{
    return identity.rfind(L"Microsoft.Windows.Common-Controls,", 0) == 0 &&
           identity.find(L"version=\"6.") != std::wstring::npos;
}

constexpr GUID kWindows7 = {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}};
constexpr GUID kWindows8 = {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}};
constexpr GUID kWindows81 = {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}};
constexpr GUID kWindows10And11 = {
    0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}};

std::string GuidText(const GUID& id)
{
    char text[40] = {};
    snprintf(text, sizeof(text), "{%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x}",
             static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2],
             id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return text;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names)
{
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

BOOL CALLBACK CountLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD, LONG_PTR count)
{
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Resource names of one type in the order the image lists them (ids as numbers).
std::vector<ULONG_PTR> ResourceNames(HMODULE image, LPCWSTR type)
{
    std::vector<ULONG_PTR> names;
    ::EnumResourceNamesW(image, type, &CollectName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

TEST(ProgramManifest, OneManifestAsInvokerWindows7To11CommonControls6PerMonitorDpiAware)
{
    CResourceImage image = LoadResourceImage(ProgramPath());
    ASSERT_TRUE(image);
    EXPECT_EQ(ResourceNames(image.Get(), RT_MANIFEST), std::vector<ULONG_PTR>{1});
    int languages = 0;
    ::EnumResourceLanguagesW(image.Get(), RT_MANIFEST, MAKEINTRESOURCEW(1), &CountLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, 1) << "the loader would pick one of several by language";

    CManifestContext context = CreateManifestContext(ProgramPath());
    ASSERT_TRUE(context) << "the manifest does not parse, or a dependency is missing";

    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION runLevel = {};
    ASSERT_TRUE(::QueryActCtxW(0, context.Get(), nullptr, RunlevelInformationInActivationContext, &runLevel,
                               sizeof(runLevel), nullptr));
    EXPECT_EQ(runLevel.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(runLevel.UiAccess, 0u);

    // Newer systems give each entry a tested-version field; the ids are found whatever the layout.
    alignas(8) unsigned char buffer[512] = {};
    SIZE_T written = 0;
    ASSERT_TRUE(::QueryActCtxW(0, context.Get(), nullptr, CompatibilityInformationInActivationContext, buffer,
                               sizeof(buffer), &written));
    EXPECT_EQ(reinterpret_cast<ACTIVATION_CONTEXT_COMPATIBILITY_INFORMATION*>(buffer)->ElementCount, 4u);
    const std::string given(reinterpret_cast<const char*>(buffer), written);
    for (const GUID& system : {kWindows7, kWindows8, kWindows81, kWindows10And11}) {
        EXPECT_NE(given.find(std::string(reinterpret_cast<const char*>(&system), sizeof(system))),
                  std::string::npos)
            << GuidText(system);
    }

    // Per-monitor v2 where Windows 10 knows it, per-monitor on 8.1, the system's DPI on 7 and 8.
    EXPECT_EQ(
        ContextSetting(context, L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
        L"PerMonitorV2, PerMonitor");
    EXPECT_EQ(ContextSetting(context, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware"),
              L"true/pm");
    EXPECT_EQ(
        ContextSetting(context, L"http://schemas.microsoft.com/SMI/2017/WindowsSettings", L"gdiScaling"),
        L"<none>")
        << "GDI scaling is for programs unaware of DPI";

    std::vector<std::wstring> assemblies = BoundAssemblies(context.Get());
    ASSERT_FALSE(assemblies.empty());
    const std::wstring ownVersion = L"version=\"" + std::to_wstring(MIRELO_VERSION_MAJOR) + L"." +
                                    std::to_wstring(MIRELO_VERSION_MINOR) + L".0.0\"";
    EXPECT_NE(assemblies.front().find(ownVersion), std::wstring::npos) << "the program's own identity";
    EXPECT_EQ(std::count_if(assemblies.begin(), assemblies.end(), &IsCommonControls6), 1)
        << "Common Controls 6 among " << assemblies.size() << " assemblies";
}

// This test program carries the same manifest, so it runs as the program does.
TEST(ProgramManifest, AProgramWithItLoadsCommonControls6)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(::GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
    std::wstring loaded = ::CharLowerW(path);
    EXPECT_NE(loaded.find(L"\\winsxs\\"), std::wstring::npos) << loaded;
    EXPECT_NE(loaded.find(L"microsoft.windows.common-controls_6595b64144ccf1df_6."), std::wstring::npos)
        << loaded;
}

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name)
{
    wchar_t* value = nullptr;
    UINT length = 0;
    std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
    if (!::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return L"<none>";
    return std::wstring(value, length > 0 ? length - 1 : 0);
}

TEST(ProgramVersion, IsTheProductVersionInSimplifiedChineseWithNameAndDescription)
{
    DWORD size = ::GetFileVersionInfoSizeW(ProgramPath().c_str(), nullptr);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(ProgramPath().c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const DWORD high = MAKELONG(MIRELO_VERSION_MINOR, MIRELO_VERSION_MAJOR);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    WORD* translation = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                 reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0804) << "Chinese (Simplified)";
    EXPECT_EQ(translation[1], 1200) << "UTF-16 strings";

    EXPECT_EQ(VersionString(block, L"ProductName"), L"Mirelo");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), kProductVersion)
        << "what the about box says";
    EXPECT_EQ(VersionString(block, L"FileVersion"), kProductVersion);
    EXPECT_EQ(VersionString(block, L"OriginalFilename"), L"Mirelo.exe");
    std::wstring description = VersionString(block, L"FileDescription");
    EXPECT_NE(description, L"<none>");
    EXPECT_NE(description.find(L"Mirelo"), std::wstring::npos);
}

// Explorer shows an exe's first icon group.
TEST(ProgramIcon, TheMainIconIsTheFirst)
{
    CResourceImage image = LoadResourceImage(ProgramPath());
    ASSERT_TRUE(image);
    std::vector<ULONG_PTR> groups = ResourceNames(image.Get(), RT_GROUP_ICON);
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front(), static_cast<ULONG_PTR>(IDI_MAIN));
}

// At 100, 125 and 150 % the caption, the taskbar and the notification area ask for these sizes:
// each icon has an image drawn for each, so that none is stretched.
TEST(ProgramIcon, BothIconsHaveAnImageForEverySizeTheScreensScalesAskFor)
{
    CResourceImage image = LoadResourceImage(ProgramPath());
    ASSERT_TRUE(image);
    for (const UINT id : {IDI_MAIN, IDI_TRAY}) {
        const HRSRC group = ::FindResourceW(image.Get(), MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr) << id;
        auto* directory = static_cast<BYTE*>(::LockResource(::LoadResource(image.Get(), group)));
        ASSERT_NE(directory, nullptr) << id;
        for (const int size : {16, 20, 24, 32, 48}) {
            const int found = ::LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
            const HRSRC entry =
                found ? ::FindResourceW(image.Get(), MAKEINTRESOURCEW(found), RT_ICON) : nullptr;
            ASSERT_NE(entry, nullptr) << id << " at " << size;
            const auto* header =
                static_cast<const BITMAPINFOHEADER*>(::LockResource(::LoadResource(image.Get(), entry)));
            EXPECT_EQ(header->biWidth, size) << "icon " << id << " has its own image at " << size;
        }
    }
}

}  // namespace
