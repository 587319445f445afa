// The plug-in shell as the editor sees it: queries, status, events and the editing
// operations, against the simulated editor.
#include <gtest/gtest.h>

#include <optional>

#include <cstring>
#include <string>

#include "ProductVersion.h"
#include "host/SimulatedEditor.h"
#include "plugin/EditorOperations.h"
#include "plugin/PluginModule.h"
#include "tests/support/EditorNumbers.h"

namespace stem {

namespace {

class PluginShell : public ::testing::Test {
protected:
    void SetUp() override { window_ = platform::CreateHostWindow(editor_); }
    void TearDown() override { platform::DestroyHostWindow(window_); }

    intptr_t Proc(PluginModule& module, uint32_t message, uintptr_t wParam, void* buffer)
    {
        return module.PlugInProc(window_, message, wParam, reinterpret_cast<intptr_t>(buffer));
    }

    SimulatedEditor editor_;
    platform::HostWindow window_ = nullptr;
    PluginModule date_{DatePluginTraits};
    PluginModule time_{TimePluginTraits};
};

TEST_F(PluginShell, NameAndVersionQueriesCopyLikeLstrcpyn)
{
    EXPECT_EQ(Proc(date_, ProcGetName, 0, nullptr), 6);

    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Proc(date_, ProcGetName, 4, buffer), 6);
    EXPECT_STREQ(buffer, "Ste");
    EXPECT_EQ(buffer[4], '#');

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(Proc(time_, ProcGetName, 7, buffer), 6);
    EXPECT_STREQ(buffer, "Stemko");

    EXPECT_EQ(Proc(date_, ProcGetName, 1, buffer), 6);
    EXPECT_STREQ(buffer, "");

