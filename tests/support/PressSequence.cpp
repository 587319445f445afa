#include "tests/support/PressSequence.h"

#include <cctype>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "MyLibrary/AccessIniFile/IniFileText.h"
#include "MyLibrary/DateTimeUnit/MonthCalendar.h"
#include "MyLibrary/DateTimeUnit/PatternFormatter.h"
#include "base/UnicodeText.h"
#include "host/SimulatedEditor.h"
#include "platform/HostSupport.h"
#include "plugin/PluginModule.h"
#include "tests/support/DefaultSettings.h"
#include "tests/support/EditorNumbers.h"
#include "tests/support/IniModel.h"
#include "tests/support/Moments.h"

namespace stem {

namespace {

// The lines files are made of besides the plug-ins' sections: another section, keys the load
// reads and keys it skips, values, blanks, and Japanese text.
const char16_t* const OtherLines[] = {
    u"[Other]",
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

// An ASCII name in capitals, or in small letters.
Utf8String Cased(Utf8String name, bool capitals)
{
    for (char& c : name)
        c = static_cast<char>(capitals ? std::toupper(c) : std::tolower(c));
    return name;
}

// Each plug-in's section line, in other spellings and in comments, and one comment naming every
// section (the last first), then the other lines.
std::vector<WideString> MakeFileLines()
{
    std::vector<WideString> lines;
    Utf8String allNamed;
    for (const PluginIdentity& plugin : PluginList) {
        const Utf8String name = plugin.section;
        for (const Utf8String& line :
             {"[" + name + "]", " [" + Cased(name, false) + "] ", "[" + Cased(name, true) + "]",
              "; [" + name + "] patterns below", "; [" + name + "]"})
            lines.push_back(Utf8ToWideReplacing(line));
        allNamed = "[" + name + "]" + (allNamed.empty() ? "" : " and " + allNamed);
    }
    lines.push_back(Utf8ToWideReplacing(";" + allNamed));
    lines.insert(lines.end(), std::begin(OtherLines), std::end(OtherLines));
    return lines;
}

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

// One plug-in in an editor of its own, and what the model holds of its state. Its default
// patterns are the fixture's; the model decides where they go and what each press inserts.
struct PluginUnderTest {
    PluginUnderTest(const PluginTraits& pluginTraits, const WideString& folder)
        : traits(pluginTraits),
          section(pluginTraits.patternSection),
          defaults(DefaultValues(section)),
          module(pluginTraits, FixedMoment)
    {
        for (const PluginIdentity& plugin : PluginList)
            if (section != plugin.section)
                others.push_back(plugin.section);
        module.SetPluginFolder(folder);
        window = platform::CreateHostWindow(editor);
        module.OnEvents(window, StartUpEvent, 0);
    }
    ~PluginUnderTest() { platform::DestroyHostWindow(window); }
    PluginUnderTest(const PluginUnderTest&) = delete;
    PluginUnderTest& operator=(const PluginUnderTest&) = delete;

    model::Patterns Defaults() const
    {
        model::Lines lines;
        model::PlaceDefaults(lines, section, defaults, others);
        return model::Load(lines, section);
    }

    void StartUp()
    {
        module.OnEvents(window, StartUpEvent, 0);
        located = false;
        time = 0;
        patterns.reset();
        running = false;
    }

    const PluginTraits& traits;
    const Utf8String section;
    const std::vector<Utf8String> defaults;  // the values of its Item01, Item02, ...
    std::vector<Utf8String> others;          // the other plug-ins' sections
    PluginModule module;
    SimulatedEditor editor;
    platform::HostWindow window = nullptr;

    bool located = false;                     // it pressed since its start-up
    platform::FileTime time = 0;              // the file's time it took at its last read
    std::optional<model::Patterns> patterns;  // what it read last since its start-up
    bool running = false;                     // the next press goes on with the run
    size_t index = 0;                         // the entry the last press inserted
};

class Sequence {
public:
    Sequence(SequenceChoices& choices, const WideString& folder)
        : choices_(choices),
          folder_(folder),
          path_(folder + u"\\" + SettingsFileName),
          fileLines_(MakeFileLines())
    {
        for (const PluginTraits* traits : AllPlugins) {
            plugins_.push_back(std::make_unique<PluginUnderTest>(*traits, folder));
            if (plugins_.back()->defaults.empty())
                Fail("tests/fixtures holds no defaults of [" + plugins_.back()->section + "]");
        }
    }

    std::string Run(int maxSteps)
    {
        for (int step = 0; step < maxSteps && failure_.empty() && choices_.More(); ++step) {
            const int what = choices_.Pick(0, 16);
            if (what <= 5)
                Press(AnyPlugin());
            else if (what == 6)
                StartUp(AnyPlugin());
            else if (what == 7)
                EndRun(AnyPlugin());
            else if (what == 8)
                Touch();
            else if (what == 9)
                Delete();
            else if (what <= 11)
                Edit();
            else if (what <= 13)
                ToggleLock();
            else if (what == 14)
                ToggleFolderRights();
            else
                ToggleReadOnly();
        }
        Unlock();
        if (!folderWritable_)
            platform::SetFolderWritable(folder_, true);
        if (readOnly_)
            platform::SetReadOnly(path_, false);
        return failure_.empty() ? std::string() : failure_ + "\nafter:\n" + log_;
    }

private:
    PluginUnderTest& AnyPlugin()
    {
        return *plugins_[static_cast<size_t>(choices_.Pick(0, PluginCount - 1))];
    }

    void Fail(const std::string& what)
    {
        if (failure_.empty())
            failure_ = what;
    }

    // The file as it is, read by the test (another program's lock set aside for the moment).
    std::string FileBytes()
    {
        const bool locked = lock_ != nullptr;
        Unlock();
        std::string bytes;
        const bool read = platform::ReadWholeFile(path_, bytes) == platform::FileStatus::Ok;
        if (locked)
            lock_ = platform::LockFile(path_);
        return read ? bytes : "";
    }

    platform::FileTime FileTime() const
    {
        platform::FoundFileTimes times;
        return platform::FindFileTimes(path_, times) ? times.lastWritten : 0;
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
            text += fileLines_[static_cast<size_t>(
                choices_.Pick(0, static_cast<int>(fileLines_.size()) - 1))];
            const int lineBreak = choices_.Pick(0, 7);
            if (i + 1 < lines || lineBreak > 1)
                text += lineBreak == 0 ? u"\n" : lineBreak == 1 ? u"\r" : u"\r\n";
        }
        switch (choices_.Pick(0, 7)) {
        case 0: return "\xEF\xBB\xBF" + WideToUtf8(text);
        case 1: return "\xFF\xFE" + WideToUtf16(text, ByteOrder::LittleEndian);
        case 2: return "\xFE\xFF" + WideToUtf16(text, ByteOrder::BigEndian);
        case 3: return WideToUtf8(text);
        default: return platform::EncodeText(platform::ShiftJisCodePage, text);
        }
    }

    // ---- What the user and other programs do ----

    void Unlock()
    {
        platform::UnlockFile(lock_);
        lock_ = nullptr;
    }

    // The user changes the file as its owner, with the right to its folder: no other program
    // holds it, and it is no longer read-only.
    template <typename Change>
    void ChangeAsOwner(Change change)
    {
        Unlock();
        if (readOnly_ && platform::SetReadOnly(path_, false))
            readOnly_ = false;
        if (!folderWritable_)
            platform::SetFolderWritable(folder_, true);
        change();
        if (!folderWritable_)
            platform::SetFolderWritable(folder_, false);
    }

    void Edit()
    {
        const std::string bytes = NewFile();
        log_ += "edit: " + Shown(bytes) + "\n";
        ChangeAsOwner([&] {
            if (!platform::WriteNewFile(path_, bytes) ||
                !platform::SetLastWriteTime(path_, NextTime()))
                Fail("the test could not write the file");
        });
    }

    void Touch()
    {
        log_ += "touch\n";
        Unlock();
        if (platform::PathExists(path_) && !platform::SetLastWriteTime(path_, NextTime()))
            Fail("the test could not touch the file");
    }

    void Delete()
    {
        log_ += "delete\n";
        ChangeAsOwner([&] {
            if (platform::PathExists(path_) && !platform::RemoveFile(path_))
                Fail("the test could not delete the file");
        });
    }

    // Another program opens the file, sharing nothing, or closes it again.
    void ToggleLock()
    {
        if (lock_ != nullptr) {
            log_ += "unlock\n";
            Unlock();
        } else if (platform::PathExists(path_)) {
            log_ += "lock\n";
            lock_ = platform::LockFile(path_);
            if (lock_ == nullptr)
                Fail("the test could not lock the file");
        }
    }

    // The folder becomes one the user may not change, as under Program Files, or mendable again.
    void ToggleFolderRights()
    {
        if (!platform::SetFolderWritable(folder_, !folderWritable_))
            return;  // not on this system
        folderWritable_ = !folderWritable_;
        log_ += folderWritable_ ? "folder writable\n" : "folder not writable\n";
    }

    void ToggleReadOnly()
    {
        if (!platform::PathExists(path_))
            return;
        if (!platform::SetReadOnly(path_, !readOnly_))
            return Fail("the test could not change the read-only attribute");
        readOnly_ = !readOnly_;
        log_ += readOnly_ ? "read-only\n" : "writable\n";
    }

    void StartUp(PluginUnderTest& plugin)
    {
        log_ += std::string("start-up ") + plugin.traits.name + "\n";
        plugin.StartUp();
    }

    void EndRun(PluginUnderTest& plugin)
    {
        log_ += std::string("run ends ") + plugin.traits.name + "\n";
        plugin.module.OnEvents(plugin.window, Event20, 0);
        plugin.running = false;
    }

    // ---- A press, against the model ----

    // The model's settings step: what the plug-in reads now, and whether it saves the file with
    // its defaults added (the lines it then holds).
    bool ModelStep(PluginUnderTest& plugin, bool exists, const std::string& bytes, bool& read,
                   TIniFileContent& saved)
    {
        read = !(exists && lock_ != nullptr);
        if (!read) {
            if (!plugin.patterns)
                plugin.patterns = plugin.Defaults();
            return false;
        }
        saved = DecodeIniText(exists ? bytes : std::string());
        switch (model::PlaceDefaults(saved.lines, plugin.section, plugin.defaults, plugin.others)) {
        case model::Placed::NotNeeded:
            plugin.patterns = model::Load(saved.lines, plugin.section);
            return false;
        case model::Placed::InSection:
            plugin.patterns = plugin.Defaults();
            return saved.faithful && !readOnly_ && folderWritable_;
        case model::Placed::OutsideSection:
        case model::Placed::InOtherSection: break;
        }
        plugin.patterns = plugin.Defaults();
        return false;
    }

    void Press(PluginUnderTest& plugin)
    {
        const std::string name = plugin.traits.name;
        const bool existed = platform::PathExists(path_);
        const std::string before = FileBytes();
        const platform::FileTime timeBefore = FileTime();
        bool read = false;
        bool saves = false;
        TIniFileContent saved;
        const bool step = !plugin.located || timeBefore != plugin.time;
        if (step)
            saves = ModelStep(plugin, existed, before, read, saved);

        if (!plugin.running)
            plugin.editor.SetText(u"<>", 1);
        plugin.module.OnCommand(plugin.window);
        if (!plugin.module.State().consecutivePress)
            return Fail(name + ": the press failed");
        // A press takes the file's time before its step: a save that lands during the press
        // is a change for the next.
        if (step && read)
            plugin.time = timeBefore;
        plugin.located = true;

        const std::string after = FileBytes();
        const bool exists = platform::PathExists(path_);
        const bool changed = after != before || exists != existed;
        log_ += "press " + name + (changed ? ", file now " + Shown(after) : "") + "\n";
        if (saves) {
            const TIniFileContent now = DecodeIniText(after);
            if (!exists || now.lines != saved.lines || now.encoding != saved.encoding)
                Fail(name + " did not save the file the model expects");
            // Presses come seconds apart; here two writes can fall within one tick of the
            // file system's clock, and a plug-in would take the second for the first.
            if (!platform::SetLastWriteTime(path_, NextTime()))
                Fail("the test could not touch the file");
        } else if (changed) {
            Fail(name + " changed the file where the model keeps it as it was");
        }
        if (!platform::FindFileNames(folder_ + u"\\*.saving").empty())
            Fail(name + " left a temporary file");
        if (exists && platform::IsReadOnlyFile(path_) != readOnly_)
            Fail(name + " changed the file's read-only attribute");
        CheckInsertion(plugin);
    }

    // The date plug-in's calendars, as the model knows them, and patterns.
    WideString Rendered(const PluginUnderTest& plugin, const WideString& entry) const
    {
        const bool date = &plugin.traits == &DatePluginTraits;
        if (date && (entry == u"Calendar1" || entry == u"Calendar2")) {
            const CalendarMode mode = entry == u"Calendar1" ? CalendarMode::BlankNeighbourCells
                                                            : CalendarMode::NeighbourDayCells;
            return BuildMonthCalendar(mode, u"  ", FixedMoment());
        }
        return RenderPattern(entry, FixedMoment());
    }

    // What the press inserted is the model's entry at the place the run has reached.
    void CheckInsertion(PluginUnderTest& plugin)
    {
        const model::Patterns& listed = *plugin.patterns;
        plugin.index = plugin.running ? plugin.index + 1 : 0;
        if (plugin.index >= listed.size())
            plugin.index = 0;
        plugin.running = true;
        const WideString expected = u"<" + Rendered(plugin, listed[plugin.index]) + u">";
        if (plugin.editor.Text() != expected)
            Fail(std::string(plugin.traits.name) + " inserted " + Shown(plugin.editor.Text()) +
                 " where the model has " + Shown(expected) + " (entry " +
                 std::to_string(plugin.index + 1) + " of " + std::to_string(listed.size()) + ")");
    }

    SequenceChoices& choices_;
    const WideString folder_;
    const WideString path_;
    const std::vector<WideString> fileLines_;
    std::vector<std::unique_ptr<PluginUnderTest>> plugins_;  // every plug-in of the list
    platform::FileTime times_ = 0;
    platform::FileLock lock_ = nullptr;
    bool folderWritable_ = true;
    bool readOnly_ = false;
    std::string failure_;
    std::string log_;
};

}  // namespace

std::string RunPressSequence(SequenceChoices& choices, const WideString& folder, int maxSteps)
{
    return Sequence(choices, folder).Run(maxSteps);
}

}  // namespace stem
