#include "tests/support/PressSequence.h"

#include <iterator>
#include <vector>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "MyLibrary/DateTimeUnit/DateTimeValue.h"
#include "base/UnicodeText.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "plugin/HostInterface.h"
#include "plugin/PluginModule.h"
#include "plugin/Settings.h"
#include "tests/support/Moments.h"

namespace stem {

namespace {

// The lines files are made of: the sections, the same names in comments, values and other
// spellings, keys the load reads and keys it skips, blanks, and Shift-JIS text.
const char16_t* const FileLines[] = {
    u"[DateFormat]",
    u"[TimeFormat]",
    u"[Other]",
    u" [dateformat] ",
    u"[TIMEFORMAT]",
    u"; [DateFormat] patterns below",
    u"; [TimeFormat]",
    u";[TimeFormat] and [DateFormat]",
    u"Item01=yyyy",
    u"Item02=mm/dd",
    u"Item03=hh:nn",
    u"Item01=\" hh:nn\"",
    u"Item02=\"dd\"\"",
    u"item01 = d",
    u"Item1=x",
    u"Item04=Calendar1",
    u"Item01=Calendar2",
    u"Item03=[yyyy]",
    u"Item02=\u65E5\u4ED8yyyy\u5E74",
    u"Item10=z",
    u"=x",
    u"k=v",
    u"",
    u"   ",
    u"\t",
    u"; \u65E5\u4ED8",
    u"yyyy",
};

// Monday 7 December 2026, 13:05:09.250: every press renders this moment.
TDateTime FixedMoment()
{
    return MomentAt(2026, 12, 7, 13, 5, 9, 250);
}

std::string Shown(const std::string& bytes)
{
    std::string shown;
    for (const unsigned char c : bytes) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            shown += static_cast<char>(c);
        } else {
            static const char hex[] = "0123456789ABCDEF";
            shown += std::string("\\x") + hex[c >> 4] + hex[c & 15];
        }
    }
    return shown;
}

std::string Shown(const WideString& text)
{
    return Shown(WideToUtf8(text));
}

// One plug-in in an editor of its own, with what the sequence expects of its run.
struct PluginUnderTest {
    PluginUnderTest(const PluginTraits& pluginTraits, const AnsiString& folder)
        : traits(pluginTraits), module(pluginTraits, FixedMoment)
    {
        module.SetPluginFolder(platform::AnsiToWide(folder));
        window = platform::CreateHostWindow(editor);
        module.OnEvents(window, StartUpEvent, 0);
    }
    ~PluginUnderTest() { platform::DestroyHostWindow(window); }
    PluginUnderTest(const PluginUnderTest&) = delete;
    PluginUnderTest& operator=(const PluginUnderTest&) = delete;

    const PluginTraits& traits;
    PluginModule module;
    SimulatedEditor editor;
    platform::HostWindow window = nullptr;
    bool running = false;  // the next press goes on with the run
    int32_t index = 0;     // the entry the last press inserted
    bool wrote = false;    // it added its defaults since the user last changed the file
};

class Sequence {
public:
    Sequence(SequenceChoices& choices, const AnsiString& folder)
        : choices_(choices),
          path_(folder + "\\StemraTime.ini"),
          date_(DatePluginTraits, folder),
          time_(TimePluginTraits, folder)
    {
    }

    std::string Run(int maxSteps)
    {
        for (int step = 0; step < maxSteps && failure_.empty() && choices_.More(); ++step) {
            const int what = choices_.Pick(0, 11);
            if (what <= 2)
                Press(date_);
            else if (what <= 5)
                Press(time_);
            else if (what == 6)
                StartUp(AnyPlugin());
            else if (what == 7)
                EndRun(AnyPlugin());
            else if (what == 8)
                Touch();
            else if (what == 9)
                Delete();
            else
                Edit();
        }
        return failure_.empty() ? std::string() : failure_ + "\nafter:\n" + log_;
    }

private:
    PluginUnderTest& AnyPlugin() { return choices_.Pick(0, 1) == 0 ? date_ : time_; }

    void Fail(const std::string& what)
    {
        if (failure_.empty())
            failure_ = what;
    }

    std::string FileBytes() const
    {
        std::string bytes;
        return platform::ReadWholeFile(path_, bytes) == platform::FileStatus::Ok ? bytes : "";
    }

    // Distinct times far from now, some going backwards: each edit or touch is a new time, and
    // no write of a plug-in can meet one of them.
    platform::FileTime NextTime()
    {
        constexpr platform::FileTime Year2001 = 126227808000000000ULL;
        constexpr platform::FileTime TwoSeconds = 20000000ULL;
        ++times_;
        return choices_.Pick(0, 3) == 0 ? Year2001 - times_ * TwoSeconds
                                        : Year2001 + times_ * TwoSeconds;
    }

    std::string NewFile()
    {
        if (choices_.Pick(0, 9) == 0)
            return choices_.Bytes(200);
        WideString text;
        const int lines = choices_.Pick(0, 8);
        for (int i = 0; i < lines; ++i) {
            text += FileLines[choices_.Pick(0, static_cast<int>(std::size(FileLines)) - 1)];
            const int lineBreak = choices_.Pick(0, 7);
            if (i + 1 < lines || lineBreak > 1)
                text += lineBreak == 0 ? u"\n" : lineBreak == 1 ? u"\r" : u"\r\n";
        }
        switch (choices_.Pick(0, 5)) {
        case 0: return "\xEF\xBB\xBF" + WideToUtf8(text);
        case 1: return "\xFF\xFE" + WideToUtf16Le(text);
        default: return platform::WideToAnsi(text);
        }
    }

