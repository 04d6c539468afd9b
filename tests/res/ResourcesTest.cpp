// Reads the resources of the built program back through the resource API,
// the way the program and the system find them at run time.
#include "DialogTemplate.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr WORD kEnglishUS = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
using Bytes = std::span<const BYTE>;

std::string idText(LPCSTR id)
{
    return IS_INTRESOURCE(id) ? std::to_string(reinterpret_cast<ULONG_PTR>(id)) : std::string(id);
}

struct Entry
{
    std::string type, name;
    WORD language;
};

BOOL CALLBACK addLanguage(HMODULE, LPCSTR type, LPCSTR name, WORD language, LONG_PTR entries)
{
    reinterpret_cast<std::vector<Entry>*>(entries)->push_back({idText(type), idText(name), language});
    return TRUE;
}

BOOL CALLBACK addName(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR entries)
{
    EnumResourceLanguagesA(module, type, name, addLanguage, entries);
    return TRUE;
}

BOOL CALLBACK addType(HMODULE module, LPSTR type, LONG_PTR entries)
{
    EnumResourceNamesA(module, type, addName, entries);
    return TRUE;
}

WORD wordAt(Bytes b, std::size_t offset)
{
    WORD w = 0;
    if (offset + 2 <= b.size())
        std::memcpy(&w, b.data() + offset, 2);
    return w;
}

std::size_t rowBytes(int width, int bitCount)
{
    return static_cast<std::size_t>((width * bitCount + 31) / 32 * 4);
}

// A resource in US English; empty when it is not there.
Bytes resource(HMODULE module, LPCSTR type, WORD id)
{
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), kEnglishUS);
    if (!found)
        return {};
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    return data ? Bytes(data, SizeofResource(module, found)) : Bytes{};
}

class ProgramResources : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { module_ = LoadLibraryExA(KEYVANE_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE); }

    static void TearDownTestSuite()
    {
        if (module_)
            FreeLibrary(module_);
        module_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(module_, nullptr) << "cannot load " << KEYVANE_EXE << " as a data file";
    }

    static HMODULE module_;
};

HMODULE ProgramResources::module_ = nullptr;

// ---------------------------------------------------------------------------
// Which resources there are

#pragma pack(push, 2)
struct GroupIconEntry
{
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

std::vector<GroupIconEntry> groupEntries(Bytes group)
{
    std::vector<GroupIconEntry> entries;
    const std::size_t count = wordAt(group, 4);
    if (wordAt(group, 0) != 0 || wordAt(group, 2) != 1
        || group.size() != 6 + count * sizeof(GroupIconEntry)) {
        ADD_FAILURE() << "icon group of " << group.size() << " bytes is not a directory of " << count
                      << " icons";
        return entries;
    }
    entries.resize(count);
    std::memcpy(entries.data(), group.data() + 6, count * sizeof(GroupIconEntry));
    return entries;
}

TEST_F(ProgramResources, HoldsExactlyTheExpectedResourcesAllInUsEnglish)
{
    std::vector<Entry> entries;
    EnumResourceTypesA(module_, addType, reinterpret_cast<LONG_PTR>(&entries));

    std::vector<std::string> found, iconImages;
    size_t cursorImages = 0;
    for (const Entry& e : entries) {
        EXPECT_EQ(e.language, kEnglishUS) << "resource type " << e.type << " name " << e.name;
        if (e.type == "3")
            iconImages.push_back(e.name);
        else if (e.type == "1")
            ++cursorImages;
        else
            found.push_back(e.type + "/" + e.name);
    }
    EXPECT_EQ(cursorImages, 1u) << "the link cursor's one image";
    std::sort(found.begin(), found.end());
    // type/name, sorted as text: the link cursor's group, icon groups, version block, bitmap,
    // manifest, dialogs and the string block that holds strings 96 to 111.
    const std::vector<std::string> expected{
        "12/32649", "14/128", "14/129", "16/1", "2/133", "24/1", "5/100", "5/102", "5/131", "6/7"};
    EXPECT_EQ(found, expected);

    // Every icon image belongs to one of the two groups, and no image is missing.
    std::vector<std::string> referenced;
    for (const WORD group : {WORD{IDR_MAINFRAME}, WORD{IDI_MAKER}}) {
        for (const GroupIconEntry& e : groupEntries(resource(module_, RT_GROUP_ICON, group)))
            referenced.push_back(std::to_string(e.id));
    }
    std::sort(referenced.begin(), referenced.end());
    std::sort(iconImages.begin(), iconImages.end());
    EXPECT_EQ(iconImages, referenced);

    EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(IDR_ACCELERATOR), RT_ACCELERATOR), nullptr)
        << "the program asks for accelerator table 130, which must not exist";
}

