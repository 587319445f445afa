// The end-to-end host: loads the real plug-in DLLs of this build with LoadLibrary, finds the
// exports by name and by ordinal, and drives them against a message-only window backed by the
// simulated editor, as the editor would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "PluginResources.h"
#include "host/SimulatedEditor.h"
#include "tests/support/EditorNumbers.h"

namespace stem {

namespace {

using OnCommandFn = void(WINAPI*)(HWND);
using QueryStatusFn = BOOL(WINAPI*)(HWND, LPBOOL);
using OnEventsFn = void(WINAPI*)(HWND, UINT, LPARAM);
using IdFn = UINT(WINAPI*)();
using PlugInProcFn = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);

const char* const ExportNames[] = {"OnCommand",     "QueryStatus",        "OnEvents",
                                   "GetMenuTextID", "GetStatusMessageID", "GetBitmapID",
                                   "PlugInProc"};

// Each DLL of plugins.json, with the texts the list gives its resources (PluginResources.h).
class LoadedPlugin : public ::testing::TestWithParam<PluginResources> {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA(GetParam().file);
        ASSERT_NE(module_, nullptr)
            << GetParam().file << " does not load, error " << GetLastError();
        window_ = static_cast<HWND>(platform::CreateHostWindow(editor_));
        ASSERT_NE(window_, nullptr);
    }

    void TearDown() override
    {
        platform::DestroyHostWindow(window_);
        if (module_ != nullptr)
            FreeLibrary(module_);
    }

    template <typename Fn>
    Fn Export(const char* name)
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
    }

    LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return Export<PlugInProcFn>("PlugInProc")(window_, message, wParam, lParam);
    }

    // The strings of a string-table block in the given language.
    std::wstring StringEntry(int id, LANGID language)
    {
        HRSRC found =
            FindResourceExW(module_, MAKEINTRESOURCEW(6), MAKEINTRESOURCEW(id / 16 + 1), language);
        if (found == nullptr)
            return L"<missing>";
        const auto* block = static_cast<const WCHAR*>(LockResource(LoadResource(module_, found)));
        for (int i = 0; i < id % 16; ++i)
            block += 1 + *block;
        return std::wstring(block + 1, *block);
    }

    HMODULE module_ = nullptr;
    HWND window_ = nullptr;
    SimulatedEditor editor_;
};

TEST_P(LoadedPlugin, ExportsTheSevenFunctionsByNameAndOrdinal)
{
    for (int ordinal = 1; ordinal <= 7; ++ordinal) {
        FARPROC byName = GetProcAddress(module_, ExportNames[ordinal - 1]);
        FARPROC byOrdinal = GetProcAddress(module_, MAKEINTRESOURCEA(ordinal));
        ASSERT_NE(byName, nullptr) << ExportNames[ordinal - 1];
        EXPECT_EQ(byName, byOrdinal) << ExportNames[ordinal - 1] << " is not ordinal " << ordinal;
    }
    EXPECT_EQ(GetProcAddress(module_, MAKEINTRESOURCEA(8)), nullptr);
}

TEST_P(LoadedPlugin, ResourceIdentifiersPointAtJapaneseTextsAndBitmap)
{
    const LANGID japanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    ASSERT_EQ(Export<IdFn>("GetMenuTextID")(), 1u);
    ASSERT_EQ(Export<IdFn>("GetStatusMessageID")(), 2u);
    ASSERT_EQ(Export<IdFn>("GetBitmapID")(), 101u);
    EXPECT_EQ(StringEntry(1, japanese), GetParam().menuText);
    EXPECT_EQ(StringEntry(2, japanese), GetParam().statusMessage);
    EXPECT_EQ(StringEntry(2, japanese).size(), 13u);

    HRSRC bitmap = FindResourceA(module_, MAKEINTRESOURCEA(101), MAKEINTRESOURCEA(2));
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(SizeofResource(module_, bitmap), 808u);
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module_, bitmap)));
    EXPECT_EQ(header->biWidth, 16);
    EXPECT_EQ(header->biHeight, 16);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(header->biCompression, static_cast<DWORD>(BI_RGB));
}