    // "Version " and the product's version, as the file VERSION holds it (read by the build
    // for this test alone).
    const std::string expected = "Version " STEM_TEST_VERSION;
    char version[64];
    EXPECT_EQ(Proc(date_, ProcGetVersion, sizeof version, version), intptr_t(expected.size()));
    EXPECT_EQ(version, expected);
    EXPECT_EQ(Proc(time_, ProcGetVersion, 0, nullptr), intptr_t(expected.size()));
}

TEST_F(PluginShell, UnknownQueriesAnswerZeroAndSendNothing)
{
    for (uint32_t message : {0x900u, 0x901u, 0x903u, 0x905u, 0x1000u, 0u})
        EXPECT_EQ(Proc(date_, message, 10, nullptr), 0) << message;
    EXPECT_EQ(Proc(date_, ProcQueryUninstall, 0, nullptr), 1);
    EXPECT_TRUE(editor_.Requests().empty());
}

TEST_F(PluginShell, QueryStatusUsesOnlyTheLowByteOfTheReply)
{
    int32_t checkMark = 0;
    const std::pair<intptr_t, int32_t> cases[] = {
        {1, -1}, {0, 0}, {0x100, 0}, {0x180, -1}, {-256, 0}};
    for (const auto& [reply, expected] : cases) {
        editor_.SetCommandStatus(reply);
        EXPECT_EQ(date_.QueryStatus(window_, &checkMark), expected) << reply;
    }
    const EditorRequest& last = editor_.Requests().back();
    EXPECT_EQ(last.message, RequestCommandStatus);
    EXPECT_EQ(last.wParam, 4201u);
    EXPECT_EQ(last.lParam, reinterpret_cast<intptr_t>(&checkMark));
}

TEST_F(PluginShell, StartUpResetsStateBeforeEvent40SendsTheNewParam)
{
    date_.OnEvents(window_, StartUpEvent | Event40, 0x1234);
    ASSERT_NE(date_.State().formatList, nullptr);
    EXPECT_EQ(date_.State().formatList->TextCount(), 0);
    EXPECT_EQ(date_.State().startUpParam, 0x1234u);
    ASSERT_EQ(editor_.Requests().size(), 1u);
    EXPECT_EQ(editor_.Requests()[0].message, Request802);
    EXPECT_EQ(editor_.Requests()[0].wParam, 0x1234u);
}

TEST_F(PluginShell, SecondStartUpReplacesTheListAndShutDownFreesIt)
{
    date_.OnEvents(window_, StartUpEvent, 1);
    date_.State().formatList->AddText(u"old");
    date_.OnEvents(window_, StartUpEvent, 2);
    EXPECT_EQ(date_.State().formatList->TextCount(), 0);
    date_.OnEvents(window_, ShutDownEvent, 0);
    EXPECT_EQ(date_.State().formatList, nullptr);
    date_.OnEvents(window_, ShutDownEvent, 0);
    EXPECT_EQ(date_.State().formatList, nullptr);
}

TEST_F(PluginShell, BitsOutsideTheKnownEventsChangeNothing)
{
    date_.OnEvents(window_, StartUpEvent, 9);
    date_.OnEvents(window_, ~(StartUpEvent | ShutDownEvent | Event40 | 0x40000u | 0x20u | 0x10u),
                   5);
    EXPECT_EQ(date_.State().startUpParam, 9u);
    EXPECT_NE(date_.State().formatList, nullptr);
    EXPECT_TRUE(editor_.Requests().empty());
}

// ---- Editing operations against the simulated editor ----

TEST_F(PluginShell, CaretOperationsSendExactlyTheirRequests)
{
    editor_.SetText(u"ab\r\ncd", 5);
    EXPECT_EQ(GetCaretOffset(window_), 5);
    ASSERT_EQ(editor_.Requests().size(), 2u);
    EXPECT_EQ(editor_.Requests()[0].message, RequestGetCaretPosition);
    EXPECT_EQ(editor_.Requests()[0].wParam, 2u);
    EXPECT_EQ(editor_.Requests()[1].message, RequestPositionToOffset);
    EXPECT_EQ(editor_.Requests()[1].wParam, 0u);
    EXPECT_EQ(editor_.Requests()[0].lParam, editor_.Requests()[1].lParam) << "one record for both";

    editor_.ClearLog();
    SetCaretOffset(window_, 1);
    ASSERT_EQ(editor_.Requests().size(), 2u);
    EXPECT_EQ(editor_.Requests()[0].message, RequestOffsetToPosition);
    EXPECT_EQ(editor_.Requests()[0].wParam, 1u);
    EXPECT_EQ(editor_.Requests()[1].message, RequestSetCaretPosition);
    EXPECT_EQ(editor_.Requests()[1].wParam, 2u);
    EXPECT_EQ(GetCaretOffset(window_), 1);
}

TEST_F(PluginShell, SelectingTheLastInsertionAcrossLineBreaksReplacesIt)
{
    editor_.SetText(u"x", 1);
    InsertText(window_, u"12\r\n34\r\n");
    const int32_t end = GetCaretOffset(window_);
    EXPECT_EQ(end, 9);
    SetCaretOffset(window_, end - 8);
    SelectFromCaret(window_, 8);
    EXPECT_EQ(GetCaretOffset(window_), 1) << "the caret stays at the start of the selection";
    InsertText(window_, u"new");
    EXPECT_EQ(editor_.Text(), u"xnew");
    EXPECT_EQ(GetCaretOffset(window_), 4);
}

TEST_F(PluginShell, EmptyInsertionIsSentAsALoneNulAndRemovesTheSelection)
{
    editor_.SetText(u"keep-gone", 4);
    SelectFromCaret(window_, 5);
    editor_.ClearLog();
    // What the text points at is read while the request is answered, while it is alive.
    std::optional<WideChar> sent;
    editor_.DuringNextRequest(RequestInsertText, [this, &sent] {
        const auto* text = reinterpret_cast<const WideChar*>(editor_.Requests().back().lParam);
        if (text != nullptr)
            sent = text[0];
    });
    InsertText(window_, u"");
    ASSERT_EQ(editor_.Requests().size(), 1u);
    EXPECT_EQ(sent, std::optional<WideChar>(u'\0')) << "no text, or text before its NUL";
    EXPECT_EQ(editor_.Text(), u"keep");

    SelectFromCaret(window_, 0);
    EXPECT_EQ(editor_.Requests().back().wParam, 0u);
    EXPECT_EQ(editor_.SelectionLength(), 0);
}

}  // namespace

}  // namespace stem