// ---------------------------------------------------------------------------
// Icons and the picture

struct IconShape
{
    int size, bitCount;
    auto operator<=>(const IconShape&) const = default;
};

std::ostream& operator<<(std::ostream& out, const IconShape& s)
{
    return out << s.size << "px/" << s.bitCount << "bpp";
}

std::vector<IconShape> shapes(std::initializer_list<int> sizes, std::initializer_list<int> bitCounts)
{
    std::vector<IconShape> result;
    for (int size : sizes)
        for (int bits : bitCounts)
            result.push_back({size, bits});
    return result;
}

void checkIconImage(const GroupIconEntry& entry, Bytes image)
{
    const int size = entry.width, bits = entry.bitCount;
    EXPECT_EQ(entry.width, entry.height);
    EXPECT_EQ(entry.planes, 1);
    EXPECT_EQ(entry.colourCount, bits == 4 ? 16 : 0);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER)) << "icon image " << entry.id << " is missing or short";
    EXPECT_EQ(image.size(), entry.bytesInRes);

    BITMAPINFOHEADER header;
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, size);
    EXPECT_EQ(header.biHeight, 2 * size) << "the height counts the colour bits and the AND mask";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, bits);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biClrUsed, 0u);

    // Header, full palette, colour rows, AND mask rows.
    const std::size_t palette = bits <= 8 ? sizeof(RGBQUAD) << bits : 0;
    const std::size_t colour = rowBytes(size, bits) * static_cast<std::size_t>(size);
    const std::size_t mask = rowBytes(size, 1) * static_cast<std::size_t>(size);
    EXPECT_EQ(image.size(), 40 + palette + colour + mask);

    if (bits == 32 && image.size() >= 40 + colour) {
        bool clear = false, opaque = false, blended = false;
        for (std::size_t i = 40 + 3; i < 40 + colour; i += 4) {
            clear |= image[i] == 0;
            opaque |= image[i] == 255;
            blended |= image[i] != 0 && image[i] != 255;
        }
        EXPECT_TRUE(clear && opaque && blended)
            << "a 32-bit image carries smooth alpha: transparent " << clear << ", opaque " << opaque
            << ", in between " << blended;
    }
}