TEST_P(LoadedPlugin, NameQueryReturnsFullLengthAndCopiesAsLstrcpyn)
{
    const std::string name = GetParam().name;
    EXPECT_EQ(Proc(ProcGetName, 0, 0), 6);

    char small[8];
    std::memset(small, 'x', sizeof small);
    EXPECT_EQ(Proc(ProcGetName, 4, reinterpret_cast<LPARAM>(small)), 6);
    EXPECT_EQ(std::string(small), name.substr(0, 3));
    EXPECT_EQ(small[4], 'x') << "wrote past the given size";

    char nothing = 'x';
    EXPECT_EQ(Proc(ProcGetName, 0, reinterpret_cast<LPARAM>(&nothing)), 6);
    EXPECT_EQ(nothing, 'x');

    char buffer[64];
    EXPECT_EQ(Proc(ProcGetVersion, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 13);
    EXPECT_STREQ(buffer, "Version 2.0.0");
}

TEST_P(LoadedPlugin, UninstallQueriesAndUnknownMessages)
{
    EXPECT_EQ(Proc(ProcQueryUninstall, 0, 0), 1);
    // Without a display the message box cannot be answered Yes.
    EXPECT_EQ(Proc(ProcConfirmUninstall, 0, 0), 0);
    for (UINT message : {0x900u, 0x901u, 0x903u, 0x905u, 0x1000u})
        EXPECT_EQ(Proc(message, 0, 0), 0) << std::hex << message;
    EXPECT_TRUE(editor_.Requests().empty());
}

TEST_P(LoadedPlugin, QueryStatusMirrorsTheLowByteOfTheHostReply)
{
    auto queryStatus = Export<QueryStatusFn>("QueryStatus");
    BOOL checkMark = 0;
    const struct {
        LRESULT reply;
        BOOL expected;
    } cases[] = {{1, -1}, {0, 0}, {0x100, 0}, {0x1FF, -1}};
    for (const auto& c : cases) {
        editor_.SetCommandStatus(c.reply);
        editor_.ClearLog();
        EXPECT_EQ(queryStatus(window_, &checkMark), c.expected) << "reply " << c.reply;
        ASSERT_EQ(editor_.Requests().size(), 1u);
        EXPECT_EQ(editor_.Requests()[0].message, RequestCommandStatus);
        EXPECT_EQ(editor_.Requests()[0].wParam, HostStatusCommand);
        EXPECT_EQ(editor_.Requests()[0].lParam, reinterpret_cast<LPARAM>(&checkMark));
    }
    EXPECT_EQ(checkMark, 0) << "the plug-in must not touch the host's flag";
}

TEST_P(LoadedPlugin, StartUpWithEvent40SendsTheNewParam)
{
    auto onEvents = Export<OnEventsFn>("OnEvents");
    onEvents(window_, StartUpEvent | Event40, 77);
    ASSERT_EQ(editor_.Requests().size(), 1u);
    EXPECT_EQ(editor_.Requests()[0].message, Request802);
    EXPECT_EQ(editor_.Requests()[0].wParam, 77u);
    EXPECT_EQ(editor_.Requests()[0].lParam, 0);

    editor_.ClearLog();
    onEvents(window_, 0x1 | 0x2 | 0x80 | 0x1000 | 0x80000000u, 5);
    onEvents(window_, Event40, 0);
    ASSERT_EQ(editor_.Requests().size(), 1u);
    EXPECT_EQ(editor_.Requests()[0].wParam, 77u) << "unknown bits changed the start-up param";
    onEvents(window_, ShutDownEvent, 0);
}

INSTANTIATE_TEST_SUITE_P(EachDll, LoadedPlugin, ::testing::ValuesIn(PluginResourceList),
                         [](const auto& info) { return std::string(info.param.name); });

// Each run of the host is meant for a system of one ANSI code page (the environment variable
// STEM_HOST_CODE_PAGE names it): Japanese, UTF-8 by the host's manifest, or English. A run on
// another page proves nothing of that system.
TEST(HostProcess, RunsOnTheCodePageItIsMeantFor)
{
    char page[16] = {};
    const DWORD length = GetEnvironmentVariableA("STEM_HOST_CODE_PAGE", page, sizeof page);
    ASSERT_TRUE(length > 0 && length < sizeof page) << "STEM_HOST_CODE_PAGE is not set";
    EXPECT_EQ(GetACP(), static_cast<UINT>(std::strtoul(page, nullptr, 10)));
}

}  // namespace

}  // namespace stem