    void Edit()
    {
        const std::string bytes = NewFile();
        log_ += "edit: " + Shown(bytes) + "\n";
        if (!platform::WriteNewFile(path_, bytes) || !platform::SetLastWriteTime(path_, NextTime()))
            Fail("the test could not write the file");
        date_.wrote = time_.wrote = false;
    }

    void Touch()
    {
        log_ += "touch\n";
        if (platform::PathExists(path_) && !platform::SetLastWriteTime(path_, NextTime()))
            Fail("the test could not touch the file");
    }

    void Delete()
    {
        log_ += "delete\n";
        if (platform::PathExists(path_) && !platform::RemoveFile(path_))
            Fail("the test could not delete the file");
        date_.wrote = time_.wrote = false;
    }

    void StartUp(PluginUnderTest& plugin)
    {
        log_ += std::string("start-up ") + plugin.traits.name + "\n";
        plugin.module.OnEvents(plugin.window, StartUpEvent, 0);
        plugin.running = false;
    }

    void EndRun(PluginUnderTest& plugin)
    {
        log_ += std::string("run ends ") + plugin.traits.name + "\n";
        plugin.module.OnEvents(plugin.window, 0x20, 0);
        plugin.running = false;
    }

    void Press(PluginUnderTest& plugin)
    {
        const std::string name = plugin.traits.name;
        const bool existed = platform::PathExists(path_);
        const std::string before = FileBytes();
        TCommonStringRecordList listedBefore;
        const ForeseenPress foreseen = ForeseePress(path_, plugin.traits, listedBefore);

        if (!plugin.running)
            plugin.editor.SetText(u"<>", 1);
        plugin.module.OnCommand(plugin.window);
        if (!plugin.module.State().consecutivePress)
            return Fail(name + ": the press failed");

        const std::string after = FileBytes();
        const bool changed = after != before || platform::PathExists(path_) != existed;
        log_ += "press " + name + (changed ? ", file now " + Shown(after) : "") + "\n";
        if (changed) {
            if (plugin.wrote)
                Fail(name + " wrote the file a second time with no edit in between");
            else if (existed && !foreseen.savesDefaults)
                Fail(name + " wrote the file where stem check foresees no write");
            CheckOnlyDefaultsAdded(before, after, plugin.traits);
            plugin.wrote = true;
            // Presses come seconds apart; here two writes can fall within one tick of the
            // file system's clock, and a plug-in would take the second for the first.
            if (!platform::SetLastWriteTime(path_, NextTime()))
                Fail("the test could not touch the file");
        } else if (existed && foreseen.savesDefaults) {
            Fail(name + " did not write the defaults that stem check foresees");
        }
        CheckInsertion(plugin);
    }

    // The file after the press is the file before it with the plug-in's default lines added in
    // one place (under a new header when the section was missing), in the same encoding.
    void CheckOnlyDefaultsAdded(const std::string& before, const std::string& after,
                                const PluginTraits& traits)
    {
        const TIniFileContent old = DecodeIniText(before);
        const TIniFileContent now = DecodeIniText(after);
        if (old.encoding != now.encoding)
            return Fail(std::string(traits.name) + " changed the file's encoding");
        TStringLines block;
        for (int i = 0; i < traits.defaultCount; ++i)
            block.push_back(ItemKey(i + 1) + "=" + traits.defaults[i]);
        TStringLines headed = block;
        headed.insert(headed.begin(), "[" + AnsiString(traits.patternSection) + "]");
        for (const TStringLines* added : {&block, &headed}) {
            for (std::size_t at = 0; at <= old.lines.size(); ++at) {
                TStringLines expected(old.lines.begin(),
                                      old.lines.begin() + static_cast<std::ptrdiff_t>(at));
                expected.insert(expected.end(), added->begin(), added->end());
                expected.insert(expected.end(), old.lines.begin() + static_cast<std::ptrdiff_t>(at),
                                old.lines.end());
                if (expected == now.lines)
                    return;
            }
        }
        Fail(std::string(traits.name) + " changed the file beyond adding its defaults");
    }

    // What the press inserted is what stem check lists at the entry the run has reached.
    void CheckInsertion(PluginUnderTest& plugin)
    {
        TCommonStringRecordList listed;
        ForeseePress(path_, plugin.traits, listed);
        plugin.index = plugin.running ? plugin.index + 1 : 0;
        if (plugin.index >= listed.TextCount())
            plugin.index = 0;
        plugin.running = true;
        const WideString expected =
            u"<" + EntryText(plugin.traits, listed.TextAt(plugin.index), FixedMoment()) + u">";
        if (plugin.editor.Text() != expected)
            Fail(std::string(plugin.traits.name) + " inserted " + Shown(plugin.editor.Text()) +
                 " where stem check lists " + Shown(expected) + " (entry " +
                 std::to_string(plugin.index + 1) + " of " + std::to_string(listed.TextCount()) +
                 ")");
    }

    SequenceChoices& choices_;
    const AnsiString path_;
    PluginUnderTest date_;
    PluginUnderTest time_;
    platform::FileTime times_ = 0;
    std::string failure_;
    std::string log_;
};

}  // namespace

std::string RunPressSequence(SequenceChoices& choices, const AnsiString& folder, int maxSteps)
{
    return Sequence(choices, folder).Run(maxSteps);
}

}  // namespace stem