void checkIconGroup(HMODULE module, WORD group, std::vector<IconShape> expected)
{
    SCOPED_TRACE(::testing::Message() << "icon group " << group);
    const std::vector<GroupIconEntry> entries = groupEntries(resource(module, RT_GROUP_ICON, group));

    std::vector<IconShape> actual;
    for (const GroupIconEntry& e : entries) {
        actual.push_back({e.width, e.bitCount});
        SCOPED_TRACE(::testing::PrintToString(actual.back()));
        checkIconImage(e, resource(module, RT_ICON, e.id));
    }
    std::sort(actual.begin(), actual.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(actual, expected);
}

TEST_F(ProgramResources, ProgramIconHoldsThreeSizesAtThreeDepths)
{
    checkIconGroup(module_, IDR_MAINFRAME, shapes({16, 32, 48}, {4, 24, 32}));
}

TEST_F(ProgramResources, MakerIconHoldsFourSizesAtFourDepthsAndA64PixelImage)
{
    std::vector<IconShape> expected = shapes({16, 24, 32, 48}, {4, 8, 24, 32});
    expected.push_back({64, 32});
    checkIconGroup(module_, IDI_MAKER, expected);
}

TEST_F(ProgramResources, PictureIsA24BitBottomUpBitmapOf84By68)
{
    Bytes bitmap = resource(module_, RT_BITMAP, IDB_EGG);
    ASSERT_EQ(bitmap.size(), 17176u) << "40-byte header and 68 rows of 252 bytes";
    BITMAPINFOHEADER header;
    std::memcpy(&header, bitmap.data(), sizeof header);
    EXPECT_EQ(header.biSize, 40u);
    EXPECT_EQ(header.biWidth, 84);
    EXPECT_EQ(header.biHeight, 68) << "positive: rows stored bottom-up";
    EXPECT_EQ(header.biPlanes, 1);
    EXPECT_EQ(header.biBitCount, 24);
    EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(header.biClrUsed, 0u) << "no colour table";
}

// ---------------------------------------------------------------------------
// Strings and the version block

TEST_F(ProgramResources, StringTableHoldsOnlyTheAboutEntry)
{
    // Block 7 holds strings 96 to 111, each a length and that many UTF-16 units.
    Bytes block = resource(module_, RT_STRING, IDS_ABOUTBOX / 16 + 1);
    std::size_t at = 0;
    for (int id = 96; id < 112; ++id) {
        const WORD length = wordAt(block, at);
        std::string text;
        for (WORD i = 0; i < length; ++i)
            text += static_cast<char>(wordAt(block, at + 2 + 2u * i));
        at += 2 + 2u * length;
        EXPECT_EQ(text, id == IDS_ABOUTBOX ? "&About Keyvane..." : "") << "string " << id;
    }
    EXPECT_EQ(at, block.size()) << "bytes after the sixteenth string";

    char loaded[64] = "";
    EXPECT_EQ(LoadStringA(module_, IDS_ABOUTBOX, loaded, sizeof loaded), 17);
    EXPECT_STREQ(loaded, "&About Keyvane...");
}

// A node of a version block: length, value length, type, UTF-16 key, padding,
// value, padding, children.
std::string versionKey(Bytes node)
{
    std::string key;
    for (std::size_t at = 6; at + 2 <= node.size() && wordAt(node, at) != 0; at += 2)
        key += static_cast<char>(wordAt(node, at));
    return key;
}

// The children of a container node (the root, StringFileInfo, a string
// table), each with its key, in stored order.
std::vector<std::pair<std::string, Bytes>> versionChildren(Bytes node)
{
    auto align = [](std::size_t n) { return (n + 3) & ~std::size_t{3}; };
    const std::size_t end = std::min<std::size_t>(wordAt(node, 0), node.size());
    // A container's value, if it has one, is binary: its length counts bytes.
    std::size_t at = align(align(6 + 2 * (versionKey(node).size() + 1)) + wordAt(node, 2));

    std::vector<std::pair<std::string, Bytes>> children;
    while (at + 6 <= end && wordAt(node, at) != 0) {
        Bytes child = node.subspan(at, std::min<std::size_t>(wordAt(node, at), end - at));
        children.emplace_back(versionKey(child), child);
        at = align(at + child.size());
    }
    return children;
}

std::vector<std::string> keys(const std::vector<std::pair<std::string, Bytes>>& children)
{
    std::vector<std::string> result;
    for (const auto& child : children)
        result.push_back(child.first);
    return result;
}

const std::vector<std::pair<std::string, std::string>> kVersionStrings{
    {"Comments", "Keyvane displays a list of currently regestered global hotkeys on the system."},
    {"CompanyName", "Tavrole inc."},
    {"FileDescription", "Keyvane"},
    {"FileVersion", "1.1.0.217"},
    {"InternalName", "Keyvane.exe"},
    {"LegalCopyright", "Copyright (C) 2026 Tavrole inc."},
    {"LegalTrademarks", "Keyvane is a trademark of Tavrole inc."},
    {"OriginalFilename", "Keyvane.exe"},
    {"PrivateBuild", "-"},
    {"ProductName", "Keyvane"},
    {"ProductVersion", "1.1.0.217"},
    {"SpecialBuild", "-"},
};

TEST_F(ProgramResources, VersionBlockReadsBackThroughTheVersionApi)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(KEYVANE_EXE, &ignored);
    ASSERT_NE(size, 0u) << "no version block, error " << GetLastError();
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(KEYVANE_EXE, 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u) << "file version 1.1";
    EXPECT_EQ(fixed->dwFileVersionLS, 0x000000DAu) << "file version .0.218";
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u) << "product version 1.1";
    EXPECT_EQ(fixed->dwProductVersionLS, 0x000000DAu) << "product version .0.218";
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, static_cast<DWORD>(VS_FF_PRIVATEBUILD | VS_FF_SPECIALBUILD));
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed->dwFileSubtype, 0u);

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(
        block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 4u) << "exactly one language and code page pair";
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 1252);

    for (const auto& [name, value] : kVersionStrings) {
        char* text = nullptr;
        const std::string path = "\\StringFileInfo\\040904e4\\" + name;
        EXPECT_TRUE(VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
            << path;
        EXPECT_STREQ(text ? text : "(none)", value.c_str()) << path;
    }
}

TEST_F(ProgramResources, VersionBlockHoldsOneStringTableInTheExpectedOrder)
{
    Bytes root = resource(module_, RT_VERSION, VS_VERSION_INFO);
    ASSERT_FALSE(root.empty());
    const auto top = versionChildren(root);
    EXPECT_EQ(keys(top), (std::vector<std::string>{"StringFileInfo", "VarFileInfo"}));
    ASSERT_FALSE(top.empty());
    const auto tables = versionChildren(top[0].second);
    ASSERT_EQ(keys(tables), std::vector<std::string>{"040904e4"});

    std::vector<std::string> expected;
    for (const auto& entry : kVersionStrings)
        expected.push_back(entry.first);
    EXPECT_EQ(keys(versionChildren(tables[0].second)), expected);
}

// ---------------------------------------------------------------------------
// Dialog templates

DialogTemplate dialog(Bytes bytes) { return parseDialogTemplate(bytes.data(), bytes.size()); }

DialogFrame frame(DWORD style, DWORD exStyle, short cx, short cy, std::string title)
{
    return {style, exStyle, 0, 0, 0, cx, cy, "", "", std::move(title), 8, 0, 0, 1, "MS Shell Dlg"};
}

void expectControls(const std::vector<DialogControl>& actual, const std::vector<DialogControl>& expected)
{
    EXPECT_EQ(actual.size(), expected.size()) << "number of controls";
    for (std::size_t i = 0; i < std::min(actual.size(), expected.size()); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "control " << i << " in tab order";
}

TEST_F(ProgramResources, AboutDialogTemplate)
{
    const DialogTemplate about = dialog(resource(module_, RT_DIALOG, IDD_ABOUTBOX));
    EXPECT_EQ(about.frame, frame(0x80C800C8, 0, 235, 68, " About Keyvane"));
    expectControls(about.controls,
        {
            {IDOK, "Button", "OK", 0x50038001, WS_EX_STATICEDGE, 0, 196, 51, 32, 12, 0},
            {IDC_MAKER_ICON, "Static", "#129", 0x50000103, 0, 0, 5, 5, 20, 20, 0},
            {IDC_COPYRIGHT, "Static", "Copyright (C) 2026 Tavrole inc.", 0x50020100, 0, 0, 5, 55, 178, 8, 0},
            {-1, "Button", "", 0x50004007, 0, 0, 68, 7, 162, 37, 0},
            {IDC_APP_NAME, "Static", " Keyvane", 0x50021300, 0, 0, 72, 6, 81, 10, 0},
            {IDC_VERSION, "Static", " 1.0a", 0x50021301, 0, 0, 152, 6, 40, 10, 0},
            {IDC_APP_ICON, "Static", "#128", 0x50000103, 0, 0, 196, 12, 20, 20, 0},
            {IDC_WEBSITE, "Button", "Website", 0x50018000, 0, 0, 79, 24, 32, 11, 0},
            {IDC_EMAIL, "Button", "Email", 0x50018000, 0, 0, 115, 24, 32, 11, 0},
        });
}

TEST_F(ProgramResources, MainDialogTemplate)
{
    const DialogTemplate main = dialog(resource(module_, RT_DIALOG, IDD_KEYVANE_DIALOG));
    EXPECT_EQ(main.frame, frame(0x90CF0048, WS_EX_APPWINDOW, 295, 201, "Keyvane"));
    expectControls(
        main.controls, {{IDC_HOTKEY_LIST, "SysListView32", "", 0x50810801, 0, 0, 7, 7, 281, 187, 0}});
}

TEST_F(ProgramResources, PictureDialogTemplateHasNoCaptionOrBorder)
{
    const DialogTemplate egg = dialog(resource(module_, RT_DIALOG, IDD_EGG));
    EXPECT_EQ(egg.frame, frame(0x80080048, 0, 56, 42, ""));
    expectControls(egg.controls,
        {{IDC_EGG_PICTURE, "Static", "#133", 0x5000080E, WS_EX_TRANSPARENT, 0, 0, 0, 56, 42, 0}});
}

// ---------------------------------------------------------------------------
// Manifest

// The text of the first element <tag ...> at or after from, up to its '>'.
std::string_view element(std::string_view xml, std::string_view tag, std::size_t from = 0)
{
    std::string open = "<";
    open += tag;
    const std::size_t start = xml.find(open, from);
    if (start == std::string_view::npos)
        return {};
    return xml.substr(start, xml.find('>', start) - start);
}

std::string attribute(std::string_view element, std::string_view name)
{
    const std::string lead = std::string(name) + "=\"";
    for (std::size_t at = element.find(lead); at != std::string_view::npos; at = element.find(lead, at + 1)) {
        if (at > 0 && std::isspace(static_cast<unsigned char>(element[at - 1]))) {
            at += lead.size();
            return std::string(element.substr(at, element.find('"', at) - at));
        }
    }
    return "(missing)";
}

constexpr WORD kManifestId = 1; // the manifest the loader reads for a process

// The product is 32-bit; a 64-bit build names the 64-bit Common Controls.
#ifdef _WIN64
constexpr const char* kArchitecture = "amd64";
#else
constexpr const char* kArchitecture = "X86";
#endif

TEST_F(ProgramResources, ManifestAsksForCommonControls6)
{
    Bytes bytes = resource(module_, RT_MANIFEST, kManifestId);
    const std::string_view xml(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ASSERT_FALSE(xml.empty());

    const std::string_view self = element(xml, "assemblyIdentity");
    EXPECT_EQ(attribute(self, "version"), "1.0.0.0");
    EXPECT_EQ(attribute(self, "processorArchitecture"), kArchitecture);
    EXPECT_EQ(attribute(self, "name"), "Microsoft.Windows.Keyvane");
    EXPECT_EQ(attribute(self, "type"), "win32");

    const std::size_t description = xml.find("<description>");
    ASSERT_NE(description, std::string_view::npos);
    EXPECT_EQ(xml.substr(description + 13, xml.find("</description>") - description - 13),
        "Your app description here");

    const std::size_t dependent = xml.find("<dependentAssembly>");
    ASSERT_NE(dependent, std::string_view::npos);
    EXPECT_EQ(xml.find("<dependentAssembly>", dependent + 1), std::string_view::npos)
        << "one dependency only";
    const std::string_view controls = element(xml, "assemblyIdentity", dependent);
    EXPECT_EQ(attribute(controls, "type"), "win32");
    EXPECT_EQ(attribute(controls, "name"), "Microsoft.Windows.Common-Controls");
    EXPECT_EQ(attribute(controls, "version"), "6.0.0.0");
    EXPECT_EQ(attribute(controls, "processorArchitecture"), kArchitecture);
    EXPECT_EQ(attribute(controls, "publicKeyToken"), "6595b64144ccf1df");
    EXPECT_EQ(attribute(controls, "language"), "*");
}

// What the manifest is for: in its activation context "comctl32.dll" is
// redirected to the side-by-side Common Controls, and this process can load
// them (it cannot when the manifest names the wrong processor architecture).
TEST_F(ProgramResources, ManifestRedirectsToLoadableCommonControls)
{
    ACTCTXA request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = KEYVANE_EXE;
    request.lpResourceName = MAKEINTRESOURCEA(kManifestId);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE)
        << "no activation context from the manifest, error " << GetLastError();
    ULONG_PTR cookie = 0;
    ASSERT_TRUE(ActivateActCtx(context, &cookie)) << "error " << GetLastError();

    ACTCTX_SECTION_KEYED_DATA redirection{};
    redirection.cbSize = sizeof redirection;
    const BOOL redirected = FindActCtxSectionStringA(
        0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, "comctl32.dll", &redirection);
    HMODULE controls = LoadLibraryA("comctl32.dll");
    const DWORD error = GetLastError();
    DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);

    EXPECT_TRUE(redirected) << "the manifest does not redirect comctl32.dll";
    EXPECT_NE(controls, nullptr) << "the Common Controls the manifest names do not load, error " << error;
    if (controls)
        FreeLibrary(controls);
}

} // namespace
